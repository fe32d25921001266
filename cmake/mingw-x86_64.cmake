# Toolchain: 64-bit Windows (x86_64) with MinGW-w64. Built only to run the
# Windows tests where 32-bit programs cannot run but 64-bit Wine can (see
# cmake/win32-cross.cmake); the program that ships is the i686 one. The same
# settings as cmake/mingw-i686.cmake (cmake/mingw-common.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_velmora_prefix x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
