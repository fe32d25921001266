# The Windows program as a cross build of this same source tree, with
# MinGW-w64 for i686 (cmake/mingw-i686.cmake). The host build provides the
# generated layout record and icon; the Wine tests in tests/win32 run the
# programs that a cross build makes.
#
# Which cross build the Wine tests run is decided here: the i686 one where
# 32-bit Wine starts; where it cannot (a kernel that runs no 32-bit
# programs) but 64-bit Wine can, a second, x86_64 cross build in win64/
# that makes only the test programs and what they need. The i686
# Velmora.exe stays the program either way (zip, size check).
find_program(VELMORA_MINGW_CXX NAMES i686-w64-mingw32-g++-win32 i686-w64-mingw32-g++)
if(NOT VELMORA_MINGW_CXX)
  message(STATUS "i686-w64-mingw32-g++ not found: the Win32 program is not built")
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/cross-build.cmake)

# velmora_win32_cross_build(<name> <toolchain file> <binary dir> [<target>...])
# A MinGW cross build, with the layout record and the icon that the host
# build wrote (VELMORA_HOST_GENERATED_DIR).
function(velmora_win32_cross_build name toolchain binary_dir)
  set(targets)
  if(ARGN)
    set(targets TARGETS ${ARGN})
  endif()
  velmora_cross_build(${name}
    TOOLCHAIN ${PROJECT_SOURCE_DIR}/cmake/${toolchain}
    BINARY_DIR ${binary_dir}
    CMAKE_ARGS -DVELMORA_HOST_GENERATED_DIR=${VELMORA_GENERATED_DIR}
    ${targets}
    DEPENDS velmora_generated
    BYPRODUCTS
      ${binary_dir}/app/Velmora.exe
      ${binary_dir}/tests/win32/velmora_win32_tests.exe
      ${binary_dir}/tests/win32/velmora-high-contrast.exe
      ${binary_dir}/tests/numbers/velmora-numbers-tests.exe
      ${binary_dir}/tools/driver/velmora-driver.exe)
endfunction()

set(VELMORA_WIN32_BINARY_DIR ${CMAKE_BINARY_DIR}/win32)
set(VELMORA_WIN32_EXE ${VELMORA_WIN32_BINARY_DIR}/app/Velmora.exe)
velmora_win32_cross_build(velmora_win32_cross mingw-i686.cmake ${VELMORA_WIN32_BINARY_DIR})

# Which Wine runs the tests: "auto" probes the loaders below.
set(VELMORA_WINE_TESTS_ARCH auto CACHE STRING
    "Cross build that the Wine tests run: auto, win32 (i686) or win64 (x86_64)")
set_property(CACHE VELMORA_WINE_TESTS_ARCH PROPERTY STRINGS auto win32 win64)
set(VELMORA_WINE32_LOADER /usr/lib/wine/wine CACHE FILEPATH "32-bit Wine loader")
set(VELMORA_WINE64_LOADER /usr/lib/wine/wine64 CACHE FILEPATH "64-bit Wine loader")
find_program(VELMORA_MINGW64_CXX NAMES x86_64-w64-mingw32-g++-win32 x86_64-w64-mingw32-g++)

# True in <out> if <loader> exists and starts (--version).
function(velmora_wine_starts out loader)
  set(${out} FALSE PARENT_SCOPE)
  if(EXISTS ${loader})
    execute_process(COMMAND ${loader} --version RESULT_VARIABLE rc
                    OUTPUT_QUIET ERROR_QUIET TIMEOUT 60)
    if(rc STREQUAL "0")
      set(${out} TRUE PARENT_SCOPE)
    endif()
  endif()
endfunction()

set(VELMORA_WINE_ARCH ${VELMORA_WINE_TESTS_ARCH})
if(VELMORA_WINE_ARCH STREQUAL "auto")
  velmora_wine_starts(_velmora_wine32 ${VELMORA_WINE32_LOADER})
  if(_velmora_wine32)
    set(VELMORA_WINE_ARCH win32)
    message(STATUS "Wine tests: 32-bit Wine starts; they run the i686 build")
  else()
    velmora_wine_starts(_velmora_wine64 ${VELMORA_WINE64_LOADER})
    if(_velmora_wine64 AND VELMORA_MINGW64_CXX)
      set(VELMORA_WINE_ARCH win64)
      message(STATUS "Wine tests: 32-bit Wine cannot start here, 64-bit Wine can; "
                     "they run an x86_64 build (${CMAKE_BINARY_DIR}/win64)")
    else()
      set(VELMORA_WINE_ARCH win32)
      message(STATUS "Wine tests: neither 32-bit Wine nor 64-bit Wine with "
                     "x86_64-w64-mingw32-g++ is usable here; they will be skipped")
    endif()
  endif()
elseif(VELMORA_WINE_ARCH STREQUAL "win64" AND NOT VELMORA_MINGW64_CXX)
  message(FATAL_ERROR "VELMORA_WINE_TESTS_ARCH=win64 needs x86_64-w64-mingw32-g++")
elseif(NOT VELMORA_WINE_ARCH MATCHES "^win(32|64)$")
  message(FATAL_ERROR "VELMORA_WINE_TESTS_ARCH must be auto, win32 or win64")
else()
  message(STATUS "Wine tests: the ${VELMORA_WINE_ARCH} build, as set")
endif()

# What the Wine tests run: the cross build's target, folder and program.
# (Only the tests run that one: without them it is not built.)
if(VELMORA_WINE_ARCH STREQUAL "win64" AND VELMORA_BUILD_TESTS)
  set(VELMORA_WINE_TEST_TARGET velmora_win64_cross)
  set(VELMORA_WINE_TEST_DIR ${CMAKE_BINARY_DIR}/win64)
  velmora_win32_cross_build(velmora_win64_cross mingw-x86_64.cmake ${VELMORA_WINE_TEST_DIR}
    Velmora velmora_win32_tests velmora-high-contrast velmora-numbers-tests velmora-driver)
else()
  set(VELMORA_WINE_TEST_TARGET velmora_win32_cross)
  set(VELMORA_WINE_TEST_DIR ${VELMORA_WIN32_BINARY_DIR})
endif()
set(VELMORA_WINE_TEST_EXE ${VELMORA_WINE_TEST_DIR}/app/Velmora.exe)

# The program and its licence, zipped: it needs nothing beside it. Named
# with its version, as the MSI is: Velmora-1.00-win32.zip.
set(VELMORA_WIN32_ZIP ${CMAKE_BINARY_DIR}/${VELMORA_PRODUCT_NAME}-${VELMORA_FILE_VERSION}-win32.zip)
find_program(VELMORA_ZIP zip)
if(VELMORA_ZIP)
  add_custom_command(OUTPUT ${VELMORA_WIN32_ZIP}
    COMMAND ${CMAKE_COMMAND} -DEXE=${VELMORA_WIN32_EXE} -DOUTPUT=${VELMORA_WIN32_ZIP} -P ${PROJECT_SOURCE_DIR}/app/win32/zip.cmake
    DEPENDS velmora_win32_cross ${VELMORA_WIN32_EXE} ${PROJECT_SOURCE_DIR}/app/win32/zip.cmake ${VELMORA_LICENCE_INPUTS}
    COMMENT "Zipping Velmora.exe")
  add_custom_target(velmora_win32_zip ALL DEPENDS ${VELMORA_WIN32_ZIP})
else()
  cmake_path(GET VELMORA_WIN32_ZIP FILENAME zip_name)
  message(STATUS "zip not found: no ${zip_name}")
endif()

# The program in a Windows Installer package, when wixl is installed.
include(${PROJECT_SOURCE_DIR}/app/win32/msi/msi.cmake)
