#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a 20,000-tick drawing program in the real window at speed 5, on a virtual display under
# a window manager, and prints the wall time of the run and the window process's CPU use
# over it (from /proc/PID/stat). The run ends with a step off the field, whose message
# window tells the script that the last tick is done.
#   scripts/window-speed.sh BINARY [SPEED]
# Needs xvfb, xdotool and openbox.
set -euo pipefail
BIN=$(realpath "$1"); SPEED=${2:-5}
if [ "${SPEED_INNER:-}" != 1 ]; then
  export SPEED_INNER=1
  exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$BIN" "$SPEED"
fi

WORK=$(mktemp -d)
trap 'kill "$APP" "$WM" 2>/dev/null || true; rm -rf "$WORK"' EXIT
APP=; WM=
cp "$BIN" "$WORK/trakmil"            # the settings file lies beside the copy
cd "$WORK"
mkdir -p home && export HOME="$WORK/home"
printf '[int]\nlanguage=eng\nx_speed=%s\npole_x=16\npole_y=20\nsintax=1\nshowadv=1\n' "$SPEED" > trakmil.ini

# A 4-node square walked over and over, then a step west off the field.
{
  printf 'ALGORITHM BEGIN\r\nCOLOR=RED\r\nCYCLE. EXECUTE 3332 TIMES\r\n'
  printf 'STEP\r\nSTEP\r\nSTEP\r\nSTEP\r\nROTATE 90\r\nEND OF CYCLE\r\n'
  printf 'ROTATE 90\r\nROTATE 90\r\nSTEP\r\nALGORITHM END\r\n'
} > run.tkm
TICKS=$( (./trakmil --run run.tkm --language eng || true) | sed -n 's/.*ticks=\([0-9]*\).*/\1/p')

openbox >/dev/null 2>&1 & WM=$!
sleep 1
./trakmil run.tkm >/dev/null 2>&1 & APP=$!
WIN=$(xdotool search --sync --onlyvisible --pid "$APP" --name 'Trakmil' | head -1)
sleep 2
xdotool windowactivate --sync "$WIN" 2>/dev/null || xdotool windowfocus "$WIN"

cpu() { awk '{print $14 + $15}' "/proc/$APP/stat"; }
HZ=$(getconf CLK_TCK)
c0=$(cpu); t0=$(date +%s.%N)
xdotool key --window "$WIN" F9
# The out-of-field report opens a window titled with its heading.
xdotool search --sync --onlyvisible --name '^#03' >/dev/null
c1=$(cpu); t1=$(date +%s.%N)
awk -v t0="$t0" -v t1="$t1" -v c0="$c0" -v c1="$c1" -v hz="$HZ" -v ticks="$TICKS" -v speed="$SPEED" 'BEGIN {
  wall = t1 - t0; cpu = (c1 - c0) / hz
  printf "speed %d: %d ticks in %.2f s wall (%.0f ticks/s), %.2f s CPU = %.1f %% of one core\n",
         speed, ticks, wall, ticks / wall, cpu, 100 * cpu / wall }'
