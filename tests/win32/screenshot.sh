#!/usr/bin/env bash
# Starts Velmora.exe under Wine in a private X server, waits for its window,
# takes a screenshot and checks the stated colours at points inside it.
#   screenshot.sh <state dir> <Velmora.exe> <shot.png>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [[ "${1:-}" != --inside ]]; then
  exec "$here/run-under-wine.sh" "$1" --script "$0" --inside "$2" "$3"
fi
exe=$2 shot=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

wine "$exe" &
program=$!
trap 'kill $program 2>/dev/null || true' EXIT

window=$(timeout 60 xdotool search --sync --onlyvisible --name 'Информатика' | head -1) ||
  fail "no window"
eval "$(xdotool getwindowgeometry --shell "$window")"  # X Y WIDTH HEIGHT

# Until the picture stands still: the window paints after it is mapped.
previous=
for _ in $(seq 20); do
  sleep 0.25
  import -window root "$shot"
  now=$(convert "$shot" -crop "${WIDTH}x${HEIGHT}+$X+$Y" rgb:- | md5sum)
  [[ "$now" == "$previous" ]] && break
  previous=$now
done

# The client area's corner: the first pixel of the window's background
# colour, row by row, in the mapped window (a frame may lie around it).
read -r cx cy < <(convert "$shot" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage txt:- |
  awk -F'[,: ]+' '/#C0C0FF/ { print $1, $2; exit }')
[[ -n "${cx:-}" ]] || fail "no pixel of the window's colour RGB(192,192,255)"
cx=$((X + cx)) cy=$((Y + cy))
echo "window $WIDTH x $HEIGHT at $X,$Y; client area from $cx,$cy"

pixel() {  # client x, y -> "R,G,B"
  convert "$shot" -format '%[fx:int(255*p{'$((cx + $1))','$((cy + $2))'}.r)],%[fx:int(255*p{'$((cx + $1))','$((cy + $2))'}.g)],%[fx:int(255*p{'$((cx + $1))','$((cy + $2))'}.b)]' info:
}
failures=0
expect() {  # what, x, y, R,G,B
  local got
  got=$(pixel "$2" "$3")
  if [[ "$got" == "$4" ]]; then
    echo "ok   $1 at ($2,$3): $got"
  else
    echo "FAIL $1 at ($2,$3): $got, expected $4"
    failures=$((failures + 1))
  fi
}
# Points clear of the texts (which are centred) and of the edges.
expect "window background"           40  20 192,192,255
expect "window background, bottom"  530 254 192,192,255
expect "top line, left of its text"  91   3 255,192,128
expect "top line, right of its text" 445 21 255,192,128
expect "caption Число, left"         90  44 255,192,128
expect "increase button"            293  52 128,255,255
expect "decrease button"            293  84 128,128,255
expect "number field"                92  68 255,255,255

# The statement: mostly white with dark text in it, and a scroll bar.
box=$(convert "$shot" -crop "480x112+$((cx + 19))+$((cy + 131))" +repage -colorspace gray \
  -threshold 50% -format '%[fx:mean]' info:)
awk -v m="$box" 'BEGIN { exit !(m > 0.6 && m < 0.995) }' ||
  { echo "FAIL statement: white share $box, expected text on white"; failures=$((failures + 1)); }
echo "statement white share: $box"

# Text shows in the top line (dark pixels between its margins).
dark=$(convert "$shot" -crop "300x20+$((cx + 118))+$((cy + 2))" +repage -colorspace gray \
  -threshold 50% -format '%[fx:1-mean]' info:)
awk -v d="$dark" 'BEGIN { exit !(d > 0.03) }' ||
  { echo "FAIL top line shows no text ($dark)"; failures=$((failures + 1)); }

((failures == 0)) || fail "$failures point(s) wrong; see $shot"
echo "screenshot: $shot"
