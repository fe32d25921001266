# Velmora-web.zip: every file of the page's folder, the same bytes from the
# same page every time (cmake/reproducible.cmake). Run as a script:
#
#   cmake -DFOLDER=<build/web> -DOUTPUT=<zip> -P zip.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/reproducible.cmake)
velmora_zip(${OUTPUT} ${FOLDER})
