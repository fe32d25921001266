# Host build: the icon's sizes rendered from its SVG, the tool that writes
# the stored layout record and the icon file from the layout table and the
# 32 x 32 picture, the custom target velmora_generated that runs them into
# ${VELMORA_GENERATED_DIR}, and velmora_embedded_record, the record compiled
# into a library (window/embedded_record.h).

include(${PROJECT_SOURCE_DIR}/app/icons/icons.cmake)
find_program(VELMORA_RSVG_CONVERT rsvg-convert REQUIRED)  # librsvg2-bin
find_program(VELMORA_IM_CONVERT convert REQUIRED)         # imagemagick

# Every size straight from the SVG, as RGBA PNGs.
set(_icon_pngs)
foreach(_n ${VELMORA_ICON_SIZES})
  set(_png ${VELMORA_ICON_DIR}/velmora-${_n}.png)
  add_custom_command(
    OUTPUT ${_png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_ICON_DIR}
    COMMAND ${VELMORA_RSVG_CONVERT} --width ${_n} --height ${_n} --format png
            --output ${_png} ${VELMORA_ICON_SVG}
    DEPENDS ${VELMORA_ICON_SVG}
    COMMENT "Rendering the icon at ${_n} x ${_n}"
    VERBATIM)
  list(APPEND _icon_pngs ${_png})
endforeach()

# The 32 x 32 picture for the icon file: alpha cut at half (the icon's mask
# is all or nothing), then the alpha channel on its own, and the colours
# over black (what a clear pixel must hold) in at most 256, undithered.
add_custom_command(
  OUTPUT ${VELMORA_ICON_BMP} ${VELMORA_ICON_ALPHA}
  COMMAND ${VELMORA_IM_CONVERT} ${VELMORA_ICON_DIR}/velmora-32.png
          -channel A -threshold 50% +channel
          ( +clone -alpha extract -write PGM:${VELMORA_ICON_ALPHA} +delete )
          -background black -alpha remove
          -dither None -colors 256 -type Palette -compress None
          BMP3:${VELMORA_ICON_BMP}
  DEPENDS ${VELMORA_ICON_DIR}/velmora-32.png
  COMMENT "Reducing the 32 x 32 icon to 256 colours"
  VERBATIM)

add_executable(velmora-make-record ${CMAKE_CURRENT_LIST_DIR}/make_record.cpp)
target_link_libraries(velmora-make-record PRIVATE velmora_record_writer)
target_link_libraries(velmora-make-record PRIVATE velmora_warnings)

set(_generated
  ${VELMORA_GENERATED_DIR}/velmora.rec
  ${VELMORA_GENERATED_DIR}/velmora.ico
  ${VELMORA_GENERATED_DIR}/embedded_record.cpp)
add_custom_command(
  OUTPUT ${_generated}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_GENERATED_DIR}
  COMMAND velmora-make-record ${VELMORA_GENERATED_DIR} ${VELMORA_ICON_BMP} ${VELMORA_ICON_ALPHA}
  DEPENDS velmora-make-record ${VELMORA_ICON_BMP} ${VELMORA_ICON_ALPHA}
  COMMENT "Writing the layout record and the icon file"
  VERBATIM)
add_custom_target(velmora_generated ALL DEPENDS ${_generated} ${_icon_pngs})

add_library(velmora_embedded_record STATIC ${VELMORA_GENERATED_DIR}/embedded_record.cpp)
target_include_directories(velmora_embedded_record PUBLIC ${PROJECT_SOURCE_DIR})
add_dependencies(velmora_embedded_record velmora_generated)
target_link_libraries(velmora_embedded_record PRIVATE velmora_warnings)
