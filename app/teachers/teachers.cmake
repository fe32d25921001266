# Host build: what the web page's assembly (app/web/assemble.cmake) needs
# for the teachers' page, teachers.html beside the window's index.html: its
# module (velmora-teachers.wasm, which the WebAssembly build makes from
# explore/, see explore/web), its own files here, and Graphviz for its
# pictures, installed from npm exactly as package-lock.json pins it, into a
# folder of the build's own. Included by web.cmake, which hands
# VELMORA_TEACHERS_ARGS to the assembly and makes it depend on
# VELMORA_TEACHERS_DEPENDS. (cmake/wasm-cross.cmake found npm.)
set(_teachers_npm ${CMAKE_BINARY_DIR}/teachers-npm)
set(_teachers_stamp ${_teachers_npm}/installed.stamp)
# npm ci installs afresh, and what it unpacks keeps the package's dates:
# a stamp says when it last ran. It uses the packages npm keeps from an
# earlier install where it can, so that a rebuild needs no network.
add_custom_command(OUTPUT ${_teachers_stamp}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_teachers_npm}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/package.json
          ${CMAKE_CURRENT_LIST_DIR}/package-lock.json ${_teachers_npm}
  COMMAND ${CMAKE_COMMAND} -E chdir ${_teachers_npm}
          ${VELMORA_NPM} ci --ignore-scripts --no-audit --no-fund --prefer-offline
  COMMAND ${CMAKE_COMMAND} -E touch ${_teachers_stamp}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/package.json ${CMAKE_CURRENT_LIST_DIR}/package-lock.json
  COMMENT "Installing Graphviz for the teachers' page (npm ci)"
  VERBATIM)

set(VELMORA_TEACHERS_ARGS
  -DTEACHERS_ASSEMBLE=${CMAKE_CURRENT_LIST_DIR}/assemble.cmake
  -DTEACHERS_DIR=${CMAKE_CURRENT_LIST_DIR}
  -DTEACHERS_WASM=${VELMORA_TEACHERS_MODULE}
  -DGRAPHVIZ_JS=${_teachers_npm}/node_modules/@viz-js/viz/dist/viz-global.js)
set(VELMORA_TEACHERS_DEPENDS
  ${_teachers_stamp}
  ${VELMORA_TEACHERS_MODULE}
  ${CMAKE_CURRENT_LIST_DIR}/assemble.cmake
  ${CMAKE_CURRENT_LIST_DIR}/teachers.html
  ${CMAKE_CURRENT_LIST_DIR}/teachers.js
  ${CMAKE_CURRENT_LIST_DIR}/teachers.css)
