#!/usr/bin/env bash
# Checks that the program is a 32-bit (i386) GUI executable that imports
# system DLLs only (no C++ runtime, thread or compiler support DLL), asks
# for no system newer than Windows XP (5.1) in its headers, and,
# given a size, that the stripped program is no larger.
#   check-exe.sh <objdump> <program.exe> [largest size in bytes]
set -euo pipefail
objdump=$1 exe=$2 largest=${3:-}
headers=$("$objdump" -p "$exe")
fail() { echo "FAIL: $*" >&2; exit 1; }

grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE32 i386 image"
grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$headers" || fail "not the GUI subsystem"

allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|oleaut32|msvcrt|version|shcore|uxtheme)\.dll$'
mapfile -t dlls < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
((${#dlls[@]})) || fail "no imports found"
for dll in "${dlls[@]}"; do
  [[ "$dll" =~ $allowed ]] || fail "imports $dll"
done
echo "PE32 i386 GUI; imports: ${dlls[*]}"

# Windows XP SP3 (5.1) starts only programs that ask for that system or an
# older one.
for field in OSystem Subsystem; do
  major=$(sed -n "s/^Major${field}Version[[:space:]]*//p" <<<"$headers")
  minor=$(sed -n "s/^Minor${field}Version[[:space:]]*//p" <<<"$headers")
  [[ -n "$major" && -n "$minor" ]] || fail "no ${field} version in the headers"
  ((major * 100 + minor <= 501)) || fail "${field} version $major.$minor is newer than 5.1"
done

if [[ -n "$largest" ]]; then
  # The program is linked stripped: its size is the stripped size.
  grep -q 'symbols stripped' <<<"$headers" || fail "not stripped"
  size=$(stat -c %s "$exe")
  ((size <= largest)) || fail "$size bytes, more than $largest"
  echo "size: $size bytes (at most $largest)"
fi
