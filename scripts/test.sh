#!/usr/bin/env bash
# Installs, builds and runs every test: unit, widget and Wine tests through
# CTest, then each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j2
bash scripts/fuzz.sh "${VELMORA_FUZZ_SECONDS:-20}"
