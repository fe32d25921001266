# Velmora-<version>-win32.zip: Velmora.exe and LICENSE.txt beside it (the
# licence and the notices of the code linked into the program, in Windows
# line ends), the same bytes from the same program every time. Run as a
# script:
#
#   cmake -DEXE=<Velmora.exe> -DOUTPUT=<zip> -P zip.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/reproducible.cmake)

set(folder ${OUTPUT}.files)
file(REMOVE_RECURSE ${folder})
file(MAKE_DIRECTORY ${folder})
file(COPY_FILE ${EXE} ${folder}/Velmora.exe)
velmora_licence_text(${folder}/LICENSE.txt CRLF ${VELMORA_WIN32_NOTICES})
velmora_zip(${OUTPUT} ${folder})
file(REMOVE_RECURSE ${folder})
