#!/usr/bin/env bash
# Starts the program under a virtual X server, runs optional xdotool commands,
# and saves a screenshot: scripts/shot.sh OUT.png [xdotool args...]
set -euo pipefail
out=$1; shift
bin=${TAMSEL_BIN:-build/dev/src/desktop/tamsel}
display=:${SHOT_DISPLAY:-97}
Xvfb "$display" -screen 0 ${SHOT_SCREEN:-1024x768x24} -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 0.5
DISPLAY=$display "$bin" &
app=$!
sleep 1.5
if [ $# -gt 0 ]; then DISPLAY=$display xdotool "$@"; sleep 0.7; fi
DISPLAY=$display import -window root "$out"
