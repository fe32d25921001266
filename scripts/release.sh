#!/usr/bin/env bash
# Makes a release of the checked-out commit in dist/:
#
#   bash scripts/release.sh [--check]
#
# It builds everything afresh in build-release/ (every warning an error, no
# tests) and puts in dist/, each with its version in its name:
#   Velmora-<version>-win32.msi   the Windows Installer package
#   Velmora-<version>-win32.zip   Velmora.exe and LICENSE.txt
#   velmora_<version>_<arch>.deb  the Linux package
#   Velmora-<version>-web.zip     the web page's files
#   velmora-<version>.tar.gz      the source, from git archive
#   SHA256SUMS                    the SHA-256 of each (sha256sum -c reads it)
# Every file is dated the last commit (SOURCE_DATE_EPOCH), so the same
# commit gives the same bytes in any folder, at any time. --check proves it:
# the commit is cloned into another folder and built again there, and the
# two SHA256SUMS must be the same (diffoscope, where installed, explains a
# difference).
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
case "${1:-}" in
  "") ;;
  --check) check=1 ;;
  *) echo "usage: bash scripts/release.sh [--check]" >&2; exit 2 ;;
esac
if [[ -n "$(git status --porcelain --untracked-files=no)" ]]; then
  echo "release.sh: the working tree has uncommitted changes; a release is made from a commit" >&2
  exit 1
fi
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
# What else could reach the files: the time zone, the locale, the mode of
# new files.
export TZ=UTC0 LC_ALL=C
umask 022

# release <source> <build folder> <dist folder>
release() {
  local src=$1 build=$2 dist=$3 version deb f
  rm -rf "$build" "$dist"
  mkdir -p "$build" "$dist"
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF \
        >"$build/release-configure.log"
  cmake --build "$build" >"$build/release-build.log" ||
    { tail -30 "$build/release-build.log"; echo "release.sh: the build failed" >&2; return 1; }
  version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
  (cd "$build" && cpack -G DEB -B "$build/packages" >"$build/release-cpack.log" 2>&1) ||
    { cat "$build/release-cpack.log"; echo "release.sh: cpack failed" >&2; return 1; }
  # Each deliverable needs its tools (scripts/setup.sh installs them all).
  for f in "Velmora-$version-win32.msi" "Velmora-$version-win32.zip" Velmora-web.zip; do
    [[ -f "$build/$f" ]] || { echo "release.sh: $f was not built: see $build/release-configure.log" >&2; return 1; }
  done
  deb=$(ls "$build"/packages/*.deb)
  cp "$build/Velmora-$version-win32.msi" "$build/Velmora-$version-win32.zip" "$dist/"
  cp "$deb" "$dist/"
  cp "$build/Velmora-web.zip" "$dist/Velmora-$version-web.zip"
  git -C "$src" archive --format=tar.gz --prefix="velmora-$version/" -o "$dist/velmora-$version.tar.gz" HEAD
  (cd "$dist" && sha256sum -- * >SHA256SUMS.new && mv SHA256SUMS.new SHA256SUMS)
}

release "$PWD" "$PWD/build-release" "$PWD/dist"
echo "== dist/"
cat dist/SHA256SUMS

if ((check)); then
  second=$(mktemp -d "${TMPDIR:-/tmp}/velmora-release-check.XXXXXX")
  git clone --quiet --no-checkout "$PWD" "$second/src"
  git -C "$second/src" checkout --quiet --detach "$(git rev-parse HEAD)"
  release "$second/src" "$second/build" "$second/dist"
  if cmp -s dist/SHA256SUMS "$second/dist/SHA256SUMS"; then
    echo "== the same SHA256SUMS from a second build in $second"
    rm -rf "$second"
  else
    echo "== a second build in $second differs:"
    diff dist/SHA256SUMS "$second/dist/SHA256SUMS" || true
    if command -v diffoscope >/dev/null; then
      for f in $(cd dist && ls); do
        cmp -s "dist/$f" "$second/dist/$f" || diffoscope --text - "dist/$f" "$second/dist/$f" | head -80 || true
      done
    fi
    exit 1
  fi
fi
