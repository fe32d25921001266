# Lets `cpack` make the MSI beside the other packages: CPack's External
# generator runs cpack-msi.cmake, which builds the MSI again from the built
# Velmora.exe with make-msi.cmake (the same bytes as the build's: the codes
# follow the content). Included before include(CPack): by app/linux/install.cmake
# in the Qt build, by msi.cmake (with CPack of its own) otherwise.
# Sets VELMORA_MSI_CPACK when it added the generator.
set(VELMORA_MSI_CPACK OFF)
find_program(VELMORA_MINGW_CXX NAMES i686-w64-mingw32-g++-win32 i686-w64-mingw32-g++)
find_program(VELMORA_WIXL wixl)
find_program(VELMORA_MSIBUILD msibuild)
find_program(VELMORA_MSIINFO msiinfo)
if(NOT VELMORA_BUILD_WIN32 OR NOT VELMORA_MINGW_CXX OR NOT VELMORA_WIXL
   OR NOT VELMORA_MSIBUILD OR NOT VELMORA_MSIINFO)
  return()
endif()
list(APPEND CPACK_GENERATOR External)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/cpack-msi.cmake)
# Nothing to stage: the MSI is made from the cross build's output.
set(CPACK_EXTERNAL_ENABLE_STAGING OFF)
set(CPACK_VELMORA_CMAKE_COMMAND ${CMAKE_COMMAND})
set(CPACK_VELMORA_MAKE_MSI ${CMAKE_CURRENT_LIST_DIR}/make-msi.cmake)
# Written by msi.cmake at configure time.
set(CPACK_VELMORA_MSI_SETTINGS ${CMAKE_BINARY_DIR}/msi/msi-settings.cmake)
set(CPACK_VELMORA_MSI_NAME ${VELMORA_PRODUCT_NAME}-${VELMORA_FILE_VERSION}-win32.msi)
set(VELMORA_MSI_CPACK ON)
