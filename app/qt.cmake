# The Linux program `velmora` on Qt 6 Widgets, its desktop integration and
# its Debian package (app/linux).

# The desktop id in reverse-DNS form from the site's domain:
# velmora.example -> example.velmora.Velmora
string(REPLACE "." ";" _site_parts "${VELMORA_DOMAIN}")
list(REVERSE _site_parts)
list(JOIN _site_parts "." _site_reversed)
set(VELMORA_APP_ID "${_site_reversed}.${VELMORA_PRODUCT_NAME}")

add_executable(velmora ${CMAKE_CURRENT_LIST_DIR}/main_qt.cpp)
target_link_libraries(velmora PRIVATE velmora_qt velmora_embedded_record)
target_include_directories(velmora PRIVATE ${VELMORA_GENERATED_DIR})
target_compile_definitions(velmora PRIVATE VELMORA_APP_ID="${VELMORA_APP_ID}")
target_link_libraries(velmora PRIVATE velmora_warnings)
# Relocations resolved at start-up, then made read-only.
target_link_options(velmora PRIVATE LINKER:-z,relro,-z,now)

include(${CMAKE_CURRENT_LIST_DIR}/linux/install.cmake)
