#!/usr/bin/env bash
# The ways Windows 8.1 and 7 find the DPI (window_behaviour dpi_fallback), in a Wine session at
# each of 96, 120 and 144 dots per inch: a session keeps the DPI it started with, as a user's
# does until signing in again, so each DPI is set in the registry before a new one starts.
# Usage: dpi-fallback-under-wine.sh WINDOW_BEHAVIOUR.exe WORK_DIR
set -euo pipefail
behaviour=$(realpath "$1")
work=$2
mkdir -p "$work"
work=$(realpath "$work")

export WINEPREFIX="$work/prefix"
# shellcheck source=../../scripts/wine-environment.sh
source "$(dirname "$0")/../../scripts/wine-environment.sh"
keep_to_one_processor

# shellcheck source=private-display.sh
source "$(dirname "$0")/private-display.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
fi

failures=0
for dots_per_inch in 96 120 144; do
  echo "--- a session at $dots_per_inch dots per inch"
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dots_per_inch" \
    /f >/dev/null 2>&1
  "${wine%64}server" -w 2>/dev/null || true
  if ! "$wine" "$behaviour" dpi_fallback "$dots_per_inch" | tr -d '\r'; then
    failures=$((failures + 1))
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "$failures session(s) failed"
  exit 1
fi
echo "every session passed"
