#!/usr/bin/env bash
# What the Orca screen reader says of the running program: a private home,
# session bus and X server, and a speech server whose one voice writes each
# text it is given to spoken.txt; orca_check.py drives the program and reads
# it. Skipped (77), with the reason, where Orca cannot start.
# Usage: orca_test.sh PROGRAM   (LANG is Orca's and the program's language)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for tool in orca speech-dispatcher xdotool dbus-run-session Xvfb; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
# The speech server goes on by itself; its pid file ends it.
pid_file=$work/run/speech-dispatcher/pid/speech-dispatcher.pid
trap 'kill "$(cat "$pid_file" 2>/dev/null)" 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
export XDG_DATA_HOME=$work/data GSETTINGS_BACKEND=memory LANGUAGE= LC_ALL=
speechd=$XDG_CONFIG_HOME/speech-dispatcher
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$speechd/modules"
printf '%s\n' 'AudioOutputMethod "alsa"' 'AudioALSADevice "null"' 'Timeout 10' \
  'AddModule "file" "sd_generic" "file.conf"' 'DefaultModule file' >"$speechd/speechd.conf"
{
  echo "GenericExecuteSynth \"printf '%s\\\\n' \\'\$DATA\\' >> $work/spoken.txt\""
  printf '%s\n' 'GenericDelimiters "~"' 'GenericMaxChunkLength 100000'
  for l in en bg; do echo "GenericLanguage \"$l\" \"$l\" \"utf-8\""; echo "AddVoice \"$l\" \"MALE1\" \"$l\""; done
} >"$speechd/modules/file.conf"

dbus-run-session -- bash "$here/../with_xvfb.sh" /usr/bin/python3 "$here/orca_check.py" "$1" "$work"
