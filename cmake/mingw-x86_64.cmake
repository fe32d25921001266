# Toolchain: 64-bit Windows (x86_64) with MinGW-w64. Built only to run the
# Windows tests where 32-bit programs cannot run but 64-bit Wine can (see
# cmake/win32-cross.cmake); the program that ships is the i686 one. The same
# settings as cmake/mingw-i686.cmake: win32 thread model, everything static,
# unused sections dropped.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_velmora_prefix x86_64-w64-mingw32)
find_program(CMAKE_CXX_COMPILER NAMES ${_velmora_prefix}-g++-win32 ${_velmora_prefix}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${_velmora_prefix}-gcc-win32 ${_velmora_prefix}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${_velmora_prefix}-windres REQUIRED)
find_program(CMAKE_OBJDUMP NAMES ${_velmora_prefix}-objdump)
find_program(CMAKE_STRIP NAMES ${_velmora_prefix}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${_velmora_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--gc-sections")
