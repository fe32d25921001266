#!/usr/bin/env bash
# Builds the .deb from the build directory and runs lintian on it. Any
# error fails the test; warnings and infos are listed for the reader.
# Usage: lintian_test.sh BUILD-DIR
set -euo pipefail
build=$(cd "$1" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
(cd "$dir" && cpack --config "$build/CPackConfig.cmake" -G DEB >/dev/null)
deb=$(ls "$dir"/*.deb)
echo "== lintian $(basename "$deb")"
status=0
lintian --fail-on error --display-level '>=info' "$deb" 2>&1 | grep -v 'running with root privileges' || status=${PIPESTATUS[0]}
if ((status == 0)); then echo "ok   no lintian errors"; else echo "FAIL lintian exit status $status"; fi
exit "$status"
