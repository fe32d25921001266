# velmora_cross_build(<name> TOOLCHAIN <file> BINARY_DIR <dir>
#                     [ENV <var=value>...] [CMAKE_ARGS <arg>...]
#                     [TARGETS <target>...] [DEPENDS <target>...]
#                     [BYPRODUCTS <file>...])
#
# A second CMake build of this source tree with another toolchain, as
# ExternalProject <name> in <dir>: optimised for size, with its tests when
# the host build has them (the host build runs them), without Qt, the
# benchmarks or cross builds of its own, and with every warning an error
# when the host build makes them errors. CMAKE_ARGS are added to its
# configure step; ENV is set for its configure and build steps. With
# TARGETS, only those targets are built (and what they need); otherwise
# everything. BYPRODUCTS are the files that the host build's rules use.
include(ExternalProject)

function(velmora_cross_build name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TOOLCHAIN;BINARY_DIR"
                        "ENV;CMAKE_ARGS;TARGETS;DEPENDS;BYPRODUCTS")
  if(NOT arg_TOOLCHAIN OR NOT arg_BINARY_DIR OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "velmora_cross_build(${name}): TOOLCHAIN and BINARY_DIR are needed "
                        "(not understood: ${arg_UNPARSED_ARGUMENTS})")
  endif()
  set(cmake ${CMAKE_COMMAND})
  if(arg_ENV)
    set(cmake ${CMAKE_COMMAND} -E env ${arg_ENV} ${CMAKE_COMMAND})
  endif()
  set(targets)
  if(arg_TARGETS)
    set(targets --target ${arg_TARGETS})
  endif()
  set(depends)
  if(arg_DEPENDS)
    set(depends DEPENDS ${arg_DEPENDS})
  endif()
  ExternalProject_Add(${name}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${arg_BINARY_DIR}
    CMAKE_COMMAND ${cmake}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${arg_TOOLCHAIN}
      # Small beats fast: these programs do nothing that speed would show
      # in, and the web page travels whole on every first visit.
      -DCMAKE_BUILD_TYPE=MinSizeRel
      -DVELMORA_BUILD_TESTS=${VELMORA_BUILD_TESTS}
      -DVELMORA_BUILD_QT=OFF
      -DVELMORA_BUILD_BENCH=OFF
      -DVELMORA_BUILD_WIN32=OFF
      -DVELMORA_BUILD_WEB=OFF
      -DCMAKE_COMPILE_WARNING_AS_ERROR=${CMAKE_COMPILE_WARNING_AS_ERROR}
      ${arg_CMAKE_ARGS}
    BUILD_COMMAND ${cmake} --build <BINARY_DIR> ${targets}
    INSTALL_COMMAND ""
    ${depends}
    # Built again with every build of the host: the tree is ours, not a
    # download, and the sub-build knows what changed.
    BUILD_ALWAYS ON
    # (The console pool also keeps two cross builds from running at once.)
    USES_TERMINAL_BUILD ON
    BUILD_BYPRODUCTS ${arg_BYPRODUCTS})
endfunction()
