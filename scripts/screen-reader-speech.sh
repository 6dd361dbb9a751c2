#!/usr/bin/env bash
# What the Orca screen reader speaks for a sequence of keys pressed in the program:
#   scripts/screen-reader-speech.sh [--program PATH] KEY...
# KEY is an xdotool key name (Tab, shift+Tab, Home, Down, Next, End, Up, ...), or several in one
# argument ("Down Down Down"), pressed as one quick burst. For each the script prints how long
# after it Orca began to speak, and Orca's spoken texts, once Orca has been silent for 2 s.
# Everything runs on a private X server with its own D-Bus session and accessibility bus;
# speech goes to a speech-dispatcher module whose command does nothing, so no sound is needed.
# Not part of the test suite: it needs Orca and half a minute.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program="$root/build/hardness-table"
if [ "${1:-}" = "--program" ]; then
  program=$2
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [--program PATH] KEY..." >&2; exit 2; }
[ -x "$program" ] || { echo "no program at $program (run make first)" >&2; exit 2; }

# How long Orca must stay silent, in tenths of a second, before the next key goes.
quiet=${QUIET:-20}

packages=(orca speech-dispatcher at-spi2-core dbus-x11 libao4 xvfb openbox xdotool bsdutils)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# KEEP=1 leaves the work folder, with Orca's whole log, for a look afterwards.
[ -n "${KEEP:-}" ] && trap "kill \$xvfb_pid 2>/dev/null; echo kept \$work >&2" EXIT

# A home of its own: Orca's settings, the silent speech module, libao's null driver.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/run" XDG_CACHE_HOME="$work/home/.cache"
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
echo "default_driver=null" >"$HOME/.libao"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'EOF'
AudioOutputMethod "libao"
AddModule "silent" "sd_generic" "silent.conf"
DefaultModule silent
LanguageDefaultModule "en" "silent"
LanguageDefaultModule "ru" "silent"
EOF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/silent.conf" <<'EOF'
GenericExecuteSynth "true"
AddVoice "en" "MALE1" "silent"
AddVoice "ru" "MALE1" "silent"
DefaultVoice "silent"
EOF

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/display")"

# Everything from here on shares one D-Bus session, which the accessibility bus hangs off.
export PROGRAM="$program" WORK="$work" QUIET="$quiet"
dbus-run-session -- bash -s "$@" <<'SESSION'
set -euo pipefail
log="$WORK/orca.typescript"
pids=()
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done' EXIT

openbox >"$WORK/openbox.log" 2>&1 & pids+=($!)
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/bus.log" 2>&1 & pids+=($!)
sleep 1
/usr/libexec/at-spi2-registryd --use-gnome-session=false >"$WORK/registryd.log" 2>&1 & pids+=($!)

# Orca writes its debug log to its terminal; `script` gives it one and passes each line on at once.
script -q -f -c "orca --replace --debug-file=/dev/tty" "$log" </dev/null >/dev/null 2>&1 & pids+=($!)

# The spoken texts after a line of the log, each with the time of day Orca spoke it, in seconds.
speech_after() {
  tail -n +"$(($1 + 1))" "$log" | tr -d '\r' | grep -a "SPEECH OUTPUT: '" |
    sed -E "s/^([0-9]+):([0-9]+):([0-9.]+) - SPEECH OUTPUT: '(.*)' ?\{.*$/\1 \2 \3 \4/" |
    awk '{ printf "%.3f", $1 * 3600 + $2 * 60 + $3; $1 = $2 = $3 = ""; sub(/^ +/, ""); print " " $0 }' ||
    true
}
now() { date +%H:%M:%S.%N | awk -F: '{ printf "%.3f\n", $1 * 3600 + $2 * 60 + $3 }'; }
# Until Orca has said nothing new for a while (it may take long to begin), at most half a minute.
wait_for_quiet() {
  local count=-1 quiet=0
  for _ in $(seq 300); do
    local lines
    lines=$(speech_after "$1" | wc -l)
    if [ "$lines" -eq "$count" ] && [ "$lines" -gt 0 ]; then
      quiet=$((quiet + 1))
      [ "$quiet" -ge "$QUIET" ] && return
    else
      quiet=0
    fi
    count=$lines
    sleep 0.1
  done
}

for _ in $(seq 600); do
  grep -aq "SPEECH OUTPUT" "$log" 2>/dev/null && break
  sleep 0.1
done
grep -aq "SPEECH OUTPUT" "$log" || { echo "Orca did not start speaking; see $log" >&2; exit 1; }

mark=$(wc -l <"$log")
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$PROGRAM" >"$WORK/program.log" 2>&1 &
pids+=($!)
window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$!" | head -n1)
xdotool windowactivate --sync "$window"
wait_for_quiet "$mark"
echo "== the window opens"
speech_after "$mark" | cut -d' ' -f2- | sed 's/^/   /'

for key in "$@"; do
  mark=$(wc -l <"$log")
  sent=$(now)
  # shellcheck disable=SC2086 # several names in one argument go as one quick burst
  xdotool key $key
  wait_for_quiet "$mark"
  spoken=$(speech_after "$mark")
  if [ -z "$spoken" ]; then
    echo "== $key: silence"
    continue
  fi
  awk -v key="$key" -v sent="$sent" -v first="${spoken%% *}" \
    'BEGIN { printf "== %s: speech after %.2f s\n", key, first - sent }'
  cut -d' ' -f2- <<<"$spoken" | sed 's/^/   /'
done
SESSION
