# Builds Velmora's MSI with wixl from velmora.wxs, then finishes the
# database with msibuild where wixl 0.101 falls short. Run as a script:
#
#   cmake -DSETTINGS=<msi-settings.cmake> [-DVERSION=x.yy] [-DEXE=Velmora.exe]
#         [-DOUTPUT=file.msi] -P make-msi.cmake
#
# SETTINGS (written by msi.cmake at configure time) sets WIXL, MSIBUILD,
# MSIINFO, PYTHON3, WXS, ICON, DESKTOP_ENTRY, PRODUCT_NAME, MANUFACTURER and
# the defaults of VERSION, EXE and OUTPUT. A VERSION or EXE given on the
# command line wins: the upgrade tests build a lower version, and a changed
# program, from the same source that way.
#
# The same inputs give the same bytes: the codes are derived from the
# content and every date is the source date (cmake/reproducible.cmake).
cmake_minimum_required(VERSION 3.25)

include("${SETTINGS}")

# MSI versions are major.minor[.build], each a number (major, minor < 256).
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)(\\.[0-9]+)?$"
   OR CMAKE_MATCH_1 GREATER 255 OR CMAKE_MATCH_2 GREATER 255)
  message(FATAL_ERROR "not an MSI product version: '${VERSION}'")
endif()

# The shortcut is named as the desktop entry is, followed by the product's
# name in brackets: "<Name> (Velmora)". Windows' Start search matches the
# words of a shortcut's name (it has no keywords, as the desktop entry
# has), so a teacher who types "Velmora" finds it as well as a pupil who
# types the Bulgarian name. Its description is the entry's comment.
file(STRINGS "${DESKTOP_ENTRY}" _name REGEX "^Name=" ENCODING UTF-8)
file(STRINGS "${DESKTOP_ENTRY}" _comment REGEX "^Comment=" ENCODING UTF-8)
string(REGEX REPLACE "^Name=" "" _entry_name "${_name}")
string(REGEX REPLACE "^Comment=" "" SHORTCUT_DESCRIPTION "${_comment}")
if(_entry_name STREQUAL "" OR _entry_name MATCHES "[;'\"\\\\/:*?<>|]")
  message(FATAL_ERROR "${DESKTOP_ENTRY}: no usable Name= for the shortcut ('${_entry_name}')")
endif()
set(SHORTCUT_NAME "${_entry_name} (${PRODUCT_NAME})")
string(REPLACE "'" "" SHORTCUT_DESCRIPTION "${SHORTCUT_DESCRIPTION}")

include(${CMAKE_CURRENT_LIST_DIR}/../../../cmake/reproducible.cmake)
get_filename_component(_out_dir "${OUTPUT}" DIRECTORY)
set(_work "${OUTPUT}.work")
file(REMOVE_RECURSE "${_work}")
file(MAKE_DIRECTORY "${_work}" "${_out_dir}")
set(_msi "${_work}/package.msi")

# What the package installs beside the program: its licence, with the
# notices of the runtime code linked into it, in Windows line ends.
velmora_licence_text("${_work}/LICENSE.txt" CRLF ${VELMORA_WIN32_NOTICES})

# The codes follow the content. The ProductCode is a name-based UUID of the
# version and of the files installed: the same build is the same product,
# and a changed program (or a new version) is a new product that upgrades
# the old. The PackageCode, which names this very .msi, also covers every
# other input of the package.
file(SHA256 "${EXE}" _exe_digest)
file(SHA256 "${_work}/LICENSE.txt" _licence_digest)
string(UUID PRODUCT_CODE NAMESPACE 4F1B6E2A-9C3D-4E5F-8A7B-1C2D3E4F5A6B
       NAME "${VERSION} Velmora.exe ${_exe_digest} LICENSE.txt ${_licence_digest}" TYPE SHA1 UPPER)
set(_inputs "${PRODUCT_CODE} ${PRODUCT_NAME} ${MANUFACTURER}")
foreach(_input "${WXS}" "${ICON}" "${DESKTOP_ENTRY}" "${CMAKE_CURRENT_LIST_FILE}")
  file(SHA256 "${_input}" _digest)
  string(APPEND _inputs " ${_digest}")
endforeach()
string(UUID PACKAGE_CODE NAMESPACE 4F1B6E2A-9C3D-4E5F-8A7B-1C2D3E4F5A6B
       NAME "package ${_inputs}" TYPE SHA1 UPPER)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _err)
  # wixl reports some faults as GLib criticals and still exits 0.
  if(NOT _rc EQUAL 0 OR _err MATCHES "CRITICAL|WARNING")
    message(FATAL_ERROR "${ARGV0} failed (${_rc}):\n${_out}${_err}")
  endif()
endfunction()
function(sql query)
  run("${MSIBUILD}" "${_msi}" -q "${query}")
endfunction()

# wixl takes source files only by paths relative to the .wxs: all of them
# side by side in the work folder, each dated the source date, which the
# cabinet records.
file(COPY_FILE "${WXS}" "${_work}/velmora.wxs")
file(COPY_FILE "${EXE}" "${_work}/Velmora.exe")
file(COPY_FILE "${ICON}" "${_work}/velmora.ico")
velmora_source_date_epoch(_epoch)
foreach(_file Velmora.exe LICENSE.txt velmora.ico)
  run(touch -d @${_epoch} "${_work}/${_file}")
endforeach()
run(${CMAKE_COMMAND} -E env TZ=UTC0 "${WIXL}" -a x86
    -D "Version=${VERSION}" -D "ProductCode={${PRODUCT_CODE}}" -D "PackageCode={${PACKAGE_CODE}}"
    -D "ProductName=${PRODUCT_NAME}" -D "Manufacturer=${MANUFACTURER}"
    -D "Exe=Velmora.exe" -D "Licence=LICENSE.txt" -D "Icon=velmora.ico"
    -o "${_msi}" "${_work}/velmora.wxs")

# Code page 1251 for the database's strings (the summary information stays
# ASCII); only then do Cyrillic strings survive.
file(WRITE "${_work}/_ForceCodepage.idt" "\r\n\r\n1251\t_ForceCodepage\r\n")
run("${MSIBUILD}" "${_msi}" -i "${_work}/_ForceCodepage.idt")

# The shortcut's name, as short|long file name, and its description.
sql("UPDATE Shortcut SET Name = '${PRODUCT_NAME}|${SHORTCUT_NAME}', Description = '${SHORTCUT_DESCRIPTION}' WHERE Shortcut = 'VelmoraShortcut'")

# The row that finds older versions and this one: no minimum, the maximum
# (this version) included (msidbUpgradeAttributesVersionMaxInclusive).
execute_process(COMMAND "${MSIINFO}" export "${_msi}" Upgrade
                OUTPUT_VARIABLE _upgrade RESULT_VARIABLE _rc)
string(REGEX MATCH "\n({[0-9A-F-]+})\t[^\n]*\tOLDERFOUND" _row "${_upgrade}")
if(NOT _rc EQUAL 0 OR NOT _row)
  message(FATAL_ERROR "wixl wrote no OLDERFOUND row in the Upgrade table:\n${_upgrade}")
endif()
set(_upgrade_code "${CMAKE_MATCH_1}")
sql("DELETE FROM Upgrade WHERE ActionProperty = 'OLDERFOUND'")
sql("INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('${_upgrade_code}', '${VERSION}', 512, 'OLDERFOUND')")

# Strings that did not survive show up as empty names: check the result.
execute_process(COMMAND "${MSIINFO}" export "${_msi}" Shortcut OUTPUT_VARIABLE _shortcut)
string(FIND "${_shortcut}" "|${SHORTCUT_NAME}\t" _at)
if(_at LESS 0)
  message(FATAL_ERROR "the shortcut's name did not reach the database:\n${_shortcut}")
endif()

# The package's own code and dates, which wixl takes from nowhere: its
# PackageCode in the summary information (the subject, author and platform
# as wixl wrote them, and as its language the product's own, the
# ProductLanguage that velmora.wxs gives), then the source date as its
# creation and last-saved dates.
execute_process(COMMAND "${MSIINFO}" export "${_msi}" Property
                OUTPUT_VARIABLE _properties RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0 OR NOT _properties MATCHES "\nProductLanguage\t([0-9]+)\r?\n")
  message(FATAL_ERROR "no ProductLanguage in the Property table:\n${_properties}")
endif()
set(_language "${CMAKE_MATCH_1}")
run("${MSIBUILD}" "${_msi}" -s "${PRODUCT_NAME} ${VERSION}" "${MANUFACTURER}" "Intel\;${_language}"
    "{${PACKAGE_CODE}}")
run("${PYTHON3}" "${CMAKE_CURRENT_LIST_DIR}/summary-dates.py" "${_msi}" ${_epoch} "${MSIINFO}")

file(RENAME "${_msi}" "${OUTPUT}")
file(REMOVE_RECURSE "${_work}")
message(STATUS "${OUTPUT}: version ${VERSION}, ProductCode {${PRODUCT_CODE}}, PackageCode {${PACKAGE_CODE}}")
