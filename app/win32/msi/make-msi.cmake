# Builds Velmora's MSI with wixl from velmora.wxs, then finishes the
# database with msibuild where wixl 0.101 falls short. Run as a script:
#
#   cmake -DSETTINGS=<msi-settings.cmake> [-DVERSION=x.yy] [-DOUTPUT=file.msi] -P make-msi.cmake
#
# SETTINGS (written by msi.cmake at configure time) sets WIXL, MSIBUILD,
# MSIINFO, WXS, EXE, ICON, DESKTOP_ENTRY, PRODUCT_NAME, MANUFACTURER and the
# defaults of VERSION and OUTPUT. A VERSION given on the command line wins:
# the upgrade tests build a lower version from the same source that way.
cmake_minimum_required(VERSION 3.25)

include("${SETTINGS}")

# MSI versions are major.minor[.build], each a number (major, minor < 256).
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)(\\.[0-9]+)?$"
   OR CMAKE_MATCH_1 GREATER 255 OR CMAKE_MATCH_2 GREATER 255)
  message(FATAL_ERROR "not an MSI product version: '${VERSION}'")
endif()

# The shortcut is named and described as the desktop entry is.
file(STRINGS "${DESKTOP_ENTRY}" _name REGEX "^Name=" ENCODING UTF-8)
file(STRINGS "${DESKTOP_ENTRY}" _comment REGEX "^Comment=" ENCODING UTF-8)
string(REGEX REPLACE "^Name=" "" SHORTCUT_NAME "${_name}")
string(REGEX REPLACE "^Comment=" "" SHORTCUT_DESCRIPTION "${_comment}")
if(SHORTCUT_NAME STREQUAL "" OR SHORTCUT_NAME MATCHES "[;'\"\\\\/:*?<>|]")
  message(FATAL_ERROR "${DESKTOP_ENTRY}: no usable Name= for the shortcut ('${SHORTCUT_NAME}')")
endif()
string(REPLACE "'" "" SHORTCUT_DESCRIPTION "${SHORTCUT_DESCRIPTION}")

# A new ProductCode for every build: a name-based UUID of this moment and
# fresh random text, so two builds never share one.
string(TIMESTAMP _now "%Y-%m-%dT%H:%M:%S.%f" UTC)
string(RANDOM LENGTH 32 _noise)
string(UUID PRODUCT_CODE NAMESPACE 4F1B6E2A-9C3D-4E5F-8A7B-1C2D3E4F5A6B
       NAME "${_now}-${_noise}-${OUTPUT}" TYPE SHA1 UPPER)

get_filename_component(_out_dir "${OUTPUT}" DIRECTORY)
set(_work "${OUTPUT}.work")
file(REMOVE_RECURSE "${_work}")
file(MAKE_DIRECTORY "${_work}" "${_out_dir}")
set(_msi "${_work}/package.msi")

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

# wixl takes source files only by paths relative to the .wxs: all three
# side by side in the work folder.
file(COPY_FILE "${WXS}" "${_work}/velmora.wxs")
file(COPY_FILE "${EXE}" "${_work}/Velmora.exe")
file(COPY_FILE "${ICON}" "${_work}/velmora.ico")
run("${WIXL}" -a x86
    -D "Version=${VERSION}" -D "ProductCode={${PRODUCT_CODE}}"
    -D "ProductName=${PRODUCT_NAME}" -D "Manufacturer=${MANUFACTURER}"
    -D "Exe=Velmora.exe" -D "Icon=velmora.ico"
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

file(RENAME "${_msi}" "${OUTPUT}")
file(REMOVE_RECURSE "${_work}")
message(STATUS "${OUTPUT}: version ${VERSION}, ProductCode {${PRODUCT_CODE}}")
