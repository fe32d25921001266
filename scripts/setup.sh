#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (run as root).
set -euo pipefail

packages=(
  # build and core tests
  cmake g++ make ninja-build libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  # fuzzing
  clang libclang-rt-14-dev
  # the Qt front end, its tests and packaging
  qt6-base-dev xvfb xauth xdotool fonts-liberation2 imagemagick locales
  at-spi2-core dbus dbus-x11 desktop-file-utils appstream dpkg-dev file
  python3-gi gir1.2-atspi-2.0 libx11-dev
  # the Win32 front end, cross-built and tested under Wine
  g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32 zip
  # the web page: the core in WebAssembly (fast_float is header-only, used
  # by every build), tested in headless Chromium, served by Python
  emscripten libfast-float-dev chromium fonts-dejavu-core python3
)
# The browser tests' npm package needs node and npm: Debian's, unless a node
# with its own npm is installed already.
if ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi

need=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if ((${#need[@]})); then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${need[@]}"
fi

# The comma-separator tests run under a Bulgarian locale.
if ! locale -a 2>/dev/null | grep -qi '^bg_BG\.utf-\?8$'; then
  sed -i 's/^# *\(bg_BG.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^bg_BG.UTF-8 UTF-8' /etc/locale.gen || echo 'bg_BG.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi
