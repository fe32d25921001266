#!/usr/bin/env bash
# Installs what the program needs, builds it and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
# Installing packages takes root; the rest runs as whoever called us.
if [[ $EUID -eq 0 ]]; then bash scripts/setup.sh; else sudo bash scripts/setup.sh; fi
bash scripts/build.sh
exec build/app/velmora
