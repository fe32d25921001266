# Read by cpack as it starts (CPACK_PROJECT_CONFIG_FILE): the packages are
# dated the source date (cmake/reproducible.cmake), unless the environment
# names one.
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/reproducible.cmake)
  velmora_source_date_epoch(_velmora_epoch)
  set(ENV{SOURCE_DATE_EPOCH} ${_velmora_epoch})
endif()
