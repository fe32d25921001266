#!/usr/bin/env bash
# What the Orca screen reader says of the running program: a private home,
# session bus and X server, and a speech server whose only voice writes
# down what it is given; orca_check.py drives the program and reads what
# Orca said. Skipped (77), with the reason, where Orca cannot start.
# Usage: orca_test.sh PROGRAM   (LANG picks Orca's and the program's language)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for tool in orca speech-dispatcher xdotool dbus-run-session Xvfb; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  { echo "SKIP: Python's AT-SPI bindings are not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config
export XDG_CACHE_HOME=$work/home/.cache XDG_DATA_HOME=$work/home/.local/share
export GSETTINGS_BACKEND=memory LANGUAGE= LC_ALL=
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# The speech server: no sound card, and one module (the generic one) that
# appends each text it should speak to spoken.txt, one line each.
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<EOF
LogLevel 2
LogDir "default"
Timeout 10
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "file" "sd_generic" "file.conf"
DefaultModule file
EOF
{
  echo "GenericExecuteSynth \"printf '%s\\\\n' \\'\$DATA\\' >> $work/spoken.txt\""
  echo 'GenericCmdDependency "printf"'
  echo 'GenericDelimiters "~"'
  echo 'GenericMaxChunkLength 100000'
  for l in en bg; do echo "GenericLanguage \"$l\" \"$l\" \"utf-8\""; echo "AddVoice \"$l\" \"MALE1\" \"$l\""; done
} >"$XDG_CONFIG_HOME/speech-dispatcher/modules/file.conf"

status=0
dbus-run-session -- bash "$here/../with_xvfb.sh" /usr/bin/python3 "$here/orca_check.py" "$1" "$work" || status=$?
# The speech server leaves itself running; it is ended by its own pid file.
if pid=$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null); then
  kill "$pid" 2>/dev/null || true
fi
exit $status
