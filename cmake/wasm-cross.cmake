# The web page as a cross build of this same source tree with Emscripten,
# in build/wasm/: the core, the record reader and the shared rules in
# WebAssembly, the page's module (window/web), the exercise's answers
# (explore/) and the tests of the core and of the answers. The
# host build then puts the page together in build/web/ (app/web/web.cmake)
# with the record and the icon it wrote, and zips it.
find_program(VELMORA_EMCC emcc)
find_program(VELMORA_EM_CONFIG em-config)
if(NOT VELMORA_EMCC OR NOT VELMORA_EM_CONFIG)
  message(STATUS "emcc not found: the web page is not built")
  return()
endif()

# emcc runs its JavaScript tools with node; a node other than Debian's
# finds the packaged modules (acorn) only through NODE_PATH.
set(_velmora_em_env)
if(IS_DIRECTORY /usr/share/nodejs)
  set(_velmora_em_env NODE_PATH=/usr/share/nodejs)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${_velmora_em_env} ${VELMORA_EM_CONFIG} EMSCRIPTEN_ROOT
  OUTPUT_VARIABLE _velmora_em_root OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE _velmora_em_result)
set(_velmora_em_toolchain ${_velmora_em_root}/cmake/Modules/Platform/Emscripten.cmake)
if(NOT _velmora_em_result EQUAL 0 OR NOT EXISTS ${_velmora_em_toolchain})
  message(STATUS "Emscripten's CMake toolchain not found: the web page is not built")
  return()
endif()
find_program(VELMORA_NODE NAMES node nodejs)
# The teachers' page takes Graphviz from npm (app/teachers/teachers.cmake).
find_program(VELMORA_NPM npm)
if(NOT VELMORA_NPM)
  message(STATUS "npm not found: the web page is not built (its teachers' page installs Graphviz with it)")
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/cross-build.cmake)

set(VELMORA_WASM_BINARY_DIR ${CMAKE_BINARY_DIR}/wasm)
set(VELMORA_WASM_MODULE ${VELMORA_WASM_BINARY_DIR}/window/web/velmora.wasm
                        ${VELMORA_WASM_BINARY_DIR}/window/web/velmora-window.wasm)
set(VELMORA_TEACHERS_MODULE ${VELMORA_WASM_BINARY_DIR}/explore/web/velmora-teachers.wasm)
set(VELMORA_WASM_NUMBERS_TESTS ${VELMORA_WASM_BINARY_DIR}/tests/numbers/velmora-numbers-tests.wasm)
set(VELMORA_WASM_EXPLORE_TESTS
    ${VELMORA_WASM_BINARY_DIR}/tests/explore/velmora-explore-library-tests.js)

velmora_cross_build(velmora_wasm_cross
  TOOLCHAIN ${_velmora_em_toolchain}
  BINARY_DIR ${VELMORA_WASM_BINARY_DIR}
  ENV ${_velmora_em_env}
  CMAKE_ARGS
    # As small as Emscripten makes it. (emcc turns off the inlining of
    # functions not marked inline; allowed, the optimiser removes more
    # code than it copies: the module is smaller by a twelfth.)
    "-DCMAKE_CXX_FLAGS_MINSIZEREL=-Oz -finline-functions -DNDEBUG"
    # A run-time error is a C++ exception that the page's calls catch;
    # WebAssembly's own exceptions keep that small. Optimised across the
    # libraries at link time, the module is smaller by a tenth.
    # Bulk memory and non-trapping conversions (in every browser since
    # 2021) make copies and float-to-integer conversions single instructions.
    "-DCMAKE_CXX_FLAGS=-fwasm-exceptions -flto -mbulk-memory -mnontrapping-fptoint"
    "-DCMAKE_EXE_LINKER_FLAGS=-fwasm-exceptions -flto -mbulk-memory -mnontrapping-fptoint"
    # What emcmake would set is not accepted by every node; the core's
    # tests are run by the host build anyway.
    "-DCMAKE_CROSSCOMPILING_EMULATOR=${VELMORA_NODE}"
  BYPRODUCTS ${VELMORA_WASM_MODULE} ${VELMORA_TEACHERS_MODULE} ${VELMORA_WASM_NUMBERS_TESTS} ${VELMORA_WASM_EXPLORE_TESTS})

include(${PROJECT_SOURCE_DIR}/app/web/web.cmake)
