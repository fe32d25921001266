# velmora_host_headers(<target> <PUBLIC|PRIVATE|INTERFACE> <folder>)
#
# Gives <target> the header-only library in one folder of the host's include
# directory (VELMORA_HOST_INCLUDE_DIR, /usr/include), e.g. "nlohmann": an
# include directory of the build's own that holds nothing but a symlink to
# that folder. Adding the host's include directory itself would do in the
# host build, but in a cross build it would put the host's C library headers
# in front of the target's.
set(VELMORA_HOST_INCLUDE_DIR /usr/include CACHE PATH
    "Where velmora_host_headers finds header-only libraries")

function(velmora_host_headers target scope folder)
  set(source ${VELMORA_HOST_INCLUDE_DIR}/${folder})
  if(NOT IS_DIRECTORY ${source})
    message(FATAL_ERROR "${target} needs the headers in ${source}, which is not there")
  endif()
  set(dir ${CMAKE_BINARY_DIR}/host-headers/${folder})
  file(MAKE_DIRECTORY ${dir})
  # (Made again at every configure: an existing link is replaced.)
  file(CREATE_LINK ${source} ${dir}/${folder} SYMBOLIC)
  target_include_directories(${target} SYSTEM ${scope} ${dir})
endfunction()
