#!/usr/bin/env bash
# Reads the running program's window over AT-SPI, as a screen reader does:
# a private session bus, a private X server, and atspi_check.py as client.
# Usage: atspi_test.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
exec dbus-run-session -- bash "$here/../with_xvfb.sh" /usr/bin/python3 "$here/atspi_check.py" "$1"
