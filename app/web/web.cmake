# Host build: the web page put together in build/web/ from the WebAssembly
# build's module, the record and icon the host build wrote, and the page's
# own files here, then zipped into build/Velmora-web.zip (assemble.cmake
# does the work). Included by cmake/wasm-cross.cmake.
include(${PROJECT_SOURCE_DIR}/app/icons/icons.cmake)  # VELMORA_ICON_SVG
# The teachers' page, teachers.html, is put together with it.
include(${PROJECT_SOURCE_DIR}/app/teachers/teachers.cmake)

set(VELMORA_WEB_DIR ${CMAKE_BINARY_DIR}/web)
set(VELMORA_WEB_ZIP ${CMAKE_BINARY_DIR}/Velmora-web.zip)
set(_web_sources
  ${CMAKE_CURRENT_LIST_DIR}/index.html.in
  ${PROJECT_SOURCE_DIR}/window/web/page_build.js
  ${PROJECT_SOURCE_DIR}/window/web/page.js
  ${PROJECT_SOURCE_DIR}/window/web/page_html.mjs
  ${CMAKE_CURRENT_LIST_DIR}/velmora.css
  ${CMAKE_CURRENT_LIST_DIR}/sw.js.in
  ${CMAKE_CURRENT_LIST_DIR}/manifest.webmanifest.in
  ${CMAKE_CURRENT_LIST_DIR}/assemble.cmake
  ${VELMORA_ICON_SVG}
  ${VELMORA_LICENCE_INPUTS})
set(_web_generated ${VELMORA_GENERATED_DIR}/velmora.rec ${VELMORA_GENERATED_DIR}/velmora.ico)

add_custom_command(OUTPUT ${VELMORA_WEB_DIR}/sw.js
  COMMAND ${CMAKE_COMMAND}
    -DSOURCE_DIR=${CMAKE_CURRENT_LIST_DIR}
    -DWASM_DIR=${VELMORA_WASM_BINARY_DIR}/window/web
    -DGENERATED_DIR=${VELMORA_GENERATED_DIR}
    -DWEB_DIR=${VELMORA_WEB_DIR}
    -DDRIVER=$<TARGET_FILE:velmora-driver>
    -DPAGE_WINDOW=$<TARGET_FILE:velmora-page-window>
    -DPAGE_BUILD_JS=${PROJECT_SOURCE_DIR}/window/web/page_build.js
    -DPAGE_JS=${PROJECT_SOURCE_DIR}/window/web/page.js
    -DPAGE_HTML_JS=${PROJECT_SOURCE_DIR}/window/web/page_html.mjs
    -DNODE=${VELMORA_NODE}
    -DRSVG_CONVERT=${VELMORA_RSVG_CONVERT}
    -DICON_SVG=${VELMORA_ICON_SVG}
    -DPRODUCT_NAME=${VELMORA_PRODUCT_NAME}
    ${VELMORA_TEACHERS_ARGS}
    -P ${CMAKE_CURRENT_LIST_DIR}/assemble.cmake
  DEPENDS velmora_wasm_cross ${VELMORA_WASM_MODULE} ${_web_sources} ${_web_generated}
    velmora_generated velmora-driver velmora-page-window
    ${VELMORA_TEACHERS_DEPENDS}
  COMMENT "Putting the web page together in ${VELMORA_WEB_DIR}"
  VERBATIM)

set(_web_outputs ${VELMORA_WEB_DIR}/sw.js)
find_program(VELMORA_ZIP zip)
if(VELMORA_ZIP)
  add_custom_command(OUTPUT ${VELMORA_WEB_ZIP}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${VELMORA_WEB_DIR} -DOUTPUT=${VELMORA_WEB_ZIP}
            -P ${CMAKE_CURRENT_LIST_DIR}/zip.cmake
    DEPENDS ${VELMORA_WEB_DIR}/sw.js ${CMAKE_CURRENT_LIST_DIR}/zip.cmake
            ${PROJECT_SOURCE_DIR}/cmake/reproducible.cmake
    COMMENT "Zipping the web page"
    VERBATIM)
  list(APPEND _web_outputs ${VELMORA_WEB_ZIP})
else()
  message(STATUS "zip not found: no Velmora-web.zip")
endif()
add_custom_target(velmora_web_page ALL DEPENDS ${_web_outputs})
