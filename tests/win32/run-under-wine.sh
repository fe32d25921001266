#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix and a private X
# server, so that tests never touch the user's own prefix or display.
#
#   run-under-wine.sh <state dir> <program.exe> [args...]
#   run-under-wine.sh <state dir> --script <script.sh> [args...]
#
# The second form runs a bash script in the same surroundings (WINEPREFIX,
# DISPLAY and the rest exported), for tests that drive wine themselves.
#
# The prefix lives in <state dir>/prefix (prefix64 for 64-bit programs, see
# VELMORA_WINE_ARCH) and is made once: a quiet wineboot,
# "Times New Roman" mapped to Liberation Serif (Wine ships neither), and the
# Liberation fonts copied into the prefix's Fonts folder. Each run starts its
# own Xvfb on a free display (tests/with_xvfb.sh) and stops it afterwards. The program's exit code
# is this script's exit code.
#
# Where Wine cannot start at all (a kernel without 32-bit support runs no
# i386 program, and so no 32-bit Wine), the script says so and exits 77,
# which the Wine tests report as skipped.
#
# Environment:
#   VELMORA_WINE_ARCH=win64 the programs are 64-bit (x86_64): run them with
#                           64-bit Wine's loader in a 64-bit prefix; inside,
#                           "wine" is that loader. Default win32: the
#                           "wine" on the PATH, a 32-bit prefix.
#   VELMORA_WINE64=<path>   64-bit Wine's loader (/usr/lib/wine/wine64).
#   VELMORA_WINE_KEEP_X=1   start no X server: use $DISPLAY as it is (and
#                           leave the wineserver running).
set -euo pipefail

state=$1; shift
mkdir -p "$state"
state=$(cd "$state" && pwd)
arch=${VELMORA_WINE_ARCH:-win32}
case $arch in
  win32)
    export WINEPREFIX="$state/prefix"
    ;;
  win64)
    # "wine" for this script and the scripts it runs: the 64-bit loader
    # itself (the wine on the PATH takes the 32-bit one where it is there).
    loader=${VELMORA_WINE64:-/usr/lib/wine/wine64}
    mkdir -p "$state/bin64"
    printf '#!/bin/sh\nexec "%s" "$@"\n' "$loader" >"$state/bin64/wine.new"
    chmod +x "$state/bin64/wine.new"
    mv -f "$state/bin64/wine.new" "$state/bin64/wine"
    export PATH="$state/bin64:$PATH" WINELOADER=$loader
    export WINEPREFIX="$state/prefix64"
    ;;
  *) echo "VELMORA_WINE_ARCH must be win32 or win64, not $arch" >&2; exit 2 ;;
esac
export WINEARCH=$arch
if ! wine_error=$(wine --version 2>&1); then
  echo "SKIP: Wine ($arch) cannot start on this machine, so no Windows program can run here:" >&2
  echo "  ${wine_error##*$'\n'}" >&2
  [[ $arch == win32 && -x /usr/lib/wine/wine ]] && ! /usr/lib/wine/wine --version >/dev/null 2>&1 &&
    echo "  (its 32-bit loader does not execute: this kernel runs no 32-bit programs)" >&2
  exit 77
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Keep Wine's own windows (crash dialogs) out of the way of tests.
export WINE_NO_CRASH_DIALOG=1

# One prefix set-up at a time, even when CTest runs tests in parallel.
exec 9>"$state/lock-$arch"
flock 9
if [[ ! -f "$WINEPREFIX/.velmora-ready" ]]; then
  rm -rf "$WINEPREFIX"
  wine wineboot -i >"$state/wineboot-$arch.log" 2>&1
  wineserver -w
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for f in /usr/share/fonts/truetype/liberation2/Liberation*.ttf \
           /usr/share/fonts/truetype/liberation/Liberation*.ttf; do
    [[ -f "$f" ]] && cp -n "$f" "$fonts/"
  done
  cat >"$state/fonts-$arch.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"Times New Roman"="Liberation Serif"
"Times New Roman,204"="Liberation Serif,204"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  wine regedit /S "$state/fonts-$arch.reg" >>"$state/wineboot-$arch.log" 2>&1
  wineserver -w
  touch "$WINEPREFIX/.velmora-ready"
fi
flock -u 9

# Once the prefix is ready, run again inside a private X server
# (tests/with_xvfb.sh), unless told to use $DISPLAY as it is.
if [[ "${VELMORA_WINE_KEEP_X:-0}" != 1 && -z "${VELMORA_WINE_IN_X:-}" ]]; then
  here=$(cd "$(dirname "$0")" && pwd)
  VELMORA_WINE_IN_X=1 exec bash "$here/../with_xvfb.sh" bash "$0" "$state" "$@"
fi

set +e
if [[ "${1:-}" == --script ]]; then
  shift
  bash "$@"
else
  wine "$@"
fi
rc=$?
set -e
# Wine's helper processes hold the display: end them before the X server.
# (The tests that use this script run one at a time; see CMakeLists.txt.)
if [[ -n "${VELMORA_WINE_IN_X:-}" ]]; then wineserver -k 2>/dev/null || true; fi
exit $rc
