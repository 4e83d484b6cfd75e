# The installed station: install into a temporary prefix and run the installed tarvo-cli on a
# fresh data folder (shipped files copied, the ISO table found); with -DPACKAGE=ON also build the
# Debian package from this build and look into it.
#   cmake -DBUILD=... -DWORK=... [-DPACKAGE=ON] [-DVALIDATE=desktop-file-validate] -P station.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/data")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${WORK}/prefix"
  OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
foreach(f bin/tarvo-cli bin/tarvo-readout-sim share/tarvo/data/iso_tol.dat share/tarvo/data/language/English/tarvo_main.ini
          share/applications/tarvo.desktop share/icons/hicolor/scalable/apps/tarvo.svg share/man/man1/tarvo.1
          share/doc/tarvo/manual/index.html)
  if(NOT EXISTS "${WORK}/prefix/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(WRITE "${WORK}/iso.tarvo" "feature V Welle 20H7 - -\nedit-feature\nprint feature\n")
execute_process(COMMAND "${WORK}/prefix/bin/tarvo-cli" --dir "${WORK}/data" "${WORK}/iso.tarvo"
  OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "Nominal=20\nUpperTol=0.021\nLowerTol=0\n")
  message(FATAL_ERROR "installed tarvo-cli: ${rc}\n${out}")
endif()
foreach(f iso_tol.dat teiledat.txt IF2M.VAL dxfhead.asc mrk_var.txt)
  if(NOT EXISTS "${WORK}/data/${f}")
    message(FATAL_ERROR "not copied into the data folder: ${f}")
  endif()
endforeach()
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${WORK}/prefix/share/applications/tarvo.desktop"
    OUTPUT_VARIABLE said ERROR_VARIABLE said RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR said MATCHES "error")
    message(FATAL_ERROR "desktop entry: ${said}")
  endif()
endif()
message(STATUS "installed station: 20H7 found, shipped files copied")

if(PACKAGE)
  execute_process(COMMAND cpack -G DEB --config "${BUILD}/CPackConfig.cmake" -B "${WORK}/deb"
    OUTPUT_VARIABLE said ERROR_VARIABLE said RESULT_VARIABLE rc)
  file(GLOB debs "${WORK}/deb/tarvo_*.deb")
  if(NOT rc EQUAL 0 OR NOT debs)
    message(FATAL_ERROR "cpack: ${rc}\n${said}")
  endif()
  list(GET debs 0 deb)
  execute_process(COMMAND dpkg-deb -f "${deb}" Depends OUTPUT_VARIABLE depends)
  execute_process(COMMAND dpkg-deb -c "${deb}" OUTPUT_VARIABLE contents)
  if(NOT depends MATCHES "libqt6widgets6" OR NOT depends MATCHES "libqt6serialport6"
     OR NOT contents MATCHES "usr/bin/tarvo\n" OR NOT contents MATCHES "usr/share/applications/tarvo.desktop")
    message(FATAL_ERROR "package ${deb}:\nDepends: ${depends}\n${contents}")
  endif()
  message(STATUS "package ${deb}, Depends: ${depends}")
endif()
