# Runs each fuzz target for a second from its seeds; any crash fails. The
# limit for one input only stops a hang, however busy the machine.
foreach(target ${TARGETS})
  if(target MATCHES "text")
    set(seeds ${SEEDS}/text)
  elseif(target MATCHES "csv")
    set(seeds ${SEEDS}/csv)
  else()
    set(seeds ${SEEDS})
  endif()
  set(corpus ${WORK}/${target})
  file(REMOVE_RECURSE ${corpus})
  file(MAKE_DIRECTORY ${corpus})
  execute_process(
    COMMAND ${FUZZ_DIR}/fuzz_${target} -max_total_time=1 -timeout=600 -rss_limit_mb=2048
      ${corpus} ${seeds}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "fuzz_${target} failed (${result}):\n${out}")
  endif()
  message(STATUS "fuzz_${target}: ran clean")
endforeach()
