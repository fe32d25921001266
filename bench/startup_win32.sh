#!/usr/bin/env bash
# Start-up of Velmora.exe under Wine against a bare Win32 program with the
# same window and controls (bench/win32/bare.cpp), side by side: each is
# launched N times, alternately, with a warm wineserver, and timed until its
# window is mapped on a private X server. Prints both medians and their
# ratio, each program's peak working set and both stripped sizes.
#
#   bench/startup_win32.sh [build dir, default build] [N, default 15]
#
# VELMORA_WINE_ARCH=win64 times the x86_64 builds in build/win64 under 64-bit
# Wine instead, where the machine runs no 32-bit programs: the same code and
# the same comparison, though not the program that ships (build them first:
# cmake --build build/win64 --target Velmora velmora-bare peak-working-set).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ "${1:-}" != --inside ]]; then
  build=$(cd "${1:-$root/build}" && pwd)
  exec "$root/tests/win32/run-under-wine.sh" "$build/wine" --script "$0" --inside "$build" "${2:-15}"
fi
build=$2 runs=$3
tree=$build/win32 strip=i686-w64-mingw32-strip
if [[ ${VELMORA_WINE_ARCH:-win32} == win64 ]]; then tree=$build/win64 strip=x86_64-w64-mingw32-strip; fi
velmora=$tree/app/Velmora.exe
bare=$tree/bench/win32/velmora-bare.exe
peak=$tree/bench/win32/peak-working-set.exe
for f in "$velmora" "$bare" "$peak"; do
  [[ -f "$f" ]] || { echo "missing $f (build first)" >&2; exit 1; }
done

wineserver -p  # stays up between launches
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Milliseconds from launch until a window whose title matches is mapped.
launch() {  # exe title-pattern
  local start pid ms
  start=$(now_ms)
  wine "$1" &
  pid=$!
  # Polled here: xdotool's own --sync waits half a second between looks.
  for ((n = 0; n < 6000; n++)); do
    xdotool search --onlyvisible --name "$2" >/dev/null 2>&1 && break
    sleep 0.005
  done
  ms=$(($(now_ms) - start))
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "$ms"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One launch of each to warm the caches.
launch "$velmora" 'Информатика' >/dev/null
launch "$bare" 'Bare Win32 window' >/dev/null

velmora_ms=() bare_ms=()
for ((i = 0; i < runs; i++)); do
  if ((i % 2)); then
    bare_ms+=("$(launch "$bare" 'Bare Win32 window')")
    velmora_ms+=("$(launch "$velmora" 'Информатика')")
  else
    velmora_ms+=("$(launch "$velmora" 'Информатика')")
    bare_ms+=("$(launch "$bare" 'Bare Win32 window')")
  fi
done
v=$(printf '%s\n' "${velmora_ms[@]}" | median)
b=$(printf '%s\n' "${bare_ms[@]}" | median)
# The fastest runs too: on a busy machine they show the programs' own cost.
v_min=$(printf '%s\n' "${velmora_ms[@]}" | sort -n | head -1)
b_min=$(printf '%s\n' "${bare_ms[@]}" | sort -n | head -1)

# Peak working sets as Windows reports them.
velmora_ws=$(wine "$peak" "$velmora" | tr -d '\r')
bare_ws=$(wine "$peak" "$bare" | tr -d '\r')

size() {  # stripped size in bytes
  local copy
  copy=$(mktemp)
  "$strip" -o "$copy" "$1"
  stat -c %s "$copy"
  rm -f "$copy"
}

echo "runs: $runs each, alternating, warm wineserver, until the window is mapped"
echo "Velmora.exe start-up median: $v ms  (${velmora_ms[*]})"
echo "bare program start-up median: $b ms  (${bare_ms[*]})"
awk -v v="$v" -v b="$b" 'BEGIN { printf "ratio Velmora/bare: %.3f (aim: at most 1.05)\n", v / b }'
echo "fastest: Velmora.exe $v_min ms, bare $b_min ms"
echo "peak working set: Velmora.exe $velmora_ws KiB, bare $bare_ws KiB"
echo "stripped size: Velmora.exe $(size "$velmora") bytes (aim: at most $((320 * 1024))), bare $(size "$bare") bytes"
