#!/usr/bin/env bash
# Makes docs/velmora.png, the README's picture of the window: runs the built
# program (BUILD-DIR/app/velmora, build/ by default; nothing is built here)
# under a private X server and keeps the window's part of the screen.
# Usage: bash scripts/screenshot.sh [BUILD-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ ${1:-} != --inside ]]; then
  program=$(realpath -m "${1:-build}/app/velmora")
  [[ -x $program ]] || { echo "no program at $program: build it first (bash scripts/build.sh)" >&2; exit 1; }
  exec env LC_ALL=C.UTF-8 bash tests/with_xvfb.sh bash "$0" --inside "$program"
fi
program=$2
mkdir -p docs
shot=$(mktemp --suffix=.png)

"$program" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true; rm -f "$shot"' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name 'Информатика - сума, разлика' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"   # X Y WIDTH HEIGHT

# The window paints shortly after it is mapped: wait for its background,
# then give the controls a moment more.
for _ in $(seq 50); do
  import -window root "$shot"
  [[ $(convert "$shot" -format "%[hex:p{$((X + 40)),$((Y + 100))}]" info:) == C0C0FF* ]] && break
  sleep 0.1
done
sleep 0.5
import -window root "$shot"
# No time stamps or other text chunks: the same window gives the same file.
convert "$shot" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage -strip docs/velmora.png
echo "docs/velmora.png: ${WIDTH}x$HEIGHT"
