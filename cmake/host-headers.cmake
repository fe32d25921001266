# Header-only libraries installed with the host's packages under
# /usr/include (fast_float, nlohmann) are used by every build, the Windows
# cross build included. Putting /usr/include itself on a cross compiler's
# path would let the host's C library headers in before MinGW's own, so each
# library gets an include directory of its own that holds only a link to it.
#
#   velmora_use_host_headers(<target> <PUBLIC|PRIVATE|INTERFACE> <name>)
#     makes #include <name/...> work for the target.
function(velmora_use_host_headers target scope name)
  set(source /usr/include/${name})
  if(NOT IS_DIRECTORY ${source})
    message(FATAL_ERROR "${source} not found: install the package that has it (scripts/setup.sh)")
  endif()
  set(dir ${CMAKE_BINARY_DIR}/host-headers/${name})
  if(NOT EXISTS ${dir}/${name})
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${source} ${dir}/${name} SYMBOLIC)
  endif()
  target_include_directories(${target} SYSTEM ${scope} ${dir})
endfunction()
