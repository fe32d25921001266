#!/usr/bin/env bash
# Makes docs/velmora-explore-112.svg, the README's picture of the exercise:
# velmora-explore's graph from the window's start text 112, drawn by
# Graphviz's dot. It runs the built tool (BUILD-DIR/tools/explore/
# velmora-explore, build/ by default); nothing is built here.
# Usage: bash scripts/explore-graph.sh [BUILD-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$(realpath -m "${1:-build}/tools/explore/velmora-explore")
[[ -x $tool ]] || { echo "no program at $tool: build it first (bash scripts/build.sh)" >&2; exit 1; }
mkdir -p docs
LC_ALL=C.UTF-8 "$tool" --graph 112 --svg --output docs/velmora-explore-112.svg
echo "docs/velmora-explore-112.svg"
