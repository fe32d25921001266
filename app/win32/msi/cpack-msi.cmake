# CPack's External generator runs this (see cpack.cmake): it builds the MSI
# into CPack's temporary folder and hands it back, and CPack copies it to
# the package directory.
set(_msi "${CPACK_TEMPORARY_DIRECTORY}/${CPACK_VELMORA_MSI_NAME}")
execute_process(
  COMMAND "${CPACK_VELMORA_CMAKE_COMMAND}" -DSETTINGS=${CPACK_VELMORA_MSI_SETTINGS}
          -DOUTPUT=${_msi} -P "${CPACK_VELMORA_MAKE_MSI}"
  RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0 OR NOT EXISTS "${_msi}")
  message(FATAL_ERROR "the MSI was not built (build the project first)")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES "${_msi}")
