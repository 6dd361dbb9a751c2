#!/usr/bin/env bash
# Start-up of the program's window against the floor, on one private Xvfb server:
#   - instructions from launch to the first complete paint (callgrind; repeatable),
#   - wall-clock time from launch to the first complete paint (median of alternating pairs),
#   - private dirty memory at the first complete paint (/proc/self/smaps_rollup).
# Usage: bench/run-startup.sh [BUILD_DIR] [PAIRS]. Prints figures; never judges them.
set -euo pipefail
build=${1:-build}
pairs=${2:-15}
window=$build/bench/bench_startup_window
floor=$build/bench/bench_startup_floor

display=:$((200 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
unset QT_QPA_PLATFORM

# The floor paints each caption at the size the window ends with, told rather than searched for.
BENCH_CAPTION_POINTS=$("$window" --caption-points 2>/dev/null)
export BENCH_CAPTION_POINTS

run() { BENCH_LAUNCH_NS=$(date +%s%N) "$1" 2>/dev/null; }

# Warm the file cache first, so that neither side pays for the first read of the libraries.
run "$floor" >/dev/null; run "$window" >/dev/null

declare -a window_ms floor_ms window_kb floor_kb
for ((i = 0; i < pairs; i++)); do
  read -r _ _ ms _ kb <<<"$(run "$floor")";  floor_ms+=("$ms");  floor_kb+=("$kb")
  read -r _ _ ms _ kb <<<"$(run "$window")"; window_ms+=("$ms"); window_kb+=("$kb")
done
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

instructions() {
  local out
  out=$(mktemp)
  valgrind --tool=callgrind --callgrind-out-file="$out" "$1" >/dev/null 2>&1 || true
  awk '/^totals:/ {print $2; exit}' "$out"
  rm -f "$out"
}
window_ir=$(instructions "$window")
floor_ir=$(instructions "$floor")

wm=$(median "${window_ms[@]}"); fm=$(median "${floor_ms[@]}")
wk=$(median "${window_kb[@]}"); fk=$(median "${floor_kb[@]}")
printf 'start-up to first complete paint, %d alternating pairs on Xvfb\n' "$pairs"
printf 'caption point sizes, Label1(0) to Label1(10): %s\n' "$BENCH_CAPTION_POINTS"
printf '%-28s %14s %14s %8s\n' "" window floor ratio
printf '%-28s %14s %14s %8.3f\n' "instructions (callgrind)" "$window_ir" "$floor_ir" \
  "$(echo "$window_ir / $floor_ir" | bc -l)"
printf '%-28s %14s %14s %8.3f\n' "wall-clock ms (median)" "$wm" "$fm" "$(echo "$wm / $fm" | bc -l)"
printf '%-28s %14s %14s %+8d\n' "private dirty kB (median)" "$wk" "$fk" "$((wk - fk))"
