#!/usr/bin/env bash
# Installs what the program needs, builds it and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec build/app/velmora
