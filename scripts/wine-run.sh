#!/usr/bin/env bash
# Runs one Windows program of the tests under Wine, in a Wine prefix of its own under the build
# folder, on a private X server: nothing is written to the home folder, no display is needed.
# Usage: wine-run.sh [--no-display] PROGRAM.exe [ARGUMENTS...]
# --no-display is for console programs that open no window, run one after another: no X server
# is started, and the output goes through a file, so that the Wine processes that stay on for a
# few seconds after the program hold no pipe of the caller (CTest waits for its pipes to close)
# and the next program finds them running.
set -euo pipefail
display=true
if [ "$1" = --no-display ]; then
  display=false
  shift
fi
program=$1
shift
name=$(basename "$program" .exe)
build_dir=$(cd "$(dirname "$program")" && pwd)
while [ ! -f "$build_dir/CMakeCache.txt" ] && [ "$build_dir" != / ]; do
  build_dir=$(dirname "$build_dir")
done
export WINEPREFIX="$build_dir/wine/$name"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  "${wine%64}server" -w 2>/dev/null || wineserver -w
fi
if ! $display; then
  output=$(mktemp)
  trap 'rm -f "$output"' EXIT
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY "$wine" "$program" "$@" </dev/null >"$output" 2>&1 || status=$?
  cat "$output"
  exit "$status"
fi
exec xvfb-run -a -s "-screen 0 1280x800x24" "$wine" "$program" "$@"
