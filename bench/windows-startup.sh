#!/usr/bin/env bash
# Start-up of the Windows program under Wine against a Win32 program of the same kind with
# nothing of its own (bench/windows_floor.cpp): from launch to the window shown on the X server,
# PAIRS alternating launches of the two on one private Xvfb with a window manager and one Wine
# prefix; prints both medians and their ratio. Measures and prints; it never fails on a slow
# machine. The window is looked for every 10 ms (xdotool's own --sync waits half a second
# between looks, coarser than what is measured).
# Usage: bench/windows-startup.sh [BUILD_DIR=build-windows] [PAIRS=9]
set -euo pipefail
build=$(realpath "${1:-build-windows}")
pairs=${2:-9}
program="$build/hardness-table.exe"
floor="$build/bench/startup_floor.exe"
probe="$build/tests/windows/probe.exe"
program_caption="Сравнительные значения чисел твердости" # the start of it
floor_caption="Start-up floor"
export WINEPREFIX="$build/wine/bench"
# shellcheck source=../scripts/wine-environment.sh
source "$(dirname "$0")/../scripts/wine-environment.sh"

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  "${wine%64}server" -k 2>/dev/null || true
}
trap cleanup EXIT

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$display_file")"
rm -f "$display_file"
openbox >/dev/null 2>&1 &
pids+=($!)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  "${wine%64}server" -w
fi
# A running wine server, as on a desktop where Wine has been used before.
"${wine%64}server" -p || true

# Milliseconds from launch to the window with that caption shown; the window is then closed.
launch() {
  local file=$1 caption=$2 start end pid
  start=$(date +%s%N)
  "$wine" "$file" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "$caption" >/dev/null 2>&1; do
    if (($(date +%s%N) - start > 30000000000)); then
      echo "no window \"$caption\" after 30 s" >&2
      exit 1
    fi
    sleep 0.01
  done
  end=$(date +%s%N)
  "$wine" "$probe" close >/dev/null 2>&1
  wait "$pid" || true
  echo $(((end - start) / 1000000))
}

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

# The first launch of each fills the caches.
launch "$floor" "$floor_caption" >/dev/null
launch "$program" "$program_caption" >/dev/null
floor_ms=()
program_ms=()
for _ in $(seq "$pairs"); do
  floor_ms+=("$(launch "$floor" "$floor_caption")")
  program_ms+=("$(launch "$program" "$program_caption")")
done

program_median=$(median "${program_ms[@]}")
floor_median=$(median "${floor_ms[@]}")
printf 'launch to window shown under Wine, %d alternating pairs\n' "$pairs"
printf '%-8s %8s %10s  %s\n' "" median "file" "each launch, ms"
printf '%-8s %5d ms %8d B  %s\n' program "$program_median" "$(stat -c %s "$program")" \
  "${program_ms[*]}"
printf '%-8s %5d ms %8d B  %s\n' floor "$floor_median" "$(stat -c %s "$floor")" "${floor_ms[*]}"
printf 'ratio    %.2f\n' "$(echo "$program_median / $floor_median" | bc -l)"
