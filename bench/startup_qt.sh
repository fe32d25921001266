#!/usr/bin/env bash
# Start-up of the Qt program against a bare Qt program with the same widgets
# made directly in code (bench/qt/bare_window.cpp): time from launch until
# the window is mapped, and peak RSS, under a private X server. The two are
# launched alternately; the medians and their ratios are printed.
# Usage: bench/startup_qt.sh [BUILD-DIR] [RUNS]     (defaults: build 20)
set -euo pipefail
script=$(realpath "$0")
cd "$(dirname "$script")/.."
build=${1:-build} runs=${2:-20}
if [[ ${3:-} != --inside ]]; then
  cmake --build "$build" --target velmora velmora-bare-qt velmora-map-wait >/dev/null
  exec bash tests/with_xvfb.sh bash "$script" "$build" "$runs" --inside
fi

export LC_ALL=C.UTF-8
wait_map=$build/bench/qt/velmora-map-wait
program=$build/app/velmora
bare=("$build/bench/qt/velmora-bare-qt" "$build/generated/velmora.ico")
results=$(mktemp)
trap 'rm -f "$results"' EXIT

# One launch of each first, not counted: the files are then in the cache.
"$wait_map" "$program" >/dev/null 2>&1
"$wait_map" "${bare[@]}" >/dev/null 2>&1
for ((i = 0; i < runs; i++)); do
  echo "velmora $("$wait_map" "$program" 2>/dev/null)" >>"$results"
  echo "bare $("$wait_map" "${bare[@]}" 2>/dev/null)" >>"$results"
done

median() {  # name column
  awk -v n="$1" -v c="$2" '$1 == n { print $c }' "$results" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}
velmora_ms=$(median velmora 2) bare_ms=$(median bare 2)
velmora_kb=$(median velmora 3) bare_kb=$(median bare 3)
velmora_cpu=$(median velmora 4) bare_cpu=$(median bare 4)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
printf '%-8s %12s %16s %10s\n' "" "to map (ms)" "peak RSS (KiB)" "CPU (ms)" \
  velmora "$velmora_ms" "$velmora_kb" "$velmora_cpu" bare "$bare_ms" "$bare_kb" "$bare_cpu" \
  ratio "$(ratio "$velmora_ms" "$bare_ms")" "$(ratio "$velmora_kb" "$bare_kb")" "$(ratio "$velmora_cpu" "$bare_cpu")"
echo "(medians of $runs launches each, alternating; aim: time ratio within 1.15)"
