#!/usr/bin/env bash
# Installs Velmora's MSI under Wine, each case in a fresh private prefix,
# under a private X server, and checks what the package did.
#
#   msi-test.sh <case> <msi-settings.cmake> <state dir>
#
# Cases:
#   install    a silent install: the program's folder, the Start-menu
#              shortcut pointing at the installed exe, one Programs and
#              Features entry (version, publisher, icon), the product's
#              registry key and nothing in Run; the exe opens its window
#              (where 32-bit programs run); LICENSE.txt beside it.
#              Installing the same package again, and then a changed
#              program of the same version, still leaves one entry.
#   upgrade    a lower version (built here from the same source) is
#              installed, then this one replaces it.
#   downgrade  with this version installed, the lower one is refused and
#              this one stays.
#   uninstall  install, then a silent uninstall leaves the prefix's files
#              and registry as they were.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
case_=$1 settings=$2 state=$3
if [[ -z "${MSI_TEST_IN_X:-}" ]]; then
  MSI_TEST_IN_X=1 exec bash "$here/../with_xvfb.sh" bash "$0" "$@"
fi
. "$here/wine-env.sh"

setting() { sed -n "s/^set($1 \"\(.*\)\")$/\1/p" "$settings"; }
msi=$(setting OUTPUT) exe=$(setting EXE) icon=$(setting ICON) version=$(setting VERSION)
name=$(setting PRODUCT_NAME) publisher=$(setting MANUFACTURER) msiinfo=$(setting MSIINFO)
desktop_entry=$(setting DESKTOP_ENTRY)
# The shortcut: the desktop entry's name, then the product's in brackets.
shortcut_name="$(sed -n 's/^Name=//p' "$desktop_entry") ($name)"
shortcut_re=$(sed 's/[][\.*^$()+?{}|]/\\&/g' <<<"$shortcut_name")  # as an extended regex
[[ -f "$msi" ]] || { echo "FAIL: no package $msi (build the velmora_msi target)" >&2; exit 1; }
state_abs=$(mkdir -p "$state" && cd "$state" && pwd)
work="$state_abs/$case_"
state_py="python3 $here/prefix_state.py"

failures=0
ok() { echo "ok   $*"; }
bad() { echo "FAIL $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then ok "$what"; else bad "$what"; fi; }

msi_pick_wine
msi_fresh_prefix "$state_abs/prefixes" "$case_"
mkdir -p "$work"
trap 'msi_stop_wine' EXIT

winpath() { echo "Z:${1//\//\\}"; }
# msiexec <action> <package> <log name>: its exit code. Wine keeps only the
# low 8 bits of it (1603 reads as 67).
msiexec() {
  local rc=0
  "$WINE" msiexec "$1" "$(winpath "$2")" /qn /l*v "$(winpath "$work/$3.log")" >"$work/$3.out" 2>&1 || rc=$?
  msi_stop_wine
  echo "msiexec $1 $(basename "$2") /qn: exit code $rc" >&2
  return $rc
}
property() { "$msiinfo" export "$1" Property | tr -d '\r' | awk -F'\t' -v p="$2" '$1 == p { print $2 }'; }
product_code() { property "$1" ProductCode; }
upgrade_code() { property "$1" UpgradeCode; }
arp() { $state_py arp "$WINEPREFIX" "$name"; }
# What names the product in a prefix: its name, ProductCode, UpgradeCode and
# component GUIDs.
product_words() {
  echo "$name"; product_code "$1"; upgrade_code "$1"
  "$msiinfo" export "$1" Component | tr -d '\r' | tail -n +4 | cut -f2
}

# The program's folder: Program Files (x86) in a win64 prefix, as on 64-bit
# Windows; Program Files in a win32 prefix.
program_dir() {
  local d
  for d in "Program Files (x86)" "Program Files"; do
    [[ -f "$WINEPREFIX/drive_c/$d/$name/Velmora.exe" ]] && { echo "$WINEPREFIX/drive_c/$d/$name"; return; }
  done
  return 1
}

# One entry in Programs and Features, with the version; its ProductCode.
one_entry() {  # version
  local lines
  lines=$(arp)
  if [[ $(grep -c . <<<"$lines") -ne 1 ]]; then
    bad "one Programs and Features entry named $name (found: ${lines:-none})"
    return
  fi
  IFS=$'\t' read -r key entry_version entry_publisher entry_icon <<<"$lines"
  [[ "$entry_version" == "$1" ]] && ok "one Programs and Features entry, version $1" ||
    bad "the entry's version is '$entry_version', expected $1"
}

# A package of a lower version from the same source, with its own ProductCode.
build_lower() {
  # The version just below this one: 1.00 -> 0.99, 1.05 -> 1.04.
  local major=${version%%.*} minor=${version#*.}
  minor=${minor%%.*}
  if ((10#$minor > 0)); then
    lower_version=$(printf '%d.%02d' "$major" $((10#$minor - 1)))
  elif ((major > 0)); then
    lower_version=$((major - 1)).99
  else
    echo "FAIL: no version below $version" >&2; exit 1
  fi
  lower_msi="$work/$name-$lower_version-win32.msi"
  cmake -DSETTINGS="$settings" -DVERSION=$lower_version -DOUTPUT="$lower_msi" \
        -P "$here/../../app/win32/msi/make-msi.cmake" >"$work/make-lower.log" 2>&1 ||
    { cat "$work/make-lower.log" >&2; echo "FAIL: could not build the $lower_version package" >&2; exit 1; }
}

case $case_ in
install)
  msi_stop_wine
  $state_py snapshot "$WINEPREFIX" "$work/before.json"
  check "silent install" msiexec /i "$msi" install
  dir=$(program_dir) && ok "installed: ${dir#"$WINEPREFIX/"}/Velmora.exe" || bad "no installed Velmora.exe"
  [[ -n "${dir:-}" ]] && check "the installed exe is the build's" cmp -s "$dir/Velmora.exe" "$exe"
  [[ -n "${dir:-}" ]] && check "LICENSE.txt beside it" grep -q '^MIT License' "$dir/LICENSE.txt"

  # Wine puts an all-users shortcut in the user's Start menu; Windows in
  # ProgramData's. Either place is the Start menu here.
  mapfile -t links < <(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/*' -name '*.lnk' \
                         ! -path '*/Administrative Tools/*')
  if [[ ${#links[@]} -eq 1 && "$(basename "${links[0]}")" == "$shortcut_name.lnk" ]]; then
    ok "one Start-menu shortcut: ${links[0]#"$WINEPREFIX/drive_c/"}"
    target=$($state_py lnk "${links[0]}" | sed -n 's/^target=//p')
    windir="C:\\${dir#"$WINEPREFIX/drive_c/"}"
    windir=${windir//\//\\}
    [[ "$target" == "$windir\\Velmora.exe" ]] && ok "the shortcut points at $target" ||
      bad "the shortcut points at '$target', expected '$windir\\Velmora.exe'"
  else
    bad "expected one Start-menu shortcut named '$shortcut_name', found: ${links[*]:-none}"
  fi
  desktop=$(find "$WINEPREFIX/drive_c" -ipath '*/Desktop/*.lnk' | head -1)
  [[ -z "$desktop" ]] && ok "no desktop shortcut" || bad "a desktop shortcut: $desktop"

  one_entry "$version"
  [[ "${entry_publisher:-}" == "$publisher" ]] && ok "publisher $publisher" ||
    bad "publisher '${entry_publisher:-}', expected $publisher"
  icon_file="$WINEPREFIX/drive_c/${entry_icon#C:\\}"
  icon_file=${icon_file//\\//}
  [[ -n "${entry_icon:-}" && -f "$icon_file" ]] && cmp -s "$icon_file" "$icon" &&
    ok "the entry's icon is velmora.ico ($entry_icon)" || bad "the entry's icon '${entry_icon:-}' is not velmora.ico"
  keys=$($state_py keys "$WINEPREFIX")
  grep -Eq "^system.reg:Software\\\\(Wow6432Node\\\\)?$name$" <<<"$keys" &&
    ok "the product's key HKLM\\Software\\$name" || bad "no HKLM\\Software\\$name"
  run=$(grep -i '\\CurrentVersion\\Run' <<<"$keys" | while read -r k; do
          $state_py values "$WINEPREFIX" "${k}" | grep -i "$name" || true; done)
  [[ -z "$run" ]] && ok "nothing in Run" || bad "Run entries: $run"

  # Nothing else: every new file and every key or value that names the
  # product is the program's folder, the shortcut, the installer's own
  # records, the Programs and Features entry or the product's key.
  others=$($state_py leftovers "$WINEPREFIX" "$work/before.json" $(product_words "$msi") |
    grep -v '^note: ' |
    grep -Ev '^file left: drive_c/(Program Files( \(x86\))?/'"$name"'(/Velmora\.exe|/LICENSE\.txt)?|windows/Installer(/.*)?|users/[^/]+/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/'"$shortcut_re"'\.lnk|ProgramData/Microsoft/Windows/Start Menu/Programs/'"$shortcut_re"'\.lnk)$' |
    grep -Ev '^registry key left: system\.reg:Software\\(Classes\\Installer|Microsoft\\Windows\\CurrentVersion\\Installer)\\' |
    grep -Ev '^registry key left: system\.reg:Software\\(Wow6432Node\\)?(Microsoft\\Windows\\CurrentVersion\\Uninstall\\\{[0-9A-F-]+\}|'"$name"') ' || true)
  [[ -z "$others" ]] && ok "nothing written but the program's folder, the shortcut, its registry key and the installer's records" ||
    bad "written besides:"$'\n'"$others"

  if ((MSI_RUNS_32BIT)) && [[ -n "${dir:-}" ]]; then
    "$WINE" "$dir/Velmora.exe" >"$work/program.out" 2>&1 &
    program=$!
    if timeout 60 xdotool search --sync --onlyvisible --name 'Информатика' >/dev/null; then
      ok "the installed Velmora.exe opens its window"
    else
      bad "the installed Velmora.exe shows no window"
    fi
    kill $program 2>/dev/null || true
    "$WINESERVER" -k 2>/dev/null || true
  else
    echo "SKIPPED the installed exe opening its window: Velmora.exe is a 32-bit program and" \
         "32-bit programs cannot run on this machine (its 32-bit Wine loader does not start)"
  fi

  check "installing the same package again" msiexec /i "$msi" again
  one_entry "$version"
  # A changed program of the same version: a new ProductCode, and it
  # replaces the installed one.
  cp "$exe" "$work/changed.exe"; printf '\0' >>"$work/changed.exe"
  changed="$work/$name-$version-changed-win32.msi"
  cmake -DSETTINGS="$settings" -DEXE="$work/changed.exe" -DOUTPUT="$changed" \
        -P "$here/../../app/win32/msi/make-msi.cmake" >"$work/make-changed.log" 2>&1 ||
    { cat "$work/make-changed.log" >&2; exit 1; }
  second=$(product_code "$changed")
  check "installing a changed program of the same version" msiexec /i "$changed" changed
  one_entry "$version"
  [[ "${key:-}" == *"$second"* ]] && ok "the entry is the changed package's ($second)" || bad "the entry is ${key:-none}, not $second"
  dir=$(program_dir) && cmp -s "$dir/Velmora.exe" "$work/changed.exe" &&
    ok "the installed exe is the changed one" || bad "Velmora.exe missing or not the changed one"
  ;;
upgrade)
  build_lower
  check "silent install of $lower_version" msiexec /i "$lower_msi" lower
  one_entry "$lower_version"
  check "silent install of $version over it" msiexec /i "$msi" upgrade
  one_entry "$version"
  dir=$(program_dir) && cmp -s "$dir/Velmora.exe" "$exe" && ok "the installed exe is this build's" ||
    bad "Velmora.exe missing or not this build's after the upgrade"
  ;;
downgrade)
  build_lower
  check "silent install of $version" msiexec /i "$msi" install
  rc=0; msiexec /i "$lower_msi" downgrade || rc=$?
  # 1603 (fatal error), or its low 8 bits as Wine passes it on.
  if ((rc == 1603 || rc == 1603 % 256)); then
    ok "$lower_version refused (exit code $rc)"
  else
    bad "$lower_version not refused as a failed install: exit code $rc"
  fi
  # Why: FindRelatedProducts found the installed (newer) product and the
  # launch condition stopped the install.
  log=$(tr -d '\0\r' <"$work/downgrade.log")
  grep -q "NEWERFOUND = $(product_code "$msi")" <<<"$log" && ok "NEWERFOUND names the installed $version" ||
    bad "NEWERFOUND does not name the installed product (see $work/downgrade.log)"
  grep -Eq "Action ended [^:]+:[^:]+:[^:]+: LaunchConditions\. Return value [^1]" <<<"$log" &&
    ok "the launch condition stopped the install" || bad "LaunchConditions did not fail (see $work/downgrade.log)"
  one_entry "$version"
  program_dir >/dev/null && ok "Velmora.exe still installed" || bad "Velmora.exe gone"
  ;;
uninstall)
  msi_stop_wine
  $state_py snapshot "$WINEPREFIX" "$work/before.json"
  check "silent install" msiexec /i "$msi" install
  program_dir >/dev/null && ok "installed" || bad "not installed"
  check "silent uninstall" msiexec /x "$msi" uninstall
  # shellcheck disable=SC2046  # one word a line
  if $state_py leftovers "$WINEPREFIX" "$work/before.json" $(product_words "$msi") >"$work/leftovers.txt"; then
    cat "$work/leftovers.txt"
    ok "nothing left behind (files and registry as before the install)"
  else
    bad "left behind:"; cat "$work/leftovers.txt"
  fi
  arp_left=$(arp)
  [[ -z "$arp_left" ]] && ok "no Programs and Features entry" || bad "entry left: $arp_left"
  ;;
*)
  echo "unknown case: $case_" >&2; exit 2 ;;
esac

((failures == 0)) || { echo "$failures check(s) failed; logs in $work" >&2; exit 1; }
echo "all checks passed"
