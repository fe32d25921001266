# The Windows program as a cross build of this same source tree, with
# MinGW-w64 for i686 (cmake/mingw-i686.cmake). The host build provides the
# generated layout record and icon; the Wine tests in tests/win32 run the
# programs that the cross build makes.
find_program(VELMORA_MINGW_CXX NAMES i686-w64-mingw32-g++-win32 i686-w64-mingw32-g++)
if(NOT VELMORA_MINGW_CXX)
  message(STATUS "i686-w64-mingw32-g++ not found: the Win32 program is not built")
  return()
endif()

include(ExternalProject)

set(VELMORA_WIN32_BINARY_DIR ${CMAKE_BINARY_DIR}/win32)
set(VELMORA_WIN32_EXE ${VELMORA_WIN32_BINARY_DIR}/app/Velmora.exe)

set(_velmora_cross_depends)
if(TARGET velmora_generated)
  list(APPEND _velmora_cross_depends velmora_generated)
endif()

ExternalProject_Add(velmora_win32_cross
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${VELMORA_WIN32_BINARY_DIR}
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-i686.cmake
    # Built for size: the program does nothing that speed would show in.
    -DCMAKE_BUILD_TYPE=MinSizeRel
    -DVELMORA_GENERATED_DIR=${CMAKE_BINARY_DIR}/generated
    -DVELMORA_BUILD_QT=OFF
    -DVELMORA_BUILD_BENCH=OFF
    -DVELMORA_BUILD_TESTS=ON
    -DVELMORA_BUILD_WIN32=OFF
    -DCMAKE_COMPILE_WARNING_AS_ERROR=${CMAKE_COMPILE_WARNING_AS_ERROR}
  INSTALL_COMMAND ""
  DEPENDS ${_velmora_cross_depends}
  # Rebuild whenever the sources change: the tree is ours, not a download.
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON
  BUILD_BYPRODUCTS ${VELMORA_WIN32_EXE})

# The program alone, zipped: it needs nothing beside it.
set(VELMORA_WIN32_ZIP ${CMAKE_BINARY_DIR}/Velmora-win32.zip)
find_program(VELMORA_ZIP zip)
if(VELMORA_ZIP)
  add_custom_command(OUTPUT ${VELMORA_WIN32_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${VELMORA_WIN32_ZIP}
    COMMAND ${VELMORA_ZIP} -j -q -X ${VELMORA_WIN32_ZIP} ${VELMORA_WIN32_EXE}
    DEPENDS velmora_win32_cross ${VELMORA_WIN32_EXE}
    COMMENT "Zipping Velmora.exe")
  add_custom_target(velmora_win32_zip ALL DEPENDS ${VELMORA_WIN32_ZIP})
else()
  message(STATUS "zip not found: no Velmora-win32.zip")
endif()

# The program in a Windows Installer package, when wixl is installed.
include(${PROJECT_SOURCE_DIR}/app/win32/msi/msi.cmake)
