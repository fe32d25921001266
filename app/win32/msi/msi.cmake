# The Windows Installer package: build/Velmora-<version>-win32.msi, made
# with wixl (msitools) from velmora.wxs by make-msi.cmake whenever the
# cross build makes Velmora.exe. Included by cmake/win32-cross.cmake.
find_program(VELMORA_WIXL wixl)
find_program(VELMORA_MSIBUILD msibuild)
find_program(VELMORA_MSIINFO msiinfo)
find_program(VELMORA_PYTHON3 python3)
if(NOT VELMORA_WIXL OR NOT VELMORA_MSIBUILD OR NOT VELMORA_MSIINFO OR NOT VELMORA_PYTHON3)
  message(STATUS "wixl, msibuild, msiinfo or python3 not found: no MSI")
  return()
endif()

set(VELMORA_MSI ${CMAKE_BINARY_DIR}/${VELMORA_PRODUCT_NAME}-${VELMORA_FILE_VERSION}-win32.msi)
set(VELMORA_MSI_SETTINGS ${CMAKE_BINARY_DIR}/msi/msi-settings.cmake)
set(_msi_dir ${CMAKE_CURRENT_LIST_DIR})
set(_desktop_entry ${PROJECT_SOURCE_DIR}/app/linux/velmora.desktop.in)
set(_icon ${VELMORA_GENERATED_DIR}/velmora.ico)

# Everything make-msi.cmake needs, so that the tests can call it too.
file(CONFIGURE OUTPUT ${VELMORA_MSI_SETTINGS} CONTENT [[
set(WIXL "@VELMORA_WIXL@")
set(MSIBUILD "@VELMORA_MSIBUILD@")
set(MSIINFO "@VELMORA_MSIINFO@")
set(PYTHON3 "@VELMORA_PYTHON3@")
set(WXS "@_msi_dir@/velmora.wxs")
set(ICON "@_icon@")
set(DESKTOP_ENTRY "@_desktop_entry@")
set(PRODUCT_NAME "@VELMORA_PRODUCT_NAME@")
set(MANUFACTURER "@VELMORA_COMPANY@")
# Defaults: a VERSION, EXE or OUTPUT given on make-msi.cmake's command line
# wins. (The tests read these lines as they stand, one "set" to a line.)
if(NOT DEFINED EXE)
set(EXE "@VELMORA_WIN32_EXE@")
endif()
if(NOT DEFINED VERSION)
set(VERSION "@VELMORA_FILE_VERSION@")
endif()
if(NOT DEFINED OUTPUT)
set(OUTPUT "@VELMORA_MSI@")
endif()
]] @ONLY)

add_custom_command(OUTPUT ${VELMORA_MSI}
  COMMAND ${CMAKE_COMMAND} -DSETTINGS=${VELMORA_MSI_SETTINGS} -P ${_msi_dir}/make-msi.cmake
  DEPENDS velmora_win32_cross ${VELMORA_WIN32_EXE} ${_icon}
          ${_msi_dir}/velmora.wxs ${_msi_dir}/make-msi.cmake ${_desktop_entry}
          ${VELMORA_MSI_SETTINGS} ${_msi_dir}/summary-dates.py ${VELMORA_LICENCE_INPUTS}
  COMMENT "Building ${VELMORA_PRODUCT_NAME}-${VELMORA_FILE_VERSION}-win32.msi with wixl"
  VERBATIM)
add_custom_target(velmora_msi ALL DEPENDS ${VELMORA_MSI})

# `cpack` makes it too. The Qt build's CPack (app/linux/install.cmake)
# already has the External generator; otherwise CPack is set up here with
# it alone.
if(NOT TARGET velmora)
  set(CPACK_GENERATOR)
  include(${_msi_dir}/cpack.cmake)
  if(VELMORA_MSI_CPACK)
    set(CPACK_PACKAGE_NAME ${VELMORA_PRODUCT_NAME})
    set(CPACK_PACKAGE_VERSION ${VELMORA_FILE_VERSION})
    set(CPACK_PACKAGE_VENDOR "${VELMORA_COMPANY}")
    include(CPack)
  endif()
endif()
