#!/usr/bin/env bash
# velmora-driver on the Windows runtime against the host's: both get the
# same request lines (one JSON request a line), and every answer line must
# be the same. The two runtimes' C++ libraries differ (the driver's shortest
# "value" text comes from std::to_chars), and so may the JSON library's
# number and text handling.
#   driver-diff.sh <state dir> <velmora-driver.exe> <host velmora-driver> <requests.jsonl>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [[ "${1:-}" != --inside ]]; then
  exec "$here/run-under-wine.sh" "$1" --script "$0" --inside "$2" "$3" "$4"
fi
exe=$2 native=$3 requests=$4
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$native" <"$requests" >"$out/host"
# The driver writes bare LF lines on Windows too; a CR would be dropped here.
wine "$exe" <"$requests" | tr -d '\r' >"$out/windows"

count=$(wc -l <"$requests")
host_count=$(wc -l <"$out/host")
((host_count == count)) || { echo "FAIL: the host driver answered $host_count of $count lines" >&2; exit 1; }
if ! diff -u --label host --label windows "$out/host" "$out/windows"; then
  echo "FAIL: the Windows driver answers differently (requests: $requests)" >&2
  exit 1
fi
echo "driver: the same $count answers on both runtimes"
