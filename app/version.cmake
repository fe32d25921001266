# The program's version data, in one place: the Windows version record and
# manifest, the window caption and the desktop packaging all take it from
# here. The version number itself is the project's (project(VERSION) in the
# top CMakeLists.txt). Writes ${VELMORA_GENERATED_DIR}/version.h with
# plain #defines of ASCII string literals, usable from C++ and from a
# Windows resource script alike, and the Windows manifest.

set(VELMORA_SITE "www.velmora.example")
string(REGEX REPLACE "^www\\." "" VELMORA_DOMAIN "${VELMORA_SITE}")  # velmora.example
set(VELMORA_PRODUCT_NAME "Velmora")
# 1.0 -> "1.00" (two digits after the point), "1,0,0,0", "1.0.0.0"
if(PROJECT_VERSION_MINOR LESS 10)
  set(VELMORA_FILE_VERSION "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
else()
  set(VELMORA_FILE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
endif()
set(VELMORA_PRODUCT_VERSION "${VELMORA_FILE_VERSION}")
set(VELMORA_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0")
set(VELMORA_VERSION_DOTS "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
# The day this version was released, as the release notes, the package's
# changelog and the manual page write it.
set(VELMORA_RELEASE_DATE "2026-12-08")
set(VELMORA_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 12:00:00 +0000")
set(VELMORA_RELEASE_MONTH "December 2026")
set(VELMORA_INTERNAL_NAME "Velmora")
set(VELMORA_ORIGINAL_FILENAME "Velmora.exe")
set(VELMORA_COMPANY "${VELMORA_SITE}")
set(VELMORA_COPYRIGHT "${VELMORA_SITE}")
set(VELMORA_TRADEMARKS "${VELMORA_SITE}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
               ${VELMORA_GENERATED_DIR}/version.h @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/win32/velmora.manifest.in
               ${VELMORA_GENERATED_DIR}/velmora.manifest @ONLY)
