# Fills velmora-explore's manual page (PAGE.in -> PAGE) with examples of
# what the built tool (EXPLORE) prints, in English, so that they are never
# out of date.
# Usage: cmake -DEXPLORE=<program> -DPAGE=<page> -P explore-man.cmake

# example(VAR [TAIL N] ARGS...): what the tool prints for ARGS, or its last
# N lines.
function(example var)
  cmake_parse_arguments(PARSE_ARGV 1 EXAMPLE "" "TAIL" "")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${EXPLORE} ${EXAMPLE_UNPARSED_ARGUMENTS}
                  OUTPUT_VARIABLE out RESULT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "velmora-explore ${ARGN} failed: ${status}")
  endif()
  if(EXAMPLE_TAIL)  # from the TAIL-th line break counted from the end
    set(at -1)
    set(before "${out}")
    foreach(i RANGE 1 ${EXAMPLE_TAIL})
      string(FIND "${before}" "\n" at REVERSE)
      if(at EQUAL -1)
        break()
      endif()
      string(SUBSTRING "${before}" 0 ${at} before)
    endforeach()
    math(EXPR from "${at} + 1")
    string(SUBSTRING "${out}" ${from} -1 out)
  endif()
  # As roff text: backslashes escaped, and no line read as a request.
  string(REPLACE "\\" "\\e" out "${out}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" out "${out}")
  set(${var} "${out}" PARENT_SCOPE)
endfunction()

example(EXPLORE_EXAMPLE_PATH 112)
example(EXPLORE_EXAMPLE_SUMMARY TAIL 3 --all 1 9999)
example(EXPLORE_EXAMPLE_GRAPH --graph 9 --in-turn)
configure_file(${PAGE}.in ${PAGE} @ONLY)
