# Fills velmora-explore's manual page (PAGE.in -> PAGE) with examples of
# what the built tool (EXPLORE) prints, in English, so that they are never
# out of date.
# Usage: cmake -DEXPLORE=<program> -DPAGE=<page> -P explore-man.cmake

function(example var)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${EXPLORE} ${ARGN}
                  OUTPUT_VARIABLE out RESULT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "velmora-explore ${ARGN} failed: ${status}")
  endif()
  # As roff text: backslashes escaped, and no line read as a request.
  string(REPLACE "\\" "\\e" out "${out}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" out "${out}")
  set(${var} "${out}" PARENT_SCOPE)
endfunction()

example(EXPLORE_EXAMPLE_PATH 112)
example(EXPLORE_EXAMPLE_GRAPH --graph 1)
configure_file(${PAGE}.in ${PAGE} @ONLY)
