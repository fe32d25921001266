#!/usr/bin/env bash
# With no display at all, the program says so in one line and fails.
# Usage: no_display_test.sh PROGRAM
set -uo pipefail
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1 </dev/null)
status=$?
echo "status $status, output: $output"
[[ $status -ne 0 ]] || { echo "FAIL: exit status 0"; exit 1; }
[[ $(printf '%s\n' "$output" | wc -l) -eq 1 && $output == *display* ]] || { echo "FAIL: not one line naming the display"; exit 1; }
