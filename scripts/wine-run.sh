#!/usr/bin/env bash
# Runs one Windows program of the tests under Wine, in a Wine prefix of its own under the build
# folder, on a private X server: nothing is written to the home folder, no display is needed.
# With WINE_RUN_WINDOW_MANAGER=1 a window manager runs there too: windows get their frames and
# are activated as on a desktop, which keyboard input and activation tests need. With
# WINE_RUN_DISPLAY=none there is no X server: Wine's own display driver keeps windows in memory
# and takes input from SendInput alone, about twice as fast for a long input test.
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
no_display=$([ "${WINE_RUN_DISPLAY:-}" = none ] && echo 1 || true)
export WINEPREFIX="$build_dir/wine/$name${no_display:+-no-display}"
# shellcheck source=wine-environment.sh
source "$(dirname "$0")/wine-environment.sh"
keep_to_one_processor
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  if [ -n "$no_display" ]; then
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  fi
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
if [ -n "$no_display" ]; then
  unset DISPLAY
  exec "$wine" "$program" "$@"
fi
if [ -n "${WINE_RUN_IN_X:-}" ]; then
  # Inside the private X server: a window manager first, as on a desktop, then the program.
  ready="$WINEPREFIX/window-manager-ready.$$"
  openbox --startup "touch $ready" >/dev/null 2>&1 &
  window_manager=$!
  for _ in $(seq 100); do
    [ -e "$ready" ] && break
    sleep 0.1
  done
  rm -f "$ready"
  status=0
  "$wine" "$program" "$@" || status=$?
  kill "$window_manager" 2>/dev/null || true
  exit "$status"
fi
if [ -n "${WINE_RUN_WINDOW_MANAGER:-}" ]; then
  WINE_RUN_IN_X=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$program" "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x800x24" "$wine" "$program" "$@"
