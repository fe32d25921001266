# The teachers' page's files in the web page's folder, included by
# app/web/assemble.cmake before it lists the folder for the service worker:
#   TEACHERS_DIR   app/teachers: teachers.html, teachers.js, teachers.css
#   TEACHERS_WASM  velmora-teachers.wasm, as the WebAssembly build made it
#   GRAPHVIZ_JS    Graphviz for the browser, as npm installed it; the page
#                  calls it graphviz.js and loads it only to draw a picture
# It sets WEB_LAZY_FILES: the files the service worker keeps only once
# they are used, rather than on every first visit (graphviz.js, the
# biggest file by far, which only a teacher drawing a picture needs).
file(COPY ${TEACHERS_DIR}/teachers.html ${TEACHERS_DIR}/teachers.js ${TEACHERS_DIR}/teachers.css
          ${TEACHERS_WASM}
     DESTINATION ${WEB_DIR})
configure_file(${GRAPHVIZ_JS} ${WEB_DIR}/graphviz.js COPYONLY)
set(WEB_LAZY_FILES graphviz.js)
