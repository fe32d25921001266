#!/usr/bin/env bash
# Serves the built web page (build/web, or the folder given) on 127.0.0.1
# and prints its address; Ctrl+C stops it. The page needs HTTP: opened as a
# file it cannot fetch its module and record.
# Usage: scripts/serve-web.sh [FOLDER] [PORT]     (defaults: build/web 8000)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build/web} port=${2:-8000}
if [[ ! -f $dir/index.html ]]; then
  echo "serve-web: no page in $dir; build it first (bash scripts/build.sh)" >&2
  exit 1
fi
echo "Velmora: http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$dir"
