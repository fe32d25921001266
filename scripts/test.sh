#!/usr/bin/env bash
# Installs, builds and runs every test: unit, widget, Wine, WebAssembly and
# browser tests through CTest, then each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
# Installing packages takes root; the rest runs as whoever called us.
if [[ $EUID -eq 0 ]]; then bash scripts/setup.sh test; else sudo bash scripts/setup.sh test; fi
# The browser tests' driver, exactly as locked; it downloads no browser.
(cd tests/web && npm ci --ignore-scripts --no-audit --no-fund)
VELMORA_PRESET=ci bash scripts/build.sh  # every warning an error
ctest --test-dir build --output-on-failure -j2
bash scripts/fuzz.sh "${VELMORA_FUZZ_SECONDS:-20}"
