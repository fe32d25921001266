# What both MinGW-w64 toolchains share (cmake/mingw-i686.cmake,
# cmake/mingw-x86_64.cmake), for the target prefix in _velmora_prefix: the
# win32 thread model's compilers, the target's own root, everything linked
# statically, unused sections dropped.
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

# Everything statically: the programs import system DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Unused code and data are dropped at link time (the programs are small;
# most of what the runtime offers is never called).
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--gc-sections")
