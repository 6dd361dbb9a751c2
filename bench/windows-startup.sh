#!/usr/bin/env bash
# Start-up of the Windows program under Wine: from launch to the window shown on the X server,
# median of RUNS launches, on a private Xvfb with a window manager. Measures and prints; it
# never fails on a slow machine.
# Usage: bench/windows-startup.sh [BUILD_DIR=build-windows] [RUNS=9]
set -euo pipefail
build=$(realpath "${1:-build-windows}")
runs=${2:-9}
program="$build/hardness-table.exe"
probe="$build/tests/windows/probe.exe"
export WINEPREFIX="$build/wine/bench"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
caption="Сравнительные значения чисел твердости"

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
openbox >/dev/null 2>&1 &
pids+=($!)
[ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot -i >/dev/null 2>&1
# A running wine server, as on a desktop where Wine has been used before.
"${wine%64}server" -p || true

launch() {
  local start end
  start=$(date +%s%N)
  "$wine" "$program" &
  local pid=$!
  xdotool search --sync --onlyvisible --name "$caption" >/dev/null
  end=$(date +%s%N)
  "$wine" "$probe" close
  wait "$pid" || true
  times+=($(((end - start) / 1000000)))
}

times=()
launch # the first launch fills the caches
times=()
for _ in $(seq "$runs"); do
  launch
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
median=$(echo "$sorted" | sed -n "$(((runs + 1) / 2))p")
echo "launch to window shown, ms: ${times[*]}"
echo "median of $runs: $median ms"
echo "program file: $(stat -c %s "$program") bytes"
