#!/usr/bin/env bash
# Runs the browser tests (node --test) or says why they cannot run here:
# exit status 77 is a skip for CTest.
# Usage: run-browser-tests.sh NODE [TEST FILE]   (VELMORA_WEB_DIR names the
# built page; the test file is page.test.mjs unless named)
set -euo pipefail
node=$1
cd "$(dirname "$0")"
for package in playwright-core axe-core; do
  if [[ ! -f node_modules/$package/package.json ]]; then
    echo "$package is not installed: run 'npm ci --ignore-scripts' in tests/web"
    exit 77
  fi
done
chromium=${VELMORA_CHROMIUM:-/usr/bin/chromium}
if [[ ! -x $chromium ]]; then
  echo "$chromium not found: install chromium (scripts/setup.sh)"
  exit 77
fi
exec "$node" --test "${2:-page.test.mjs}"
