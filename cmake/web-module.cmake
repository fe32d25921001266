# velmora_web_module(<target> [MALLOC emmalloc] [INITIAL_MEMORY <bytes>]):
# links <target> as the web pages' modules are: a module that stands alone
# in a memory that starts small and grows, with a 64 KiB stack. It imports
# what WASI gives that it uses (the window's modules proc_exit alone) and,
# with emmalloc, env.emscripten_notify_memory_growth; whoever loads it
# answers what it imports.
#
# The allocator is the window's page's own (window/web/web_heap.cpp) unless
# MALLOC names one of the toolchain's. Linked side by side from the same
# objects, velmora.wasm is 45213 bytes with ours (20536 gzipped), 46758 with
# -sMALLOC=emmalloc, the toolchain's smallest (21217; it also imports a
# memory-growth notification), and 54299 with its default dlmalloc (23768):
# ours saves 1.5 KB of the module and 0.7 KB of every first load. It does
# not merge freed blocks, which the window's few kilobytes never miss; the
# teachers' page, whose searches allocate many blocks of every size, takes
# emmalloc. The core's tests in WebAssembly are linked on ours too
# (tests/numbers), so that they run on what the window's page ships.
# Included by the top-level CMakeLists.txt in the WebAssembly build.
function(velmora_web_module target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "MALLOC;INITIAL_MEMORY" "")
  if(NOT arg_MALLOC)
    target_link_libraries(${target} PRIVATE velmora_web_malloc)
    set(arg_MALLOC none)
  endif()
  if(NOT arg_INITIAL_MEMORY)
    set(arg_INITIAL_MEMORY 262144)  # the window needs a few kilobytes
  endif()
  target_link_options(${target} PRIVATE
    -sSTANDALONE_WASM
    -sFILESYSTEM=0
    -sSUPPORT_ERRNO=0
    -sMALLOC=${arg_MALLOC}
    -sALLOW_MEMORY_GROWTH=1
    -sTOTAL_STACK=65536
    -sINITIAL_MEMORY=${arg_INITIAL_MEMORY})
endfunction()
