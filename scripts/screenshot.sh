#!/usr/bin/env bash
# Takes the README's picture of the window: the program on a private Xvfb server, captured with
# ImageMagick's import. Usage: scripts/screenshot.sh OUTPUT.png [SCALE]
set -euo pipefail
output=${1:?output file}
scale=${2:-1}
binary=${BINARY:-build/hardness-table}
display=:$((90 + RANDOM % 100))

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $program $server 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_SCALE_FACTOR=$scale "$binary" &
program=$!
sleep 2
DISPLAY=$display import -window root -crop "$((565 * scale))x$((331 * scale))+0+0" +repage "$output"
echo "wrote $output"
