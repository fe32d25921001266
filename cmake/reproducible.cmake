# Builds that give the same bytes from the same source, in any folder and
# at any time. Included by the top CMakeLists.txt (so the cross builds have
# it too) and by the packaging scripts run with cmake -P.
#
# In a build: no source or build folder in what is compiled (__FILE__,
# debug information), and no link time in a Windows program's header (its
# time stamp is 0, its checksum then follows from the content).
#
# For the packaging scripts: the time that every archive member and every
# date in a package carries (velmora_source_date_epoch), a zip made the
# same way every time (velmora_zip) and the licence text a deliverable
# ships (velmora_licence_text).
get_filename_component(VELMORA_REPRODUCIBLE_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

if(DEFINED PROJECT_SOURCE_DIR)
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                      -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
  if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    add_link_options(-Wl,--no-insert-timestamp)
  endif()
  # What the licence texts of the deliverables are made from, for the
  # rules that make them to depend on.
  file(GLOB VELMORA_LICENCE_INPUTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/app/notices/*)
  list(APPEND VELMORA_LICENCE_INPUTS ${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_CURRENT_LIST_FILE})
endif()
include(${VELMORA_REPRODUCIBLE_SOURCE_DIR}/app/notices/notices.cmake)

# velmora_source_date_epoch(<var>): seconds since 1970 (UTC), as the
# reproducible-builds convention has it: SOURCE_DATE_EPOCH when the
# environment sets it; else the last commit's time in a git checkout; else
# the time that `git archive` wrote into app/source-date (a source tarball).
function(velmora_source_date_epoch out)
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(epoch STREQUAL "" AND EXISTS ${VELMORA_REPRODUCIBLE_SOURCE_DIR}/.git)
    execute_process(COMMAND git -C ${VELMORA_REPRODUCIBLE_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(epoch STREQUAL "")
    file(STRINGS ${VELMORA_REPRODUCIBLE_SOURCE_DIR}/app/source-date epoch LIMIT_COUNT 1)
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "No source date: set SOURCE_DATE_EPOCH (seconds since 1970), "
                        "or build from a git checkout or a `git archive` tarball ('${epoch}')")
  endif()
  set(${out} ${epoch} PARENT_SCOPE)
endfunction()

# velmora_zip(<zip> <folder>): every file under <folder> into <zip>, which
# is made afresh: names in byte order, no folder entries, each file dated
# the source date (UTC) with mode 0644, and no extra fields (owners,
# Unix times). <folder> itself is left alone: the files are staged.
function(velmora_zip zip folder)
  find_program(VELMORA_ZIP_PROGRAM zip REQUIRED)
  velmora_source_date_epoch(epoch)
  # Zip times count in steps of 2 s, and zip rounds an odd second up: the
  # even second at or before the source date, as strip-nondeterminism
  # would date it too (1796784195 -> 1796784194).
  math(EXPR epoch "${epoch} - ${epoch} % 2")
  set(stage ${zip}.stage)
  file(REMOVE_RECURSE ${stage})
  file(REMOVE ${zip})
  file(COPY ${folder}/ DESTINATION ${stage})
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*)
  list(SORT files)
  foreach(f ${files})
    file(CHMOD ${stage}/${f} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    execute_process(COMMAND touch -h -d @${epoch} ${stage}/${f} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "could not date ${stage}/${f}")
    endif()
  endforeach()
  # zip writes local times: UTC, so that the time zone does not show.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0 LC_ALL=C
                          ${VELMORA_ZIP_PROGRAM} -X -D -q ${zip} ${files}
                  WORKING_DIRECTORY ${stage} RESULT_VARIABLE rc)
  file(REMOVE_RECURSE ${stage})
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "zip could not write ${zip}")
  endif()
endfunction()

# velmora_licence_text(<output> <LF|CRLF> [<notice file>...]): the
# project's LICENSE, then each notice of code from elsewhere that the
# deliverable contains, with the given line ends (CRLF where Windows
# Notepad reads it).
function(velmora_licence_text output newline)
  file(READ ${VELMORA_REPRODUCIBLE_SOURCE_DIR}/LICENSE text)
  if(ARGN)
    string(APPEND text "\n\nThis program also contains code from the following projects, under "
                       "their own licences:\n")
  endif()
  foreach(notice ${ARGN})
    file(READ ${notice} part)
    string(APPEND text "\n---------------------------------------------------------------------------\n\n${part}")
  endforeach()
  if(newline STREQUAL "CRLF")
    string(REPLACE "\n" "\r\n" text "${text}")
  endif()
  file(WRITE ${output} "${text}")
endfunction()
