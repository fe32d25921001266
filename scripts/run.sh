#!/usr/bin/env bash
# Installs what the Linux (Qt) program needs, builds that program and the
# explorer its package holds (the "run" preset: no tests, benchmarks,
# driver, Windows or web builds) and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
# Installing packages takes root; the rest runs as whoever called us.
if [[ $EUID -eq 0 ]]; then bash scripts/setup.sh run; else sudo bash scripts/setup.sh run; fi
VELMORA_PRESET=run bash scripts/build.sh
exec build/app/velmora
