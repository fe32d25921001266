# Toolchain: 32-bit Windows (i686) with MinGW-w64, win32 thread model: the
# program has one thread, and the posix model's pthread layer would add
# about 130 KiB to it even when linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(_velmora_prefix i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# 32-bit x86 without SSE2 does double arithmetic on the x87 FPU, which by
# default rounds to 64-bit mantissas; a product or quotient rounded there and
# again to a double can differ in the last bit from the once-rounded IEEE
# result (the decimal conversions rely on that). MinGW-w64's CRT_fp8.o
# replaces the start-up FPU reset so that every program begins with the x87
# at 53-bit precision: results then match the other targets, and the
# programs still need no SSE2 (old Windows XP machines keep working).
set(_velmora_fp8 /usr/${_velmora_prefix}/lib/CRT_fp8.o)
if(NOT EXISTS ${_velmora_fp8})
  message(FATAL_ERROR "${_velmora_fp8} not found (part of MinGW-w64's runtime)")
endif()
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " ${_velmora_fp8}")
