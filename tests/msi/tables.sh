#!/usr/bin/env bash
# Reads the MSI's tables with msitools and checks what the package may do:
#   tables.sh <msi-settings.cmake> <work dir>
# code page 1251 with an ASCII summary in the product's language (1026,
# Bulgarian); per-machine; version, names and
# publisher from the version data; no custom actions; the Upgrade rows,
# their actions in order and the downgrade refusal; one shortcut, in the
# Start menu, to the installed exe, named as the desktop entry and then
# "(Velmora)", so that Start search finds it by either name; no Run key,
# desktop shortcut, file association, service or environment change; the
# build's own exe, its licence and icon inside; and codes that follow the
# content: a rebuild is the same package, a changed program a new product.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
settings=$1 work=$2
setting() { sed -n "s/^set($1 \"\(.*\)\")$/\1/p" "$settings"; }
msi=$(setting OUTPUT) exe=$(setting EXE) icon=$(setting ICON) version=$(setting VERSION)
name=$(setting PRODUCT_NAME) publisher=$(setting MANUFACTURER) msiinfo=$(setting MSIINFO)
shortcut_name="$(sed -n 's/^Name=//p' "$(setting DESKTOP_ENTRY)") ($name)"
[[ -f "$msi" ]] || { echo "FAIL: no package $msi" >&2; exit 1; }
rm -rf "$work"; mkdir -p "$work"

failures=0
ok() { echo "ok   $*"; }
bad() { echo "FAIL $*"; failures=$((failures + 1)); }
# table <name>: its rows (after the three header lines), CR removed; none
# when the database has no such table.
table() {
  # The whole list first: grep -q stops reading at its match, and under
  # pipefail the writer's broken pipe would make the table look absent.
  local tables
  tables=$("$msiinfo" tables "$msi" | tr -d '\r')
  grep -qx "$1" <<<"$tables" || return 0
  "$msiinfo" export "$msi" "$1" | tr -d '\r' | tail -n +4
}
expect_rows() {  # what, table, expected rows (tab-separated, one a line, any order)
  local got
  got=$(table "$2" | LC_ALL=C sort)
  [[ "$got" == "$(LC_ALL=C sort <<<"$3")" ]] && ok "$1" || bad "$1: $2 holds"$'\n'"$got"$'\n'"expected"$'\n'"$3"
}
property() { table Property | awk -F'\t' -v p="$1" '$1 == p { print $2 }'; }
expect_property() {
  local got; got=$(property "$1")
  [[ "$got" == "$2" ]] && ok "Property $1=$2" || bad "Property $1 is '$got', expected '$2'"
}
none() {  # table: no rows
  local got; got=$(table "$1")
  [[ -z "$got" ]] && ok "no $1 rows" || bad "$1 rows:"$'\n'"$got"
}

# Strings: code page 1251 for the tables, ASCII in the summary.
codepage=$("$msiinfo" export "$msi" _ForceCodepage | tr -d '\r' | awk -F'\t' 'NF == 2 { print $1 }')
[[ "$codepage" == 1251 ]] && ok "code page 1251" || bad "code page '$codepage', expected 1251"
summary=$("$msiinfo" suminfo "$msi")
LC_ALL=C grep -q '[^ -~]' <<<"$summary" && bad "the summary information is not ASCII" || ok "ASCII summary information"
# A 32-bit package whose summary names the product's language, as the
# Property table does: Bulgarian.
template=$(sed -n 's/^Template: //p' <<<"$summary" | tr -d '\r')
language=$(property ProductLanguage)
[[ "$language" == 1026 ]] && ok "ProductLanguage 1026 (Bulgarian)" || bad "ProductLanguage '$language', expected 1026"
[[ "$template" == "Intel;$language" ]] && ok "a 32-bit (Intel) package in the product's language: $template" ||
  bad "the summary's Template is '$template', expected 'Intel;$language'"

expect_property ALLUSERS 1
expect_property ProductName "$name"
expect_property ProductVersion "$version"
expect_property Manufacturer "$publisher"
expect_property ARPPRODUCTICON velmora.ico
grep -Eq '^\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}$' <<<"$(property ProductCode)" &&
  ok "ProductCode is a GUID" || bad "ProductCode '$(property ProductCode)' is not a GUID"
upgrade_code=$(property UpgradeCode)
secure=$(property SecureCustomProperties)
[[ ";$secure;" == *";OLDERFOUND;"* && ";$secure;" == *";NEWERFOUND;"* ]] &&
  ok "the upgrade properties pass to the server side" || bad "SecureCustomProperties '$secure'"

none CustomAction
# Older (or this) version: found and removed. Newer: only found.
expect_rows "the Upgrade rows" Upgrade "$(printf '%s\t\t%s\t\t512\t\tOLDERFOUND\n%s\t%s\t\t\t2\t\tNEWERFOUND' \
  "$upgrade_code" "$version" "$upgrade_code" "$version")"
expect_rows "the launch condition refuses a downgrade" LaunchCondition \
  "$(printf 'Installed OR NOT NEWERFOUND\tA newer version of %s is already installed.' "$name")"
# FindRelatedProducts must set NEWERFOUND before LaunchConditions reads it,
# and RemoveExistingProducts must run after InstallValidate.
seq_of() { table "$1" | awk -F'\t' -v a="$2" '$1 == a { print $3 }'; }
for s in InstallExecuteSequence InstallUISequence; do
  f=$(seq_of $s FindRelatedProducts) l=$(seq_of $s LaunchConditions)
  [[ -n "$f" && -n "$l" ]] && ((f < l)) && ok "$s: FindRelatedProducts ($f) before LaunchConditions ($l)" ||
    bad "$s: FindRelatedProducts '$f', LaunchConditions '$l'"
done
r=$(seq_of InstallExecuteSequence RemoveExistingProducts) v=$(seq_of InstallExecuteSequence InstallValidate)
i=$(seq_of InstallExecuteSequence InstallInitialize)
[[ -n "$r" ]] && ((v < r && r < i)) && ok "RemoveExistingProducts ($r) between InstallValidate and InstallInitialize" ||
  bad "RemoveExistingProducts at '$r' (InstallValidate $v, InstallInitialize $i)"
[[ -z "$(seq_of InstallExecuteSequence ScheduleReboot)$(seq_of InstallExecuteSequence ForceReboot)" ]] &&
  ok "no reboot actions" || bad "the package schedules a reboot"

# What it installs: one file, one shortcut, one registry value.
expect_rows "the program's folder" Directory "$(printf 'INSTALLDIR\tProgramFilesFolder\t%s\nProgramFilesFolder\tTARGETDIR\t.\nProgramMenuFolder\tTARGETDIR\t.\nTARGETDIR\t\tSourceDir' "$name")"
files=$(table File | cut -f1-3 | LC_ALL=C sort)
[[ "$files" == "$(printf 'LicenceTxt\tProgram\tLICENSE.txt\nVelmoraExe\tProgram\tVelmora.exe')" ]] &&
  ok "two files: Velmora.exe and LICENSE.txt beside it" || bad "File rows:"$'\n'"$(table File)"
shortcut=$(table Shortcut)
IFS=$'\t' read -r sc_id sc_dir sc_name sc_component sc_target _ <<<"$shortcut"
[[ $(grep -c . <<<"$shortcut") -eq 1 ]] && ok "one shortcut" || bad "shortcuts:"$'\n'"$shortcut"
[[ "$sc_dir" == ProgramMenuFolder ]] && ok "the shortcut is in the Start menu" || bad "the shortcut is in '$sc_dir'"
[[ "$sc_name" == "$name|$shortcut_name" ]] && ok "the shortcut is named '$shortcut_name'" ||
  bad "the shortcut is named '$sc_name', expected '$name|$shortcut_name'"
# Not advertised: its target is the file itself, not a feature.
[[ "$sc_target" == "[#VelmoraExe]" ]] && ok "the shortcut's target is the installed exe" ||
  bad "the shortcut's target is '$sc_target'"
keypath=$(table Component | awk -F'\t' -v c="$sc_component" '$1 == c { print $4 " " $6 }')
registry=$(table Registry)
read -r sc_attributes sc_keypath <<<"$keypath"
((sc_attributes & 4)) && grep -q "^$sc_keypath	2	Software\\\\$name	" <<<"$registry" &&
  ok "the shortcut's component has a key path in HKLM\\Software\\$name" ||
  bad "the shortcut's component: attributes '$sc_attributes', key path '$sc_keypath'"$'\n'"$registry"
[[ $(grep -c . <<<"$registry") -eq 1 ]] && ok "one registry value, the product's own" ||
  bad "Registry rows:"$'\n'"$registry"
grep -Eiq 'CurrentVersion\\Run|^[^	]*	0	' <<<"$registry" && bad "a Run key or a class registration" || ok "no Run key, no classes"
for t in Extension ProgId Verb MIME Class TypeLib AppId Environment ServiceInstall ServiceControl \
         RemoveFile IniFile MoveFile DuplicateFile CreateFolder Binary SelfReg; do
  none $t
done

# The build's own program, its licence and icon inside.
(cd "$work" && msiextract -C files "$msi" >/dev/null)
installed=$(cd "$work/files" && find . -type f | LC_ALL=C sort)
dir=$(dirname "$(find "$work/files" -name Velmora.exe)")
[[ $(grep -c . <<<"$installed") -eq 2 ]] && cmp -s "$dir/Velmora.exe" "$exe" &&
  ok "the package holds this build's Velmora.exe" || bad "the package's files: $installed"
# Windows line ends, so that Notepad on Windows XP shows its lines too.
head -1 "$dir/LICENSE.txt" | grep -q $'^MIT License\r$' && ! grep -q $'[^\r]$' "$dir/LICENSE.txt" &&
  ok "LICENSE.txt: the MIT licence, CRLF line ends" || bad "LICENSE.txt: $(head -c 200 "$dir/LICENSE.txt" | od -c | head -3)"
(cd "$work" && "$msiinfo" extract "$msi" Icon.velmora.ico >icon.ico)
cmp -s "$work/icon.ico" "$icon" && ok "the package's icon is velmora.ico" || bad "the package's icon differs from $icon"

# The codes follow the content: the same inputs give the same package, byte
# for byte; a changed program of the same version is a new product, with a
# package code of its own; the UpgradeCode is always the same.
make_msi() { cmake -DSETTINGS="$settings" -DOUTPUT="$1" "${@:2}" -P "$here/../../app/win32/msi/make-msi.cmake" >/dev/null; }
sleep 1  # a second later: no date of the moment may show
make_msi "$work/again.msi"
cmp -s "$work/again.msi" "$msi" && ok "a rebuild is the same package, byte for byte" ||
  bad "a rebuild differs: $(cmp "$work/again.msi" "$msi" | head -1)"
cp "$exe" "$work/changed.exe"; printf '\0' >>"$work/changed.exe"
make_msi "$work/changed.msi" -DEXE="$work/changed.exe"
of() { "$msiinfo" export "$1" Property | tr -d '\r' | awk -F'\t' -v p="$2" '$1 == p { print $2 }'; }
package_code() { "$msiinfo" suminfo "$1" | sed -n 's/^Revision number (UUID): //p'; }
[[ "$(of "$work/changed.msi" ProductCode)" != "$(property ProductCode)" ]] &&
  ok "a changed program gets a new ProductCode" || bad "a changed program keeps ProductCode $(property ProductCode)"
[[ "$(package_code "$work/changed.msi")" != "$(package_code "$msi")" ]] &&
  ok "a changed program gets a new PackageCode" || bad "a changed program keeps PackageCode $(package_code "$msi")"
grep -Eq '^\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}$' <<<"$(package_code "$msi")" &&
  ok "PackageCode is a GUID" || bad "PackageCode '$(package_code "$msi")' is not a GUID"
[[ "$(of "$work/changed.msi" UpgradeCode)" == "$upgrade_code" ]] && ok "the same UpgradeCode in every build" ||
  bad "UpgradeCode changed: $(of "$work/changed.msi" UpgradeCode) vs $upgrade_code"
((failures == 0)) || { echo "$failures check(s) failed" >&2; exit 1; }
echo "all checks passed"
