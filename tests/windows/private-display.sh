# Sourced by the Wine test scripts, with $work and $wine set: a private X server of the test's
# own as DISPLAY, and, on exit, the end of everything the test started (its processes go in pids).
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  "${wine%64}server" -k 2>/dev/null || true
}
trap cleanup EXIT

# The server picks a free display and writes its number once it is ready.
: >"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/display")"
