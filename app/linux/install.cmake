# What `cmake --install` puts where, and the .deb that CPack builds from it.
include(GNUInstallDirs)

configure_file(${CMAKE_CURRENT_LIST_DIR}/velmora.desktop.in
               ${CMAKE_CURRENT_BINARY_DIR}/${VELMORA_APP_ID}.desktop @ONLY)
# The screenshot test holds the running window to the entry.
set_property(GLOBAL PROPERTY VELMORA_DESKTOP_FILE ${CMAKE_CURRENT_BINARY_DIR}/${VELMORA_APP_ID}.desktop)
configure_file(${CMAKE_CURRENT_LIST_DIR}/velmora.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${VELMORA_APP_ID}.metainfo.xml @ONLY)

install(TARGETS velmora velmora-explore RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${VELMORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The icon: the SVG as the scalable one and every rendered size.
include(${PROJECT_SOURCE_DIR}/app/icons/icons.cmake)
install(FILES ${VELMORA_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(_n ${VELMORA_ICON_SIZES})
  install(FILES ${VELMORA_ICON_DIR}/velmora-${_n}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_n}x${_n}/apps
          RENAME velmora.png)
endforeach()
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${VELMORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The package's documents, as Debian keeps them: the copyright file, and
# the change log and the manual page compressed with gzip -9 -n (no name or
# time stamp inside, so the same source gives the same bytes).
find_program(VELMORA_GZIP gzip REQUIRED)
set(_docs ${CMAKE_CURRENT_BINARY_DIR}/docs)
# The copyright file states LICENSE: its copyright line, and its text
# indented as Debian's format has it (" ." for an empty line).
file(READ ${PROJECT_SOURCE_DIR}/LICENSE _licence)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
if(NOT _licence MATCHES "^MIT License\n\nCopyright \\(c\\) ([^\n]+)\n\n(.+[^\n])\n*$")
  message(FATAL_ERROR "LICENSE is not the MIT licence with one copyright line")
endif()
set(VELMORA_LICENSE_COPYRIGHT "${CMAKE_MATCH_1}")
string(REPLACE "\n\n" "\n.\n" _licence "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " VELMORA_LICENSE_TEXT " ${_licence}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${_docs}/copyright @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${_docs}/changelog @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/velmora.1.in ${_docs}/velmora.1 @ONLY)
# velmora-explore's page takes its examples from the built tool; its
# placeholders for them pass through this first step.
set(EXPLORE_EXAMPLE_PATH @EXPLORE_EXAMPLE_PATH@)
set(EXPLORE_EXAMPLE_SUMMARY @EXPLORE_EXAMPLE_SUMMARY@)
set(EXPLORE_EXAMPLE_GRAPH @EXPLORE_EXAMPLE_GRAPH@)
configure_file(${CMAKE_CURRENT_LIST_DIR}/velmora-explore.1.in ${_docs}/velmora-explore.1.in @ONLY)
add_custom_command(
  OUTPUT ${_docs}/velmora-explore.1
  COMMAND ${CMAKE_COMMAND} -DEXPLORE=$<TARGET_FILE:velmora-explore> -DPAGE=${_docs}/velmora-explore.1
          -P ${CMAKE_CURRENT_LIST_DIR}/explore-man.cmake
  DEPENDS ${_docs}/velmora-explore.1.in velmora-explore ${CMAKE_CURRENT_LIST_DIR}/explore-man.cmake
  COMMENT "Writing velmora-explore's manual page with its examples"
  VERBATIM)
foreach(_doc changelog velmora.1 velmora-explore.1)
  add_custom_command(
    OUTPUT ${_docs}/${_doc}.gz
    COMMAND ${VELMORA_GZIP} -9 -n -c ${_doc} > ${_doc}.gz
    DEPENDS ${_docs}/${_doc}
    WORKING_DIRECTORY ${_docs}
    VERBATIM)
endforeach()
add_custom_target(velmora_linux_docs ALL
  DEPENDS ${_docs}/changelog.gz ${_docs}/velmora.1.gz ${_docs}/velmora-explore.1.gz)
install(FILES ${_docs}/copyright ${_docs}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)
install(FILES ${_docs}/velmora.1.gz ${_docs}/velmora-explore.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${VELMORA_PRODUCT_VERSION})
set(CPACK_PACKAGE_VENDOR "${VELMORA_COMPANY}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Increase and decrease a whole number by the sum of its digits")
# Lines of at most 80 characters, as the package's description is shown.
set(CPACK_PACKAGE_DESCRIPTION
    "A school informatics exercise (in Bulgarian): one window with a number\nfield and two buttons that add the number's digit sum to it or take it away.\nFor the teacher, velmora-explore finds the shortest presses from any number\nto 0 and draws the numbers on the way as a graph.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELMORA_PRODUCT_NAME} <info@${VELMORA_DOMAIN}>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${VELMORA_SITE}/")
# What lintian asks of a package: a stripped program, and the control
# files' permissions as dpkg sets them.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt's own translations, which Qt loads for the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
# Graphviz draws velmora-explore's graphs as pictures (--svg).
set(CPACK_DEBIAN_PACKAGE_SUGGESTS graphviz)
# The Qt runtime (its xcb platform and icon plugins come with libqt6gui6):
# read from the program's libraries where dpkg-shlibdeps is at hand. And
# the fonts that stand in for the window's font.
find_program(VELMORA_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VELMORA_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6core6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6widgets6 (>= 6.2), fonts-liberation2")
endif()
# The same .deb from the same build whenever cpack runs: CPack dates its
# members SOURCE_DATE_EPOCH, which this file, read as cpack starts, sets
# from the source when the environment does not. (The modes of its folders
# follow the umask: scripts/release.sh runs cpack with umask 022.)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack-source-date.cmake)
# `cpack` also makes the Windows Installer package, when the build can.
include(${PROJECT_SOURCE_DIR}/app/win32/msi/cpack.cmake)
include(CPack)
