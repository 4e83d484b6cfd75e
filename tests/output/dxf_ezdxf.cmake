# DXF files written through tarvo-cli, read back by ezdxf: the point memory with and without the
# line extraction, and a single point (header and tail only).
#   cmake -DCLI=... -DWORK=... -DPYTHON=/usr/bin/python3 -DCHECK=dxf_ezdxf.py -P dxf_ezdxf.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/dxf.tarvo"
  "point 0 0\npoint 10 0\npoint 20 0\npoint 30 0\npoint 30 10\npoint 30 20\n"
  "file ganz\nanswer cancel\nanswer cancel\nmenu Speichern als DXF\n"
  "file duenn\nanswer ok\nanswer ok\nmenu Speichern als DXF\n"
  "point 5 5\nfile eins\nanswer ok\nmenu Speichern als DXF\n")
execute_process(COMMAND "${CLI}" --dir "${WORK}" "${WORK}/dxf.tarvo" OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "tarvo-cli: ${rc}\n${out}")
endif()
set(cases
  "ganz.DXF\;0,0,10,0\;10,0,20,0\;20,0,30,0\;30,0,30,10\;30,10,30,20"
  "duenn.DXF\;0,0,30,0\;30,0,30,10\;30,10,30,20"
  "eins.DXF")
foreach(case IN LISTS cases)
  set(args ${case})
  list(GET args 0 name)
  list(REMOVE_AT args 0)
  execute_process(COMMAND "${PYTHON}" "${CHECK}" "${WORK}/${name}" ${args} OUTPUT_VARIABLE said RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "ezdxf on ${name}: ${said}")
  endif()
  message(STATUS "${said}")
endforeach()
