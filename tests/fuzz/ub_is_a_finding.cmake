# Builds a fuzz target holding a signed overflow with the fuzz build's sanitizer flags and runs
# it on one input: the run must end with the report, even with UBSan's halt turned off at run
# time (the compiled-in no-recover does it) and with no options at all (the built-in defaults).
#   cmake -DCLANG=... -DSRC=<source tree> -DWORK=<folder> -P ub_is_a_finding.cmake
include(${SRC}/fuzz/sanitizers.cmake)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${CLANG} -g -O1 ${TARVO_FUZZ_COMPILE_FLAGS} ${TARVO_FUZZ_LINK_FLAGS} -fsanitize=fuzzer
    ${SRC}/tests/fuzz/ub_probe.cpp ${SRC}/fuzz/sanitizer_options.cpp -o ${WORK}/ub_probe
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the probe does not build: ${err}")
endif()
file(WRITE ${WORK}/input "ab")
foreach(options "" "halt_on_error=0")
  set(ENV{UBSAN_OPTIONS} "${options}")
  execute_process(COMMAND ${WORK}/ub_probe ${WORK}/input WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(rc EQUAL 0 OR NOT out MATCHES "runtime error: signed integer overflow")
    message(FATAL_ERROR "UBSAN_OPTIONS='${options}': the overflow did not end the run (exit ${rc}):\n${out}")
  endif()
endforeach()
message(STATUS "undefined behaviour ends the fuzz run")
