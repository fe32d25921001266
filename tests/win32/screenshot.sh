#!/usr/bin/env bash
# Starts Velmora.exe under Wine in a private X server, waits for its window,
# takes a screenshot and checks the stated colours at points inside it.
#   screenshot.sh <state dir> <Velmora.exe> <shot.png>
# With --high-contrast, the window is velmora-high-contrast.exe's: the same
# window, from Velmora.exe's record, under a white-on-black high-contrast
# theme, and the points are checked for the system's colours instead.
#   screenshot.sh <state dir> <Velmora.exe> <shot.png> --high-contrast <velmora-high-contrast.exe>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [[ "${1:-}" != --inside ]]; then
  exec "$here/run-under-wine.sh" "$1" --script "$0" --inside "${@:2}"
fi
exe=$2 shot=$3 high_contrast=${5:-}
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$(mktemp)
if [[ -n "$high_contrast" ]]; then
  wine "$high_contrast" "Z:$exe" >"$out" &
else
  wine "$exe" &
fi
program=$!
trap 'kill $program 2>/dev/null || true; rm -f "$out"' EXIT

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

# The client area's corner: where the program says it is, or else the
# first pixel of the window's background colour, row by row, in the mapped
# window (a frame may lie around it).
if [[ -n "$high_contrast" ]]; then
  read -r _ cx cy < <(tr -d '\r' <"$out") || true
else
  read -r cx cy < <(convert "$shot" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage txt:- |
    awk -F'[,: ]+' '/#C0C0FF/ { print $1, $2; exit }') || true
  [[ -n "${cx:-}" ]] && cx=$((X + cx)) cy=$((Y + cy))
fi
[[ -n "${cx:-}" ]] || fail "the client area is not found"
echo "window $WIDTH x $HEIGHT at $X,$Y; client area from $cx,$cy"

pixel() {  # client x, y -> "R,G,B"
  convert "$shot" -format '%[fx:int(255*p{'$((cx + $1))','$((cy + $2))'}.r)],%[fx:int(255*p{'$((cx + $1))','$((cy + $2))'}.g)],%[fx:int(255*p{'$((cx + $1))','$((cy + $2))'}.b)]' info:
}
failures=0
expect() {  # what, x, y, R,G,B (or !R,G,B: any other colour)
  local got
  got=$(pixel "$2" "$3")
  if [[ "$got" == "$4" || ( "$4" == !* && "$got" != "${4#!}" ) ]]; then
    echo "ok   $1 at ($2,$3): $got"
  else
    echo "FAIL $1 at ($2,$3): $got, expected $4"
    failures=$((failures + 1))
  fi
}
# The share of light pixels in a client rectangle (x, y, width, height).
light_share() {
  convert "$shot" -crop "$3x$4+$((cx + $1))+$((cy + $2))" +repage -colorspace gray \
    -threshold 50% -format '%[fx:mean]' info:
}
within() {  # what, value, low, high
  if awk -v v="$2" -v lo="$3" -v hi="$4" 'BEGIN { exit !(v > lo && v < hi) }'; then
    echo "ok   $1: $2"
  else
    echo "FAIL $1: $2, expected between $3 and $4"
    failures=$((failures + 1))
  fi
}

# Points clear of the texts (which are centred) and of the edges.
if [[ -z "$high_contrast" ]]; then
  expect "window background"           40  20 192,192,255
  expect "window background, bottom"  530 254 192,192,255
  expect "top line, left of its text"  91   3 255,192,128
  expect "top line, right of its text" 445 21 255,192,128
  expect "caption Число, left"         90  44 255,192,128
  expect "increase button"            293  52 128,255,255
  expect "decrease button"            293  84 128,128,255
  expect "number field"                92  68 255,255,255
  # The statement: mostly white with dark text in it, and a scroll bar;
  # text shows in the top line (dark pixels between its margins).
  within "statement white share" "$(light_share 19 131 480 112)" 0.6 0.995
  within "top line dark share" "$(awk -v l="$(light_share 118 2 300 20)" 'BEGIN { print 1 - l }')" 0.03 1
else
  # The system's colours: the face and the window black, texts white, the
  # buttons and boxes with edges that stand out from the black.
  expect "window background"           40  20 0,0,0
  expect "window background, bottom"  530 254 0,0,0
  expect "top line, left of its text"  91   3 0,0,0
  expect "caption Число, left"         90  44 0,0,0
  expect "increase button"            293  52 0,0,0
  expect "increase button, its edge"  288  40 '!0,0,0'
  expect "decrease button, its edge"  448  96 '!0,0,0'
  expect "number field"                92  68 0,0,0
  expect "number field, its edge"      88  64 '!0,0,0'
  within "statement light share" "$(light_share 19 131 480 112)" 0.005 0.4
  within "top line light share" "$(light_share 118 2 300 20)" 0.03 0.6
  within "increase caption light share" "$(light_share 300 45 137 15)" 0.03 0.6
fi

((failures == 0)) || fail "$failures point(s) wrong; see $shot"
echo "screenshot: $shot"
