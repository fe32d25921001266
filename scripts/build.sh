#!/usr/bin/env bash
# Configures and builds the project in build/ with a CMake preset ("default"
# unless VELMORA_PRESET names another, such as "ci", which makes every
# warning an error): the core, the driver, the tests, the Qt program and,
# when MinGW is there, the Win32 program. Extra arguments go to the
# configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${VELMORA_PRESET:-default}
cmake --preset "$preset" "$@"
cmake --build --preset "$preset"
