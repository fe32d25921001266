#!/usr/bin/env bash
# Builds the Windows program and the web page a second time, from a copy of
# the source in another folder, and compares each deliverable with the
# first build's byte for byte (cmp; diffoscope explains a difference where
# it is installed). strip-nondeterminism, where installed, must find
# nothing to normalise in the archives and images.
#   rebuild_test.sh <source> <build> <second folder> <warnings as errors> <target>...
set -euo pipefail
source=$1 build=$2 second=$3 werror=$4
shift 4
targets=("$@")

# The first build took its date from the last commit; the copy has no git.
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
  SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH

rm -rf "$second"; mkdir -p "$second/src"
# The files of the source as they stand (committed or not), not the build.
(cd "$source" && git ls-files -z --cached --others --exclude-standard |
  xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
  tar --null -T - -cf -) | tar -xf - -C "$second/src"
start=$(date +%s)
cmake -S "$second/src" -B "$second/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVELMORA_BUILD_QT=OFF -DVELMORA_BUILD_BENCH=OFF -DVELMORA_BUILD_TESTS=OFF \
  -DCMAKE_COMPILE_WARNING_AS_ERROR="$werror" >"$second/configure.log" 2>&1 ||
  { tail -20 "$second/configure.log"; echo "FAIL: the second build does not configure"; exit 1; }
cmake --build "$second/build" --target "${targets[@]}" >"$second/build.log" 2>&1 ||
  { tail -30 "$second/build.log"; echo "FAIL: the second build failed"; exit 1; }
echo "note the second build took $(($(date +%s) - start)) s"

failures=0
same() {  # path relative to both build folders
  if [[ ! -e "$build/$1" && ! -e "$second/build/$1" ]]; then
    return
  elif cmp "$build/$1" "$second/build/$1"; then
    echo "ok   $1"
  else
    echo "FAIL $1 differs"
    failures=$((failures + 1))
    if command -v diffoscope >/dev/null; then
      diffoscope --text - "$build/$1" "$second/build/$1" | head -60 || true
    fi
  fi
}
same win32/app/Velmora.exe
for f in "$build"/Velmora-[0-9]*-win32.zip "$build"/*-win32.msi; do
  [[ -e "$f" ]] && same "$(basename "$f")"
done
if [[ -d "$build/web" ]]; then
  listing=$(cd "$build/web" && find . -type f | LC_ALL=C sort)
  [[ "$listing" == "$(cd "$second/build/web" && find . -type f | LC_ALL=C sort)" ]] &&
    echo "ok   the same files in web/" || { echo "FAIL web/ holds other files"; failures=$((failures + 1)); }
  for f in $listing; do same "web/${f#./}"; done
fi
same Velmora-web.zip

# Nothing left for strip-nondeterminism to normalise.
if command -v strip-nondeterminism >/dev/null; then
  mkdir -p "$second/normalised"
  for f in "$build"/Velmora-*.zip "$build"/web/*.png; do
    [[ -e "$f" ]] || continue
    copy="$second/normalised/$(basename "$f")"
    cp "$f" "$copy"
    strip-nondeterminism -T "$SOURCE_DATE_EPOCH" "$copy" >/dev/null
    if cmp -s "$f" "$copy"; then echo "ok   strip-nondeterminism leaves $(basename "$f") as it is"
    else echo "FAIL strip-nondeterminism changes $(basename "$f")"; failures=$((failures + 1)); fi
  done
else
  echo "note strip-nondeterminism is not installed: its check is left out"
fi

((failures == 0)) || { echo "$failures deliverable(s) differ; the second build is in $second"; exit 1; }
rm -rf "$second"
echo "all deliverables are the same, byte for byte"
