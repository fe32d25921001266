#!/usr/bin/env bash
# `cpack` makes the MSI: the External generator, run in a scratch folder,
# leaves a package there that holds this build's Velmora.exe under a
# ProductCode of its own.
#   cpack_test.sh <build dir> <msi-settings.cmake> <scratch dir>
set -euo pipefail
build=$1 settings=$2 dir=$3
setting() { sed -n "s/^set($1 \"\(.*\)\")$/\1/p" "$settings"; }
msiinfo=$(setting MSIINFO) built=$(setting OUTPUT) exe=$(setting EXE)
rm -rf "$dir"; mkdir -p "$dir"
(cd "$dir" && cpack --config "$build/CPackConfig.cmake" -G External >cpack.log 2>&1) ||
  { cat "$dir/cpack.log"; echo "FAIL: cpack -G External failed"; exit 1; }
msi="$dir/$(basename "$built")"
[[ -f "$msi" ]] || { ls "$dir"; echo "FAIL: cpack made no $(basename "$built")"; exit 1; }
(cd "$dir" && msiextract -C files "$msi" >/dev/null)
cmp -s "$(find "$dir/files" -type f)" "$exe" || { echo "FAIL: the package does not hold $exe"; exit 1; }
code() { "$msiinfo" export "$1" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }'; }
[[ "$(code "$msi")" != "$(code "$built")" ]] || { echo "FAIL: cpack's package has the build's ProductCode"; exit 1; }
echo "ok   cpack made $(basename "$msi") with this build's Velmora.exe and ProductCode $(code "$msi")"
