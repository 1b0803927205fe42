#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real window with random keys and clicks for a while, under a window manager on a
# virtual display, and fails if the program crashes or a sanitizer reports anything.
#   scripts/gui-soak.sh BINARY [SECONDS] [SEED]
# Build BINARY with -DTRAKMIL_SANITIZE=ON (make test-asan does) to catch memory errors.
# Needs xvfb, xdotool and openbox.
set -uo pipefail
BIN=$(realpath "$1"); SECONDS_TOTAL=${2:-600}; SEED=${3:-$RANDOM}
if [ "${SOAK_INNER:-}" != 1 ]; then
  export SOAK_INNER=1
  exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$BIN" "$SECONDS_TOTAL" "$SEED"
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cp "$BIN" "$WORK/trakmil"            # settings and files stay in the scratch folder
cd "$WORK"
mkdir -p home && export HOME="$WORK/home"
printf 'НАЧАЛО АЛГОРИТМА\nЦВЕТ=КРАСНЫЙ\nШАГ\nПОВОРОТ 90\nКОНЕЦ АЛГОРИТМА\n' | iconv -f UTF-8 -t CP1251 > sample.tkm
export ASAN_OPTIONS="detect_leaks=0:log_path=$WORK/asan"
export UBSAN_OPTIONS="print_stacktrace=1:log_path=$WORK/ubsan"
openbox >/dev/null 2>&1 &
setxkbmap -layout us,ru 2>/dev/null || true
RANDOM=$SEED
echo "gui-soak: seed $SEED, $SECONDS_TOTAL s"

start_app() { ./trakmil sample.tkm >/dev/null 2>>"$WORK/stderr" & APP=$!; sleep 3; }
start_app
keys=(Return Return BackSpace Delete Up Down Left Right Home End Prior Next Escape Escape Tab
      ctrl+z ctrl+y ctrl+a ctrl+c ctrl+x ctrl+v ctrl+n ctrl+o ctrl+s F9 F9 F5 Escape alt+q
      ctrl+F1 ctrl+F2 ctrl+F3 ctrl+F4 ctrl+F5 ctrl+F6 ctrl+F7 ctrl+F10 ctrl+F11 ctrl+F12
      shift+Return alt+f alt+e alt+p F10 space y n)
words=("ШАГ" "STEP" "PAS" "ПОВОРОТ 90" "ЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ" "КОНЕЦ ЦИКЛА" "ЦВЕТ=СИНИЙ"
       "НАЧАЛО АЛГОРИТМА" "КОНЕЦ АЛГОРИТМА" "*\$S=1" "ПРОЦЕДУРА А" "ВЫПОЛНИТЬ А" "12345" "ё")
restarts=0; actions=0
end=$((SECONDS + SECONDS_TOTAL))
while [ $SECONDS -lt $end ]; do
  if ! kill -0 "$APP" 2>/dev/null; then
    wait "$APP"; rc=$?
    # Alt+X or a closed window ends normally; anything else is a crash.
    if [ $rc -ne 0 ]; then echo "gui-soak: the program died with status $rc after $actions actions"; break; fi
    restarts=$((restarts + 1)); start_app
  fi
  case $((RANDOM % 8)) in
    0|1) xdotool key --clearmodifiers "${keys[RANDOM % ${#keys[@]}]}" ;;
    2)   xdotool type --delay 5 "${words[RANDOM % ${#words[@]}]}" ;;
    3)   xdotool mousemove $((RANDOM % 1024)) $((RANDOM % 768)) click 1 ;;
    4)   xdotool mousemove $((RANDOM % 1024)) $((RANDOM % 768)) click 3 ;;
    5)   xdotool mousemove $((RANDOM % 1024)) $((RANDOM % 768)) click --repeat 2 1 ;;
    6|7) # a menu of the menu bar, then one of its items: every command, manual mode included
         read -r WX WY < <(xdotool search --onlyvisible --name 'Trakmil|Тракмил' getwindowgeometry %@ 2>/dev/null |
                           awk '/Position/ {split($2, p, ","); print p[1], p[2]; exit}')
         xdotool mousemove $(( ${WX:-0} + 15 + RANDOM % 280 )) $(( ${WY:-0} + 10 )) click 1
         for _ in $(seq $((RANDOM % 14))); do xdotool key Down; done
         xdotool key $([ $((RANDOM % 2)) = 0 ] && echo Right) Return ;;
  esac
  actions=$((actions + 1))
  # SOAK_SHOTS=DIR keeps a picture of the screen every 200 actions, to see what was exercised.
  [ -n "${SOAK_SHOTS:-}" ] && [ $((actions % 200)) = 0 ] && import -window root "$SOAK_SHOTS/$actions.png"
  sleep 0.0$((RANDOM % 10))
done
kill "$APP" 2>/dev/null; wait "$APP" 2>/dev/null
echo "gui-soak: $actions actions, $restarts restarts"
if ls "$WORK"/asan* "$WORK"/ubsan* >/dev/null 2>&1; then
  cat "$WORK"/asan* "$WORK"/ubsan* 2>/dev/null | head -80
  exit 1
fi
grep -m5 -E 'runtime error|AddressSanitizer' "$WORK/stderr" && exit 1
[ -z "${rc:-}" ] || [ "$rc" -eq 0 ]
