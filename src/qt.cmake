# tarvo_qt: every qt/ folder, floor by floor as the core's list in CMakeLists.txt beside this
# file. Included by the top-level CMakeLists.txt when Qt 6 is found; the core never includes it.
set(TARVO_QT_SOURCES
  # floor 1
  shell/qt/dialogs.cpp
  shell/qt/qtimerdriver.cpp
  shell/qt/tstringloader.cpp
  # floor 2
  geometry/qt/tselect_winkel.cpp
  # floor 3
  data/qt/tmrk_set.cpp
  readout/qt/qserialdevice.cpp
  readout/qt/tcommdriver.cpp
  # floor 4
  elements/qt/tsel_abstand.cpp
  coords/qt/tkalibrierung.cpp
  # floor 5
  programs/qt/tform_lage.cpp
  output/qt/printercanvas.cpp
  output/qt/tcomon_form.cpp
  output/qt/tdxf_gxx_main.cpp
  output/qt/theaddata.cpp
  output/qt/tsetting_gxx.cpp
  output/qt/tstatistik.cpp
  views/qt/tbmp_view.cpp
  views/qt/telement_grafik.cpp
  views/qt/tmethode.cpp
  # floor 6
  app/qt/qtoperator.cpp
  app/qt/tmain.cpp
  app/qt/tkamerabild.cpp
)
list(TRANSFORM TARVO_QT_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
add_library(tarvo_qt STATIC ${TARVO_QT_SOURCES} ${PROJECT_SOURCE_DIR}/resources/tarvo.qrc)
target_link_libraries(tarvo_qt PUBLIC tarvo_core Qt6::Widgets Qt6::PrintSupport Qt6::SerialPort)
