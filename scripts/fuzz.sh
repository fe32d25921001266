#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) in build-fuzz/ and
# runs each for the given number of seconds with its dictionary
# (fuzz/dict/<name>.dict); any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
cmake --preset fuzz
cmake --build --preset fuzz
for target in build-fuzz/fuzz/fuzz-*; do
  [[ -x $target ]] || continue
  name=$(basename "$target")
  echo "== $name for ${seconds}s"
  mkdir -p "build-fuzz/corpus/$name" "fuzz/seeds/${name#fuzz-}"
  dict="fuzz/dict/${name#fuzz-}.dict"
  [[ -f $dict ]] || { echo "no dictionary $dict" >&2; exit 1; }
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$target" -max_total_time="$seconds" -print_final_stats=1 -dict="$dict" \
    -artifact_prefix="build-fuzz/$name-" "build-fuzz/corpus/$name" "fuzz/seeds/${name#fuzz-}" 2>&1 | tail -n 12
  test "${PIPESTATUS[0]}" -eq 0
done
