#!/usr/bin/env bash
# Runs the real program under a private X server, waits until its window is
# mapped, takes a screenshot and checks the window's size and place and the
# stated colours inside the window, the top line and each button; the
# window's icon; and that the window's WM_CLASS class is the StartupWMClass
# of the desktop entry the build installs, so that desktops match the
# window to the entry.
# Usage: screenshot_test.sh PROGRAM OUTPUT-DIR DESKTOP-FILE
#        (the shot is OUTPUT-DIR/shot.png)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [[ ${1:-} != --inside ]]; then exec bash "$here/../with_xvfb.sh" bash "$0" --inside "$@"; fi
shift
program=$1 out=$2 desktop=$3
mkdir -p "$out"
shot=$out/shot.png

"$program" 2>"$out/program.log" &
pid=$!
trap 'kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name 'Информатика - сума, разлика' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"   # X Y WIDTH HEIGHT
echo "window $window at $X,$Y size ${WIDTH}x$HEIGHT"

failures=0
check() {  # what expected actual
  if [[ $2 == "$3" ]]; then echo "ok   $1: $3"; else echo "FAIL $1: expected $2, got $3"; failures=$((failures + 1)); fi
}
pixel() {  # x y inside the window -> r,g,b
  local x=$((X + $1)) y=$((Y + $2))
  convert "$shot" -format "%[fx:int(255*p{$x,$y}.r+0.5)],%[fx:int(255*p{$x,$y}.g+0.5)],%[fx:int(255*p{$x,$y}.b+0.5)]" info:
}

# The window paints shortly after it is mapped: take shots until it has.
for _ in $(seq 50); do
  import -window root "$shot"
  [[ $(pixel 40 100) == 192,192,255 ]] && break
  sleep 0.1
done

check "caption" "www.velmora.example Информатика - сума, разлика между цифри и число" \
  "$(xdotool getwindowname "$window")"
# WM_CLASS(STRING) = "instance", "class"
wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[[ -n $startup_class ]] || { echo "FAIL $(basename "$desktop") has no StartupWMClass"; failures=$((failures + 1)); }
check "WM_CLASS class, the entry's StartupWMClass" "$startup_class" "$wm_class"
# The window's icon, _NET_WM_ICON (width, height, then ARGB pixels row by
# row), is the record's 32 x 32 picture of app/icons/velmora.svg.
IFS=, read -ra argb <<<"$(xprop -id "$window" -notype -f _NET_WM_ICON 32c '=$0+\n' _NET_WM_ICON |
  sed 's/^_NET_WM_ICON=//; s/ //g')"
argb_at() { printf '%08x' "${argb[2 + $2 * 32 + $1]:-0}"; }  # x y
check "window icon size" 32x32 "${argb[0]:-}x${argb[1]:-}"
check "window icon, corner clear" 00 "$(argb_at 0 0 | cut -c1-2)"
check "window icon, border" ff282878 "$(argb_at 16 0)"
check "window icon, plus" ff008c3c "$(argb_at 8 4)"
check "window icon, minus" ffc81e1e "$(argb_at 5 22)"
check "size" 536x258 "${WIDTH}x$HEIGHT"
check "centred" "$(((1024 - 536) / 2)),$(((768 - 258) / 2))" "$X,$Y"
check "window background" 192,192,255 "$(pixel 40 100)"
check "window background, right" 192,192,255 "$(pixel 525 50)"
check "top line" 255,192,128 "$(pixel 92 20)"
check "caption Число" 255,192,128 "$(pixel 91 42)"
check "increase button" 128,255,255 "$(pixel 292 44)"
check "increase button, far corner" 128,255,255 "$(pixel 444 60)"
check "decrease button" 128,128,255 "$(pixel 292 76)"
check "statement box" 255,255,255 "$(pixel 480 131)"
((failures == 0))
