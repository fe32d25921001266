# The toolkit-independent layout. velmora_layout, in every build, is what the
# programs run: code page 1251 and the record reader. velmora_record_writer,
# host build only, is what makes the record at build time: the layout table,
# the icon and the writer (tools/record.cmake runs it).

add_library(velmora_layout STATIC
  ${CMAKE_CURRENT_LIST_DIR}/bytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cp1251.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/front_end.cpp
  ${CMAKE_CURRENT_LIST_DIR}/icon_image.cpp)
target_include_directories(velmora_layout PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(velmora_layout PUBLIC velmora_panel)
target_link_libraries(velmora_layout PRIVATE velmora_warnings)

if(NOT VELMORA_CROSS)
  add_library(velmora_record_writer STATIC
    ${CMAKE_CURRENT_LIST_DIR}/layout_data.cpp
    ${CMAKE_CURRENT_LIST_DIR}/icon.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_writer.cpp)
  target_link_libraries(velmora_record_writer PUBLIC velmora_layout)
  # version.h (the caption's site address) is configured by app/version.cmake.
  target_include_directories(velmora_record_writer PRIVATE ${VELMORA_GENERATED_DIR})
  target_link_libraries(velmora_record_writer PRIVATE velmora_warnings)
endif()
