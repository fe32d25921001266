#!/usr/bin/env bash
# Configures and builds the project in build/ (the Win32 program too, when
# MinGW is there).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build build
