#!/usr/bin/env bash
# Configures and builds the project in build/ with a CMake preset, "default"
# unless VELMORA_PRESET names another (CMakePresets.json). "default" builds
# the core, velmora-driver and velmora-explore, the Qt program, the tests
# and the benchmarks; where MinGW is installed also the Win32 program, its
# zip and (with wixl) its MSI, and where Emscripten is, the web page and its
# zip. "ci" is the same with every warning an error; "run" builds the Qt
# program and velmora-explore alone. Extra arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${VELMORA_PRESET:-default}
cmake --preset "$preset" "$@"
cmake --build --preset "$preset"
