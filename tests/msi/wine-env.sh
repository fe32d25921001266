# Sourced by the MSI tests: picks a Wine that can start here and makes
# fresh private prefixes for it.
#
#   msi_pick_wine          sets WINE, WINESERVER, WINEARCH and MSI_RUNS_32BIT;
#                          exits 77 (skipped) where no Wine can start
#   msi_fresh_prefix <state dir> <name>
#                          exports WINEPREFIX=<state dir>/<name>, a copy of a
#                          freshly booted prefix (booted once, in <state dir>/template)
#   msi_stop_wine          ends the prefix's wineserver once it has saved the registry
#
# Velmora.exe is a 32-bit program. A 64-bit Wine in a win64 prefix installs
# the 32-bit package (msiexec, files, registry, shortcut) even where the
# kernel runs no 32-bit programs; the program itself then cannot start
# (MSI_RUNS_32BIT=0). Where 64-bit Wine is missing, a 32-bit Wine in a win32
# prefix does it all.

export WINEDEBUG=-all
# No Mono or Gecko installer, and no menu entries on the host for the
# shortcuts that the tests install.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINE_NO_CRASH_DIALOG=1

msi_pick_wine() {
  local loader32= loader64= c
  for c in /usr/lib/wine/wine64 "$(command -v wine64 || true)"; do
    [[ -n "$c" && -x "$c" ]] && "$c" --version >/dev/null 2>&1 && { loader64=$c; break; }
  done
  # A 32-bit loader is a 32-bit ELF program (ELF class 1); a wrapper script
  # named wine may start the 64-bit one instead.
  for c in /usr/lib/wine/wine "$(command -v wine || true)"; do
    [[ -n "$c" && -x "$c" && "$(od -An -tx1 -j0 -N5 "$c" 2>/dev/null | tr -d ' ')" == 7f454c4601 ]] &&
      "$c" --version >/dev/null 2>&1 && { loader32=$c; break; }
  done
  MSI_RUNS_32BIT=0
  [[ -n "$loader32" ]] && MSI_RUNS_32BIT=1
  if [[ -n "$loader64" ]]; then
    WINE=$loader64 WINEARCH=win64
  elif [[ -n "$loader32" ]]; then
    WINE=$loader32 WINEARCH=win32
  else
    echo "SKIP: no Wine can start on this machine (neither a 64-bit nor a 32-bit loader runs)," >&2
    echo "  so the MSI cannot be installed here." >&2
    exit 77
  fi
  export WINEARCH
  export WINELOADER=$WINE
  WINESERVER=$(dirname "$WINE")/wineserver
  [[ -x "$WINESERVER" ]] || WINESERVER=$(command -v wineserver)
  echo "Wine: $WINE ($WINEARCH prefix); 32-bit programs run here: $( ((MSI_RUNS_32BIT)) && echo yes || echo no)"
}

msi_fresh_prefix() {
  local state=$1 name=$2
  mkdir -p "$state"
  state=$(cd "$state" && pwd)
  # One boot at a time, even when CTest runs the tests in parallel.
  (
    flock 9
    if [[ ! -f "$state/template/.ready-$WINEARCH" ]]; then
      rm -rf "$state/template"
      WINEPREFIX="$state/template" "$WINE" wineboot -i >"$state/wineboot.log" 2>&1 ||
        { cat "$state/wineboot.log" >&2; exit 1; }
      WINEPREFIX="$state/template" "$WINESERVER" -w
      touch "$state/template/.ready-$WINEARCH"
    fi
  ) 9>"$state/lock" || { echo "FAIL: wineboot could not make a prefix" >&2; exit 1; }
  rm -rf "${state:?}/$name"
  cp -a "$state/template" "$state/$name"
  rm -f "$state/$name/.ready-"*
  export WINEPREFIX="$state/$name"
}

msi_stop_wine() {
  "$WINESERVER" -w 2>/dev/null || true
}
