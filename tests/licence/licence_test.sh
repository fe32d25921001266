#!/usr/bin/env bash
# What each deliverable says about its licence:
#   licence_test.sh <source> <build> [<the Windows zip>]
# licensecheck reads LICENSE as the MIT licence; the Windows zip, named
# when the build makes one (then it must be there), holds Velmora.exe and
# LICENSE.txt, the web page (and its zip) LICENSE.txt; each LICENSE.txt is
# LICENSE followed by the notices of the code from elsewhere in that
# deliverable (app/notices/notices.cmake), in Windows line ends for Windows.
set -euo pipefail
source=$1 build=$2 win32_zip=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
ok() { echo "ok   $*"; }
bad() { echo "FAIL $*"; failures=$((failures + 1)); }

found=$(licensecheck "$source/LICENSE")
[[ "$found" == *": MIT License" ]] && ok "licensecheck: $found" || bad "licensecheck: $found"

notices() {  # WIN32 or WEB: the notice files
  sed -n "/^set(VELMORA_$1_NOTICES/,/)/p" "$source/app/notices/notices.cmake" |
    grep -o '[a-z_-]*\.txt' | sed "s|^|$source/app/notices/|"
}
# licence_text <what> <file> <CRLF|LF> <notices of>
licence_text() {
  local text=$work/text
  if [[ $3 == CRLF ]]; then
    grep -q $'[^\r]$' "$2" && bad "$1: a line without CR"
    tr -d '\r' <"$2" >"$text"
  else
    grep -q $'\r' "$2" && bad "$1: CR in the text"
    cp "$2" "$text"
  fi
  cmp -s -n "$(stat -c %s "$source/LICENSE")" "$text" "$source/LICENSE" &&
    ok "$1 begins with LICENSE" || bad "$1 does not begin with LICENSE"
  local n
  for n in $(notices "$4"); do
    [[ "$(<"$text")" == *"$(<"$n")"* ]] && ok "$1 has $(basename "$n")" || bad "$1 lacks $(basename "$n")"
  done
}

if [[ -n "$win32_zip" && ! -f "$win32_zip" ]]; then
  bad "no Windows zip $win32_zip"
elif [[ -n "$win32_zip" ]]; then
  members=$(unzip -Z1 "$win32_zip" | tr '\n' ' ')
  [[ "$members" == "LICENSE.txt Velmora.exe " ]] && ok "$(basename "$win32_zip"): $members" || bad "$(basename "$win32_zip") holds: $members"
  unzip -q -o "$win32_zip" LICENSE.txt -d "$work/win32"
  licence_text "the Windows LICENSE.txt" "$work/win32/LICENSE.txt" CRLF WIN32
fi
if [[ -f "$build/web/LICENSE.txt" ]]; then
  licence_text "the web page's LICENSE.txt" "$build/web/LICENSE.txt" LF WEB
  # The whole listing first: grep -q stops reading at its match, and under
  # pipefail unzip's broken pipe would count as a missing file.
  web_members=$(unzip -Z1 "$build/Velmora-web.zip")
  grep -qx LICENSE.txt <<<"$web_members" && ok "the web zip holds LICENSE.txt" ||
    bad "the web zip lacks LICENSE.txt"
fi
((failures == 0))
