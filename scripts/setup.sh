#!/usr/bin/env bash
# Installs what a command needs on Debian 12 (run as root):
#   setup.sh run    what the Linux (Qt) program needs to build and run
#                   (scripts/run.sh)
#   setup.sh test   that and every toolchain and tool the tests use: the
#                   Win32 and web builds, Wine, Chromium, the fuzzers
#                   (scripts/test.sh; the default)
set -euo pipefail

what=${1:-test}
# The Linux program: compiler, CMake, Qt, the JSON headers (velmora-explore,
# which its package holds), the tools that render the icon, and the fonts
# that stand in for the window's font.
packages=(
  cmake g++ ninja-build nlohmann-json3-dev qt6-base-dev
  librsvg2-bin imagemagick fonts-liberation2 qt6-translations-l10n
)
case $what in
  run) ;;
  test)
    packages+=(
      # the core's tests and the benchmarks
      make libgtest-dev libgmock-dev libbenchmark-dev
      # fuzzing
      clang libclang-rt-14-dev
      # the Qt front end's tests and packaging
      xvfb xauth xdotool locales at-spi2-core dbus dbus-x11 desktop-file-utils appstream
      dpkg-dev file lintian x11-utils python3-gi gir1.2-atspi-2.0 libx11-dev
      # ... what the Orca screen reader says of it (the speech server's only
      # voice is one that writes to a file, so no synthesizer is needed)
      orca speech-dispatcher python3-pyatspi
      # velmora-explore's graph tests: dot reads its DOT and draws its SVG
      graphviz
      # the Win32 front end, cross-built and tested under Wine
      g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32 zip
      # ... and for x86_64, where this kernel runs no 32-bit programs: the Wine
      # tests then run a 64-bit build of the tests under 64-bit Wine
      wine64 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
      # its Windows Installer package, built with wixl; its tests install it
      # with 64-bit Wine where 32-bit Wine cannot start
      wixl msitools
      # the web page: the core in WebAssembly, tested in headless Chromium,
      # served by Python
      emscripten chromium fonts-dejavu-core python3
      # reproducible deliverables: the rebuild test's and the release check's
      # tools, and the licence check
      strip-nondeterminism diffoscope-minimal licensecheck unzip
    )
    # The browser tests' npm packages, and the web build's Graphviz for the
    # teachers' page, need node and npm: Debian's, unless a node with its
    # own npm is installed already.
    if ! command -v npm >/dev/null; then
      packages+=(nodejs npm)
    fi
    ;;
  *) echo "usage: setup.sh [run|test]  (what the command needs; test by default)" >&2; exit 2 ;;
esac

need=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if ((${#need[@]})); then
  # wine32 is an i386 package.
  if [[ $what == test ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync, or a dropped connection, fails an index now
  # and then: try again, and go on with the indexes that did arrive if it
  # keeps failing.
  for try in 1 2 3; do
    apt-get update --error-on=any && break
    if ((try == 3)); then echo "setup.sh: apt-get update failed 3 times; going on with the indexes it has" >&2; break; fi
    sleep 20
  done
  # Without its i386 indexes apt cannot install wine32. The Wine tests then
  # run the x86_64 build under 64-bit Wine, as on a machine that runs no
  # 32-bit programs; everything else must still install.
  if [[ " ${need[*]} " == *" wine32 "* ]] && ! apt-get install -s wine32 >/dev/null 2>&1; then
    echo "setup.sh: wine32 cannot be installed now; the Wine tests will run the x86_64 build" >&2
    without=()
    for p in "${need[@]}"; do [[ $p == wine32 ]] || without+=("$p"); done
    need=("${without[@]}")
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${need[@]}"
fi

# The comma-separator tests run under a Bulgarian locale.
if [[ $what == test ]] && ! locale -a 2>/dev/null | grep -qi '^bg_BG\.utf-\?8$'; then
  sed -i 's/^# *\(bg_BG.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^bg_BG.UTF-8 UTF-8' /etc/locale.gen || echo 'bg_BG.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi
