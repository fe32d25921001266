#!/usr/bin/env bash
# Runs a command under a private X server (1024 x 768, 96 dpi). Xvfb picks a free display number
# itself (-displayfd), so parallel runs never collide and no number is
# assumed free.
set -euo pipefail
dir=$(mktemp -d)
: >"$dir/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true; rm -rf "$dir"' EXIT
number=
for _ in $(seq 200); do
  if IFS= read -r number <"$dir/display" && [[ -n $number ]]; then break; fi
  kill -0 $xvfb 2>/dev/null || { cat "$dir/xvfb.log" >&2; exit 1; }
  sleep 0.05
done
[[ -n $number ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$number
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
"$@"
