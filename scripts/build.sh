#!/usr/bin/env bash
# Configures and builds the project in build/ (the "default" preset): the
# core, the driver, the tests, the Qt program and, when MinGW is there, the
# Win32 program. Extra arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default "$@"
cmake --build --preset default
