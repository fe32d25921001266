#!/usr/bin/env bash
# Builds the .deb with CPack and checks what it declares and holds.
# Usage: deb_test.sh BUILD-DIR
set -euo pipefail
build=$(cd "$1" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$out" && cpack --config "$build/CPackConfig.cmake" -G DEB >/dev/null)
deb=$(ls "$out"/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
failures=0
for needed in fonts-liberation2 libqt6widgets6 libqt6gui6; do
  [[ $depends == *"$needed"* ]] || { echo "FAIL Depends lacks $needed"; failures=$((failures + 1)); }
done
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/velmora ./usr/share/icons/hicolor/32x32/apps/velmora.png ./usr/share/metainfo/ ./usr/share/applications/; do
  grep -qF " $path" <<<"$contents" || { echo "FAIL $path not in the package"; failures=$((failures + 1)); }
done
((failures == 0)) && echo "ok   $(basename "$deb")"
