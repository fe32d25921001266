#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks that the program, the
# desktop entry, the icon and the AppStream metadata land in their places,
# validates the desktop entry and the metadata and checks the copyright
# file's licence; then builds the .deb and checks what it depends on.
# Usage: install_test.sh BUILD-DIR
set -euo pipefail
build=$(cd "$1" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
for path in bin/velmora bin/velmora-explore share/man/man1/velmora-explore.1.gz \
  share/icons/hicolor/scalable/apps/velmora.svg; do
  if [[ -f $prefix/$path ]]; then echo "ok   $path"; else echo "FAIL $path missing"; failures=$((failures + 1)); fi
done
# Each hicolor size is a PNG of that size.
for n in 16 24 32 48 64 128 256; do
  png=share/icons/hicolor/${n}x$n/apps/velmora.png
  got=$(identify -format '%m %wx%h' "$prefix/$png" 2>/dev/null || echo missing)
  if [[ $got == "PNG ${n}x$n" ]]; then echo "ok   $png"; else echo "FAIL $png: $got"; failures=$((failures + 1)); fi
done
desktop=$(ls "$prefix"/share/applications/*.desktop)
metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml)
echo "== $(basename "$desktop")"
desktop-file-validate "$desktop" || failures=$((failures + 1))
grep -q '^Exec=velmora$' "$desktop" || { echo "FAIL Exec"; failures=$((failures + 1)); }
# A menu's search finds it by its Bulgarian name and by "Velmora" (a keyword).
if grep -q '^Name=Сума и разлика от цифри$' "$desktop" && grep -Eq '^Keywords=(.*;)?Velmora;' "$desktop"; then
  echo "ok   found by its name and by Velmora"
else
  echo "FAIL the desktop entry's Name and Keywords:"; grep -E '^(Name|Keywords)=' "$desktop"; failures=$((failures + 1))
fi
echo "== $(basename "$metainfo")"
appstreamcli validate --no-net "$metainfo" || failures=$((failures + 1))
[[ $(basename "$metainfo" .metainfo.xml) == "$(basename "$desktop" .desktop)" ]] ||
  { echo "FAIL metainfo and desktop entry differ in id"; failures=$((failures + 1)); }
# The metadata's stock icon is the desktop entry's, and installed.
icon=$(sed -n 's|.*<icon type="stock">\(.*\)</icon>.*|\1|p' "$metainfo")
[[ -n $icon && $icon == "$(sed -n 's/^Icon=//p' "$desktop")" && -f $prefix/share/icons/hicolor/scalable/apps/$icon.svg ]] ||
  { echo "FAIL metainfo icon '$icon' is not the desktop entry's installed icon"; failures=$((failures + 1)); }

# The copyright file states LICENSE's licence and holder for the whole tree.
copyright=$prefix/share/doc/velmora/copyright
holder=$(sed -n 's/^Copyright (c) //p' "$(dirname "$0")/../../LICENSE")
if grep -q '^Files: \*$' "$copyright" && grep -qxF "Copyright: $holder" "$copyright" &&
   [[ $(grep -c '^License: Expat$' "$copyright") -eq 2 ]]; then
  echo "ok   copyright: Expat, $holder"
else
  echo "FAIL copyright does not state LICENSE:"; cat "$copyright"; failures=$((failures + 1))
fi

(cd "$prefix" && cpack --config "$build/CPackConfig.cmake" -G DEB >/dev/null)
# Named as Debian names packages, which is how the README names it:
# velmora_1.00_amd64.deb.
deb_name=$(basename "$prefix"/*.deb)
[[ $deb_name == "velmora_$(dpkg-deb -f "$prefix"/*.deb Version)_$(dpkg --print-architecture).deb" ]] &&
  echo "ok   $deb_name" || { echo "FAIL the package is named $deb_name"; failures=$((failures + 1)); }
depends=$(dpkg-deb -f "$prefix"/*.deb Depends)
echo "== $(basename "$prefix"/*.deb) Depends: $depends"
for needed in fonts-liberation2 libqt6widgets6 libqt6gui6; do
  [[ $depends == *"$needed"* ]] || { echo "FAIL Depends lacks $needed"; failures=$((failures + 1)); }
done
[[ $(dpkg-deb -f "$prefix"/*.deb Recommends) == *qt6-translations-l10n* ]] ||
  { echo "FAIL Recommends lacks qt6-translations-l10n"; failures=$((failures + 1)); }
contents=$(dpkg-deb -c "$prefix"/*.deb)
grep -q ' ./usr/bin/velmora$' <<<"$contents" || { echo "FAIL no program in the .deb"; failures=$((failures + 1)); }
[[ $(dpkg-deb -f "$prefix"/*.deb Suggests) == *graphviz* ]] ||
  { echo "FAIL Suggests lacks graphviz"; failures=$((failures + 1)); }

# velmora-explore as the package installs it.
dpkg-deb -x "$prefix"/*.deb "$prefix/unpacked"
explore() { LC_ALL=C.UTF-8 "$prefix/unpacked/usr/bin/velmora-explore" "$@"; }
expect() {  # WHAT PATTERN COMMAND...: the command succeeds and prints PATTERN
  local what=$1 pattern=$2 out
  shift 2
  if out=$("$@" 2>&1) && grep -Eq "$pattern" <<<"$out"; then echo "ok   $what"; else
    echo "FAIL $what: ${out:0:300}"; failures=$((failures + 1)); fi
}
expect "velmora-explore 112" '^  in turn, increase first: falls into the loop 108 → 117' explore 112
expect "velmora-explore --json 112" '^\{"start":"112","reachable":true,.*"inTurn":\[\{"first":0,' explore --json 112
expect "velmora-explore --all 1 9999" '^1 to 9999, any order: [0-9]+ of 9999 starts' explore --all 1 9999
expect "velmora-explore --version" '^velmora-explore \(Velmora\) [0-9]' explore --version
if command -v dot >/dev/null; then
  expect "velmora-explore --graph 112 --in-turn --svg" '<svg' explore --graph 112 --in-turn --svg
else
  echo "skip velmora-explore --graph 112 --in-turn --svg: Graphviz (dot) is not installed"
fi
((failures == 0))
