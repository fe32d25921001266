#!/usr/bin/env bash
# The host's driver test against the cross-built driver: run by
# run-under-wine.sh --script, so WINEPREFIX and DISPLAY are set already.
#   driver-under-wine.sh <velmora-driver-tests> <velmora-driver.exe>
set -euo pipefail
tests=$1 exe=$2
VELMORA_DRIVER_COMMAND="wine '$exe'" exec "$tests"
