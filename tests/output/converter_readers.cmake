# The contour converter through tarvo-cli: G-code programs read back by bCNC's parser and summed
# to the contour, DXF drawings read back by ezdxf.
#   cmake -DCLI=... -DWORK=... -DPYTHON=/usr/bin/python3 -DGCODE=gcode_bcnc.py -DDXF=dxf_ezdxf.py
#         -P converter_readers.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/quadrat.pnt" "10:10\r\n10:50\r\n50:50\r\n50:10\r\n")
file(WRITE "${WORK}/marken.pnt" "0:0\r\n10:0\r\n+\r\n20:0\r\n-\r\n20:10\r\n")
# Markers inside straight runs, through the line extraction: the program and the drawing of one
# contour must agree move by move.
file(WRITE "${WORK}/werkzeug.pnt" "0:0\r\n10:0\r\n+\r\n20:0\r\n-\r\n30:0\r\n40:0\r\n40:10\r\n")
file(WRITE "${WORK}/kontur.tarvo"
  "converter open quadrat.pnt\n"
  "presets ok diameter=2 file=quadrat.GXX\nconverter menu Export\n"
  "presets ok mirror-x file=spiegel.GXX\nconverter menu Export\n"
  "presets ok mirror-x file=quadrat output=dxf\nconverter menu Export\n"
  "converter open marken.pnt\nconverter check Geraden 0\nconverter check Radius 0\n"
  "presets ok zero=0 closed=0 offset-x=5 offset-y=5 output=gxx file=marken.GXX\nconverter menu Export\n"
  "converter open werkzeug.pnt\nconverter check Geraden 1\n"
  "presets ok zero=1 closed=1 deviation=1 output=gxx file=werkzeug.GXX\nconverter menu Export\n"
  "presets ok file=werkzeug output=dxf\nconverter menu Export\n")
execute_process(COMMAND "${CLI}" --dir "${WORK}" "${WORK}/kontur.tarvo" OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR out MATCHES "error:")
  message(FATAL_ERROR "tarvo-cli: ${rc}\n${out}")
endif()
set(programs
  "quadrat.GXX\;0,38\;38,38\;38,0\;0,0"
  "spiegel.GXX\;0,38\;-38,38\;-38,0\;0,0"
  "marken.GXX\;5,5\;15,5\;25,5\;25,15\;5,5"
  "werkzeug.GXX\;10,0\;20,0\;30,0\;40,0\;40,10\;0,0\;--drawing\;${WORK}/werkzeug.DXF")
foreach(case IN LISTS programs)
  set(args ${case})
  list(GET args 0 name)
  list(REMOVE_AT args 0)
  execute_process(COMMAND "${PYTHON}" "${GCODE}" "${WORK}/${name}" ${args} OUTPUT_VARIABLE said RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "bCNC on ${name}: ${said}")
  endif()
  message(STATUS "${said}")
endforeach()
execute_process(COMMAND "${PYTHON}" "${DXF}" "${WORK}/quadrat.DXF"
  "0,0,0,38" "0,38,38,38" "38,38,38,0" "38,0,0,0" OUTPUT_VARIABLE said RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ezdxf on quadrat.DXF: ${said}")
endif()
message(STATUS "${said}")
