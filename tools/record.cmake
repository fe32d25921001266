# Host build: the tool that writes the stored layout record and the icon
# files from the layout table, the custom target velmora_generated that runs
# it into ${VELMORA_GENERATED_DIR}, and velmora_embedded_record, the record
# compiled into a library (window/embedded_record.h).

add_executable(velmora-make-record ${CMAKE_CURRENT_LIST_DIR}/make_record.cpp)
target_link_libraries(velmora-make-record PRIVATE velmora_record_writer)
target_compile_options(velmora-make-record PRIVATE ${VELMORA_WARNINGS})

set(_generated
  ${VELMORA_GENERATED_DIR}/velmora.rec
  ${VELMORA_GENERATED_DIR}/velmora.ico
  ${VELMORA_GENERATED_DIR}/velmora.png
  ${VELMORA_GENERATED_DIR}/embedded_record.cpp)
add_custom_command(
  OUTPUT ${_generated}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_GENERATED_DIR}
  COMMAND velmora-make-record ${VELMORA_GENERATED_DIR}
  DEPENDS velmora-make-record
  COMMENT "Writing the layout record and the icon"
  VERBATIM)
add_custom_target(velmora_generated ALL DEPENDS ${_generated})

add_library(velmora_embedded_record STATIC ${VELMORA_GENERATED_DIR}/embedded_record.cpp)
target_include_directories(velmora_embedded_record PUBLIC ${PROJECT_SOURCE_DIR})
add_dependencies(velmora_embedded_record velmora_generated)
target_compile_options(velmora_embedded_record PRIVATE ${VELMORA_WARNINGS})
