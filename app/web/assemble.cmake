# Puts the web page together (cmake -P, run by web.cmake):
#   SOURCE_DIR     app/web: index.html.in, velmora.css, sw.js.in, manifest.webmanifest.in
#   WASM_DIR       where the WebAssembly build wrote the modules, velmora.wasm
#                  and velmora-window.wasm
#   GENERATED_DIR  velmora.rec and velmora.ico, as the host build wrote them
#   WEB_DIR        the page's folder, made afresh
#   DRIVER         velmora-driver, which gives the page's description
#   PAGE_WINDOW    velmora-page-window, which writes the record's window's
#                  description as velmora-window.wasm answers it;
#                  PAGE_BUILD_JS the script that writes its elements (run
#                  here by NODE with PAGE_HTML_JS) and PAGE_JS the page's
#                  own: index.html gets the elements and both scripts, to
#                  show the window before the module is there
#   RSVG_CONVERT   rsvg-convert, and ICON_SVG the icon's source, for the
#                  manifest's PNG icons
#   PRODUCT_NAME   the manifest's name
#   TEACHERS_ASSEMBLE  app/teachers/assemble.cmake, which adds the teachers'
#                  page (its TEACHERS_* and GRAPHVIZ_JS are for it)
# The page's folder also holds LICENSE.txt: the licence and the notices of
# the code compiled into the module. The service worker is written last but
# for the gzipped copies, with the list of files to keep and a digest of
# them all in its cache's name: a changed page is a new worker.

include(${SOURCE_DIR}/../../cmake/reproducible.cmake)

file(REMOVE_RECURSE ${WEB_DIR})
file(MAKE_DIRECTORY ${WEB_DIR})
velmora_licence_text(${WEB_DIR}/LICENSE.txt LF ${VELMORA_WEB_NOTICES})
file(COPY ${WASM_DIR}/velmora.wasm ${WASM_DIR}/velmora-window.wasm
          ${GENERATED_DIR}/velmora.rec ${GENERATED_DIR}/velmora.ico
     DESTINATION ${WEB_DIR})

execute_process(COMMAND ${PAGE_WINDOW} ${GENERATED_DIR}/velmora.rec
                OUTPUT_VARIABLE WINDOW_DESCRIPTION OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "velmora-page-window could not describe the window")
endif()
# The window's elements, and its caption for the title and the heading, as
# page_build.js writes them.
file(WRITE ${WEB_DIR}/window.json "${WINDOW_DESCRIPTION}")
execute_process(COMMAND ${NODE} ${PAGE_HTML_JS} ${PAGE_BUILD_JS} ${WEB_DIR}/window.json
                OUTPUT_VARIABLE WINDOW_HTML RESULT_VARIABLE result)
execute_process(COMMAND ${NODE} ${PAGE_HTML_JS} ${PAGE_BUILD_JS} ${WEB_DIR}/window.json caption
                OUTPUT_VARIABLE WINDOW_CAPTION RESULT_VARIABLE caption_result)
file(REMOVE ${WEB_DIR}/window.json)
if(NOT result EQUAL 0 OR NOT caption_result EQUAL 0)
  message(FATAL_ERROR "page_html.mjs could not write the window's elements")
endif()
# The style is written into the page: its first frame waits for no file.
file(READ ${SOURCE_DIR}/velmora.css VELMORA_CSS)
file(READ ${PAGE_BUILD_JS} PAGE_BUILD_JS)
file(READ ${PAGE_JS} PAGE_JS)
configure_file(${SOURCE_DIR}/index.html.in ${WEB_DIR}/index.html @ONLY)

# The manifest's icons, rendered from the icon's SVG at the sizes that
# installing the page as an app asks for.
set(icons)
foreach(size 192 512)
  execute_process(
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --format png
            --output ${WEB_DIR}/icon-${size}.png ${ICON_SVG}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "rsvg-convert could not make icon-${size}.png")
  endif()
  list(APPEND icons "{\"src\": \"icon-${size}.png\", \"sizes\": \"${size}x${size}\", \"type\": \"image/png\"}")
endforeach()
list(APPEND icons "{\"src\": \"velmora.ico\", \"sizes\": \"32x32\", \"type\": \"image/x-icon\"}")
list(JOIN icons ",\n    " MANIFEST_ICONS)

# The manifest's colours: the window's background, as the page's
# description gives it to the page (#rrggbb).
file(WRITE ${WEB_DIR}/page-request.json "{\"op\":\"page\"}\n")
execute_process(COMMAND ${DRIVER} INPUT_FILE ${WEB_DIR}/page-request.json
                OUTPUT_VARIABLE page RESULT_VARIABLE result)
file(REMOVE ${WEB_DIR}/page-request.json)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "velmora-driver could not describe the page")
endif()
string(JSON MANIFEST_COLOUR ERROR_VARIABLE error GET "${page}" background)
if(error)
  message(FATAL_ERROR "The page's description gives no background colour: ${page}")
endif()
configure_file(${SOURCE_DIR}/manifest.webmanifest.in ${WEB_DIR}/manifest.webmanifest @ONLY)

# The teachers' page beside the window's (app/teachers/assemble.cmake),
# which names the files the worker keeps only once used (WEB_LAZY_FILES).
include(${TEACHERS_ASSEMBLE})

file(GLOB files RELATIVE ${WEB_DIR} ${WEB_DIR}/*)
list(SORT files)
set(digests)
foreach(f ${files})
  file(SHA256 ${WEB_DIR}/${f} digest)
  string(APPEND digests "${f} ${digest}\n")
endforeach()
string(SHA256 WEB_DIGEST "${digests}")
string(SUBSTRING "${WEB_DIGEST}" 0 16 WEB_DIGEST)
list(REMOVE_ITEM files ${WEB_LAZY_FILES})
list(TRANSFORM WEB_LAZY_FILES PREPEND "'")
list(TRANSFORM WEB_LAZY_FILES APPEND "'")
list(JOIN WEB_LAZY_FILES ", " WEB_LAZY_FILES)
list(TRANSFORM files PREPEND "'")
list(TRANSFORM files APPEND "'")
list(JOIN files ", " WEB_FILES)
configure_file(${SOURCE_DIR}/sw.js.in ${WEB_DIR}/sw.js @ONLY)

# A gzipped copy beside each file that compresses (all but the PNGs), for
# servers that send a file's .gz to browsers that take gzip (README). No
# name or time in them: the same page gives the same bytes.
find_program(GZIP gzip REQUIRED)
file(GLOB files RELATIVE ${WEB_DIR} ${WEB_DIR}/*)
foreach(f ${files})
  if(NOT f MATCHES "\\.png$")
    execute_process(COMMAND ${GZIP} -9 -n -k -f ${WEB_DIR}/${f} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "gzip could not compress ${f}")
    endif()
  endif()
endforeach()
