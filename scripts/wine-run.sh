#!/usr/bin/env bash
# Runs one Windows program of the tests under Wine, in a Wine prefix of its own under the build
# folder, on a private X server: nothing is written to the home folder, no display is needed.
# Usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
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
exec xvfb-run -a -s "-screen 0 1280x800x24" "$wine" "$program" "$@"
