#!/usr/bin/env bash
# The Windows program under Wine on a private X server with a window manager, driven with real
# X input (xdotool) and read from outside by probe.exe: the whole table, every column in step
# after each action, the focus where it should be, and exit status 0 on close.
# Usage: window-under-wine.sh PROGRAM.exe PROBE.exe TABLE.txt WORK_DIR
set -euo pipefail
program=$(realpath "$1")
probe_exe=$(realpath "$2")
table=$(realpath "$3")
work=$4
mkdir -p "$work"
work=$(realpath "$work")

export WINEPREFIX="$work/prefix"
# shellcheck source=../../scripts/wine-environment.sh
source "$(dirname "$0")/../../scripts/wine-environment.sh"
keep_to_one_processor

# shellcheck source=private-display.sh
source "$(dirname "$0")/private-display.sh"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
fi

failures=0
step() { echo "--- $*"; }
probe() { "$wine" "$probe_exe" "$@" | tr -d '\r'; }
expect() {
  if ! probe expect "$@"; then
    failures=$((failures + 1))
  fi
}
check_size() {
  local size
  size=$(probe size)
  if [ "$size" != "$1 $2" ]; then
    echo "client area $size, expected $1 $2"
    failures=$((failures + 1))
  fi
}
# Taken by a new session, as after signing in again: Wine 10's desktop keeps the DPI it started
# with for its monitors.
set_dots_per_inch() {
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  "${wine%64}server" -w 2>/dev/null || true
}
click_row() {
  local x y
  read -r x y < <(probe point "$1" "$2")
  xdotool mousemove "$x" "$y" click 1
}

"$wine" "$program" &
program_pid=$!
pids+=("$program_pid")

step "start: the focus in List1, nothing selected, every list at its first row"
expect 1 -1 0

step "the client area is the design's 565 x 331 pixels at 96 dots per inch"
check_size 565 331

step "the whole table, as the lists show it"
if ! diff <(grep '^|' "$table") <(probe table); then
  failures=$((failures + 1))
fi

step "a click on HRC's row 5 selects row 5 everywhere"
click_row 3 5
expect 3 5 0

step "a click on HSh's row 2, a list without the focus, takes the focus and aligns"
click_row 6 2
expect 6 2 0

step "the down arrow of HRA's scroll bar scrolls every list and leaves the focus in HSh"
read -r x y < <(probe bar 5)
xdotool mousemove "$x" "$y" click 1
expect 6 2 1

step "the wheel over HV scrolls every list"
read -r x y < <(probe point 2 4)
xdotool mousemove "$x" "$y" click 5
expect - 2 '>1'

step "arrow keys, Page Down and End move the selection in every list"
xdotool key Down
expect 6 3 same
xdotool key Next
expect 6 '>3' same
xdotool key End
expect 6 112 same
xdotool key Home
expect 6 0 0

step "Tab goes List1, List2, List3, List4, List6, List7, List5 and round; Shift+Tab back"
click_row 1 0
expect 1 0 0
for number in 2 3 4 6 7 5 1; do
  xdotool key Tab
  expect "$number" 0 0
done
for number in 5 7 6 4 3 2 1; do
  xdotool key shift+Tab
  expect "$number" 0 0
done

step "typing 444 quickly in HB finds the row 444"
xdotool type --delay 50 444
expect 1 24 same

# --- Typing a measured value --------------------------------------------------------------------
step "a typed value selects the row of its column's nearest value once typing pauses"
tab_order=(1 2 3 4 6 7 5)
focused=1
tab_to() {
  local from to presses
  for from in "${!tab_order[@]}"; do [ "${tab_order[$from]}" = "$focused" ] && break; done
  for to in "${!tab_order[@]}"; do [ "${tab_order[$to]}" = "$1" ] && break; done
  presses=$(((to - from + ${#tab_order[@]}) % ${#tab_order[@]}))
  for _ in $(seq "$presses"); do xdotool key Tab; done
  focused=$1
}
# Wine reads the keypad's decimal key as VK_DECIMAL only while Num Lock is on.
xdotool key Num_Lock
# Each row is a list, the row expected after the pause, and the keys; in every case typing alone
# stops on another row, so only the pause can bring the columns there. The rows come on a
# descriptor of their own, so that nothing the loop runs can take them from standard input.
while read -r list row keys <&3; do
  tab_to "$list"
  # shellcheck disable=SC2086 # one xdotool argument a key
  xdotool key --delay 50 $keys
  if ! probe expect "$list" "$row" same; then
    echo "typing $keys in List$list did not end on row $row everywhere"
    failures=$((failures + 1))
  fi
done 3<<'ROWS'
2 15 6 0 0
5 12 8 0 comma 2
1 29 3 9 9
5 12 8 0 KP_Decimal 2
3 55 1 9
7 0 6 9 comma 5 5
ROWS
xdotool key Num_Lock
# --- End of typing a measured value --------------------------------------------------------------

step "closing the window ends the program with status 0"
xdotool key alt+F4
status=0
wait "$program_pid" || status=$?
if [ "$status" -ne 0 ]; then
  echo "exit status $status"
  failures=$((failures + 1))
fi

step "at 144 dots per inch the window is laid out at 144: 848 x 497 pixels"
set_dots_per_inch 144
"$wine" "$program" &
program_pid=$!
pids+=("$program_pid")
expect 1 -1 0
check_size 848 497
probe close
wait "$program_pid" || true
set_dots_per_inch 96

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "every check passed"
