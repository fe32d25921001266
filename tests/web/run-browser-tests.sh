#!/usr/bin/env bash
# Runs the browser tests (node --test) or says why they cannot run here:
# exit status 77 is a skip for CTest.
# Usage: run-browser-tests.sh NODE   (VELMORA_WEB_DIR names the built page)
set -euo pipefail
node=$1
cd "$(dirname "$0")"
if [[ ! -f node_modules/playwright-core/package.json ]]; then
  echo "playwright-core is not installed: run 'npm ci --ignore-scripts' in tests/web"
  exit 77
fi
chromium=${VELMORA_CHROMIUM:-/usr/bin/chromium}
if [[ ! -x $chromium ]]; then
  echo "$chromium not found: install chromium (scripts/setup.sh)"
  exit 77
fi
exec "$node" --test page.test.mjs
