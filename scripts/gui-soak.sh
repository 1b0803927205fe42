#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real window with random keys and clicks for a while, under a window manager on a
# virtual display, and fails if the program crashes, stops answering or a sanitizer reports
# anything.
#   scripts/gui-soak.sh BINARY [SECONDS] [SEED]
# Build BINARY with -DTRAKMIL_SANITIZE=ON (make test-asan does) to catch memory errors.
# Every few actions it tends the window as a pupil would: an iconified or hidden window is
# brought back, a dialog left open too long is closed (Esc, then the window manager's close),
# and the window is asked whether it still answers (_NET_WM_PING, scripts/window-ping.c); no
# answer within 5 s fails the soak. It counts as reached only the actions that went to one of
# the program's windows (the keyboard's window, the window under the pointer), and fails when
# none of the last 200 did.
# Needs xvfb, xdotool, x11-utils (xprop), openbox, a C compiler and libx11-dev, which it installs
# when missing (scripts/install-deps.sh soak).
set -uo pipefail
BIN=$(realpath "$1"); SECONDS_TOTAL=${2:-600}; SEED=${3:-$RANDOM}
if [ "${SOAK_INNER:-}" != 1 ]; then
  bash "$(dirname "$0")/install-deps.sh" soak || exit 2
  export SOAK_INNER=1
  exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$BIN" "$SECONDS_TOTAL" "$SEED"
fi

HERE=$(dirname "$(realpath "$0")")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cc -O2 -o "$WORK/window-ping" "$HERE/window-ping.c" -lX11 || { echo "gui-soak: cannot build the ping probe"; exit 2; }
cp "$BIN" "$WORK/trakmil"            # settings and files stay in the scratch folder
cd "$WORK"
mkdir -p home && export HOME="$WORK/home"
printf 'НАЧАЛО АЛГОРИТМА\nЦВЕТ=КРАСНЫЙ\nШАГ\nПОВОРОТ 90\nКОНЕЦ АЛГОРИТМА\n' | iconv -f UTF-8 -t CP1251 > sample.tkm
export ASAN_OPTIONS="detect_leaks=0:handle_abort=1:log_path=$WORK/asan"
export UBSAN_OPTIONS="print_stacktrace=1:log_path=$WORK/ubsan"
openbox >/dev/null 2>&1 &
setxkbmap -layout us,ru 2>/dev/null || true
RANDOM=$SEED
echo "gui-soak: seed $SEED, $SECONDS_TOTAL s"

# The program's main window: its own, not a dialog's (those name the window they belong to).
main_window() {
  local w
  for w in $(xdotool search --pid "$APP" 2>/dev/null); do
    xprop -id "$w" WM_STATE WM_TRANSIENT_FOR 2>/dev/null |
      grep -q 'WM_TRANSIENT_FOR:  not found' && xprop -id "$w" WM_STATE 2>/dev/null | grep -q 'window state' &&
      { echo "$w"; return; }
  done
}
start_app() {
  ./trakmil sample.tkm >/dev/null 2>>"$WORK/stderr" & APP=$!
  MAIN=""
  for _ in $(seq 40); do sleep 0.25; MAIN=$(main_window); [ -n "$MAIN" ] && break; done
  declare -gA SEEN=()
}
# The window manager's state of window $1: Normal, Iconic, or nothing when it is not shown.
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
# Whether window $1 is one of the program's shown windows or the frame around one (the
# window under the pointer is the frame), as last seen by tend.
ours() { [ -n "$1" ] && [[ " $OURS " == *" $1 "* ]]; }

restores=0; closed=0; pings=0; slowest=0; OURS=""; TOPGEOM=""; MAINGEOM=""
# Brings back what a pupil would: an iconified window, a dialog left open, the keyboard's
# place; and notes the program's windows, their frames and where they are.
tend() {
  [ -n "$MAIN" ] || MAIN=$(main_window)
  [ -n "$MAIN" ] || return
  local w state top="" others=() frame
  OURS=""
  for w in $(xdotool search --pid "$APP" 2>/dev/null); do
    state=$(wm_state "$w")
    [ -n "$state" ] || continue
    if [ "$state" = Iconic ]; then
      xdotool windowactivate --sync "$w" >/dev/null 2>&1 || xdotool windowmap "$w" 2>/dev/null
      restores=$((restores + 1))
    fi
    frame=$(xwininfo -tree -id "$w" 2>/dev/null | sed -n 's/.*Parent window id: \(0x[0-9a-fA-F]*\).*/\1/p')
    OURS+=" $w $([ -n "$frame" ] && printf '%d' "$frame")"
    [ "$w" = "$MAIN" ] && continue
    others+=("$w"); top=$w
    # A dialog or tool window open for three rounds is closed: Esc, and from the sixth the
    # window manager's close.
    SEEN[$w]=$(( ${SEEN[$w]:-0} + 1 ))
    if [ "${SEEN[$w]}" -ge 3 ]; then
      xdotool windowactivate --sync "$w" >/dev/null 2>&1
      if [ "${SEEN[$w]}" -ge 6 ]; then xdotool key --clearmodifiers alt+F4; else xdotool key --clearmodifiers Escape; fi
      closed=$((closed + 1))
    fi
  done
  for w in "${!SEEN[@]}"; do [[ " ${others[*]} " == *" $w "* ]] || unset "SEEN[$w]"; done
  # The keyboard back in one of the program's windows, the newest dialog first.
  if ! ours "$(xdotool getwindowfocus 2>/dev/null)"; then
    xdotool windowactivate --sync "${top:-$MAIN}" >/dev/null 2>&1
    restores=$((restores + 1))
  fi
  geometry() { xdotool getwindowgeometry "$1" 2>/dev/null |
    awk '/Position/ {split($2, p, ","); x = p[1]; y = p[2]} /Geometry/ {split($2, g, "x"); print x, y, g[1], g[2]}'; }
  MAINGEOM=$(geometry "$MAIN")
  TOPGEOM=$MAINGEOM
  [ -n "$top" ] && TOPGEOM=$(geometry "$top")
}
# Fails the soak when the main window does not answer within 5 s.
probe() {
  [ -n "$MAIN" ] || return 0
  local ms rc
  ms=$("$WORK/window-ping" "$MAIN" 5000 2>/dev/null); rc=$?
  if [ $rc = 1 ]; then
    kill -0 "$APP" 2>/dev/null || return 0   # it ended meanwhile: the loop sees how
    echo "gui-soak: the window did not answer within 5 s after $actions actions ($reached reached it)"
    [ -n "${SOAK_SHOTS:-}" ] && import -window root "$SOAK_SHOTS/hang.png"
    kill -ABRT "$APP" 2>/dev/null; sleep 2; kill -KILL "$APP" 2>/dev/null
    HUNG=1
    return 1
  fi
  if [ $rc = 0 ]; then
    pings=$((pings + 1))
    [ "$ms" -gt "$slowest" ] && slowest=$ms
  fi
  return 0
}

start_app
keys=(Return Return BackSpace Delete Up Down Left Right Home End Prior Next Escape Escape Tab
      ctrl+z ctrl+y ctrl+a ctrl+c ctrl+x ctrl+v ctrl+n ctrl+o ctrl+s F9 F9 F5 Escape alt+q
      ctrl+F1 ctrl+F2 ctrl+F3 ctrl+F4 ctrl+F5 ctrl+F6 ctrl+F7 ctrl+F10 ctrl+F11 ctrl+F12
      shift+Return alt+f alt+e alt+p F10 space y n ctrl+Tab ctrl+shift+Tab)
words=("ШАГ" "STEP" "PAS" "ПОВОРОТ 90" "ЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ" "КОНЕЦ ЦИКЛА" "ЦВЕТ=СИНИЙ"
       "НАЧАЛО АЛГОРИТМА" "КОНЕЦ АЛГОРИТМА" "*\$S=1" "ПРОЦЕДУРА А" "ВЫПОЛНИТЬ А" "12345" "ё")
restarts=0; actions=0; reached=0; unreached_run=0; HUNG=0; IDLE=0
end=$((SECONDS + SECONDS_TOTAL))
while [ $SECONDS -lt $end ]; do
  if ! kill -0 "$APP" 2>/dev/null; then
    wait "$APP"; rc=$?
    # Alt+X or a closed window ends normally; anything else is a crash.
    if [ $rc -ne 0 ]; then echo "gui-soak: the program died with status $rc after $actions actions"; break; fi
    restarts=$((restarts + 1)); start_app
  fi
  if [ $((actions % 5)) = 0 ]; then
    tend
    probe || break
  fi
  # Where the action goes: the keyboard's window for keys, the window under the pointer for
  # clicks. Only an action that lands in one of the program's windows counts as reached.
  case $((RANDOM % 8)) in
    0|1) target=$(xdotool getwindowfocus 2>/dev/null)
         xdotool key --clearmodifiers "${keys[RANDOM % ${#keys[@]}]}" ;;
    2)   target=$(xdotool getwindowfocus 2>/dev/null)
         xdotool type --delay 5 "${words[RANDOM % ${#words[@]}]}" ;;
    3|4|5)
         # Mostly into the program's newest window, sometimes anywhere.
         read -r WX WY WW WH <<< "$TOPGEOM"
         if [ $((RANDOM % 4)) != 0 ] && [ "${WW:-0}" -gt 0 ] && [ "${WH:-0}" -gt 0 ]; then
           X=$((WX + RANDOM % WW)); Y=$((WY + RANDOM % WH))
         else
           X=$((RANDOM % 1024)); Y=$((RANDOM % 768))
         fi
         clicks=("click 1" "click 3" "click --repeat 2 1")
         target=$(xdotool mousemove $X $Y getmouselocation --shell ${clicks[RANDOM % 3]} 2>/dev/null |
                  sed -n 's/^WINDOW=//p') ;;
    6|7) # a menu of the menu bar, then one of its items: every command, manual mode included
         read -r WX WY _ <<< "$MAINGEOM"
         target=$(xdotool mousemove $(( ${WX:-0} + 15 + RANDOM % 280 )) $(( ${WY:-0} + 10 )) \
                  getmouselocation --shell click 1 2>/dev/null | sed -n 's/^WINDOW=//p')
         downs=(); for _ in $(seq $((RANDOM % 14))); do downs+=(Down); done
         xdotool key "${downs[@]}" $([ $((RANDOM % 2)) = 0 ] && echo Right) Return ;;
  esac
  actions=$((actions + 1))
  if ours "$target"; then
    reached=$((reached + 1)); unreached_run=0
  else
    unreached_run=$((unreached_run + 1))
    if [ $unreached_run -ge 200 ]; then
      echo "gui-soak: none of the last 200 actions reached the window"; IDLE=1; break
    fi
  fi
  # SOAK_SHOTS=DIR keeps a picture of the screen every 200 actions, to see what was exercised.
  [ -n "${SOAK_SHOTS:-}" ] && [ $((actions % 200)) = 0 ] && import -window root "$SOAK_SHOTS/$actions.png"
  sleep 0.0$((RANDOM % 10))
done
kill "$APP" 2>/dev/null; wait "$APP" 2>/dev/null
echo "gui-soak: $actions actions sent, $reached reached the window ($((actions ? 100 * reached / actions : 0)) %)," \
     "$restores windows brought back, $closed dialogs closed, $pings answers to pings (slowest $slowest ms)," \
     "$restarts restarts"
if ls "$WORK"/asan* "$WORK"/ubsan* >/dev/null 2>&1; then
  cat "$WORK"/asan* "$WORK"/ubsan* 2>/dev/null | head -80
  exit 1
fi
grep -m5 -E 'runtime error|AddressSanitizer' "$WORK/stderr" && exit 1
[ $HUNG = 0 ] && [ $IDLE = 0 ] || exit 1
[ -z "${rc:-}" ] || [ "$rc" -eq 0 ]
