#!/usr/bin/env bash
# Makes the README's pictures of the exercise from the window's start text
# 112, drawn by Graphviz's dot: docs/velmora-explore-112-in-turn.svg (the
# buttons pressed in turn, the exercise's own reading, and the loop they fall
# into) and docs/velmora-explore-112.svg (the texts the search in any order
# met on its way to 0). It runs the built tool (BUILD-DIR/tools/explore/
# velmora-explore, build/ by default); nothing is built here.
# Usage: bash scripts/explore-graph.sh [BUILD-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$(realpath -m "${1:-build}/tools/explore/velmora-explore")
[[ -x $tool ]] || { echo "no program at $tool: build it first (bash scripts/build.sh)" >&2; exit 1; }
mkdir -p docs
LC_ALL=C.UTF-8 "$tool" --graph 112 --in-turn --svg --output docs/velmora-explore-112-in-turn.svg
LC_ALL=C.UTF-8 "$tool" --graph 112 --svg --output docs/velmora-explore-112.svg
echo "docs/velmora-explore-112-in-turn.svg docs/velmora-explore-112.svg"
