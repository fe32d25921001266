# Velmora.exe: the Win32 program, cross-built with MinGW-w64 (see
# cmake/win32-cross.cmake). Its resources come from the host build's
# generated files (the layout record and the icon) and from this build's
# version.h and manifest.
set(VELMORA_HOST_GENERATED_DIR "" CACHE PATH
    "The host build's generated folder, with velmora.rec and velmora.ico")
enable_language(RC)

set(_velmora_rec ${VELMORA_HOST_GENERATED_DIR}/velmora.rec)
set(_velmora_ico ${VELMORA_HOST_GENERATED_DIR}/velmora.ico)
if(NOT TARGET velmora_layout OR NOT VELMORA_HOST_GENERATED_DIR)
  message(STATUS "No layout reader or generated directory: Velmora.exe is not built")
  return()
endif()

set(_velmora_rc ${CMAKE_CURRENT_SOURCE_DIR}/win32/velmora.rc)
set_source_files_properties(${_velmora_rc} PROPERTIES OBJECT_DEPENDS
  "${_velmora_rec};${_velmora_ico};${VELMORA_GENERATED_DIR}/velmora.manifest;${CMAKE_CURRENT_SOURCE_DIR}/win32/resource.h;${VELMORA_GENERATED_DIR}/version.h")

# The resource script finds its files through the include path.
add_library(velmora_win32_resources INTERFACE)
target_include_directories(velmora_win32_resources INTERFACE
  ${PROJECT_SOURCE_DIR} ${VELMORA_GENERATED_DIR} ${VELMORA_HOST_GENERATED_DIR}
  ${CMAKE_CURRENT_SOURCE_DIR}/win32)

add_executable(Velmora WIN32 win32/main.cpp win32/terminate.cpp ${_velmora_rc})
target_link_libraries(Velmora PRIVATE velmora_win32 velmora_layout velmora_win32_resources)
target_link_libraries(Velmora PRIVATE velmora_warnings)
target_compile_options(Velmora PRIVATE "$<$<COMPILE_LANGUAGE:RC>:-c65001>")
# wWinMain; the program ships stripped.
target_link_options(Velmora PRIVATE -municode -s)
# The lowest system and subsystem versions the headers ask for: 4.0, as the
# linker has always written them, so that Windows XP SP3 starts the program
# and later systems treat it as they always have.
target_link_options(Velmora PRIVATE
  -Wl,--major-os-version,4,--minor-os-version,0,--major-subsystem-version,4,--minor-subsystem-version,0)

# No link-time optimisation: GCC 12's MinGW compiler stops with an internal
# error (in binds_to_current_def_p, on std::string's operator+) when it
# links this program with -flto. The size comes from what is linked in.
target_link_options(Velmora PRIVATE -Os)

# The bare Win32 program that the start-up benchmark compares against.
add_subdirectory(${PROJECT_SOURCE_DIR}/bench/win32 ${CMAKE_BINARY_DIR}/bench/win32)
