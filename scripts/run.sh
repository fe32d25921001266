#!/usr/bin/env bash
# Installs, builds and runs the program's main job.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
echo '{"op":"press","text":"112","button":0}' | build/tools/driver/velmora-driver
