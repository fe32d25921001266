#!/usr/bin/env bash
# `cpack` makes the MSI: the External generator, run in a scratch folder,
# leaves a package there that holds this build's Velmora.exe, and is the
# build's own package byte for byte (the codes follow the content).
#   cpack_test.sh <build dir> <msi-settings.cmake> <scratch dir>
set -euo pipefail
build=$1 settings=$2 dir=$3
setting() { sed -n "s/^set($1 \"\(.*\)\")$/\1/p" "$settings"; }
built=$(setting OUTPUT) exe=$(setting EXE)
rm -rf "$dir"; mkdir -p "$dir"
(cd "$dir" && cpack --config "$build/CPackConfig.cmake" -G External >cpack.log 2>&1) ||
  { cat "$dir/cpack.log"; echo "FAIL: cpack -G External failed"; exit 1; }
msi="$dir/$(basename "$built")"
[[ -f "$msi" ]] || { ls "$dir"; echo "FAIL: cpack made no $(basename "$built")"; exit 1; }
(cd "$dir" && msiextract -C files "$msi" >/dev/null)
cmp -s "$(find "$dir/files" -name Velmora.exe)" "$exe" || { echo "FAIL: the package does not hold $exe"; exit 1; }
cmp "$msi" "$built" || { echo "FAIL: cpack's package is not the build's $built"; exit 1; }
echo "ok   cpack made $(basename "$msi"): this build's Velmora.exe, the build's package byte for byte"
