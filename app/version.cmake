# The program's version data, in one place: the Windows version record, the
# window caption and the desktop packaging all take it from here. Writes
# ${CMAKE_BINARY_DIR}/generated/version.h with plain #defines of ASCII string
# literals, usable from C++ and from a Windows resource script alike.

set(VELMORA_SITE "www.velmora.example")
string(REGEX REPLACE "^www\\." "" VELMORA_DOMAIN "${VELMORA_SITE}")  # velmora.example
set(VELMORA_PRODUCT_NAME "Velmora")
set(VELMORA_FILE_VERSION "1.00")
set(VELMORA_PRODUCT_VERSION "1.00")
set(VELMORA_VERSION_COMMAS "1,0,0,0")
set(VELMORA_INTERNAL_NAME "Velmora")
set(VELMORA_ORIGINAL_FILENAME "Velmora.exe")
set(VELMORA_COMPANY "${VELMORA_SITE}")
set(VELMORA_COPYRIGHT "${VELMORA_SITE}")
set(VELMORA_TRADEMARKS "${VELMORA_SITE}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
               ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
