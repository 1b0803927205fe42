#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Holds Trakmil's costs against the toolkit's floor: each figure is measured side by side with
# its anchor (the bare Qt programs of bench/anchors/, or the same command without the costly
# part), in interleaved rounds (A B A B ...), and the table gives the medians and their ratio.
#   scripts/perf-compare.sh [--rounds N] [--build DIR] [--instructions]
#                                     (5 rounds, the folder build)
# Needs a build with the benchmarks (TRAKMIL_BENCHMARKS, the default): trakmil, bench/anchor_*,
# bench/bench_editor and bench/bench_window; and xvfb, xdotool and openbox, as the window is
# driven on a virtual display under a window manager. --instructions adds the start-up counted
# in instructions, one start of each under valgrind's callgrind: it moves by about a tenth of
# a percent from run to run (the window's timers tick while it settles), where CPU times move
# by several percent and with the machine. PERF_COMPARE_KEEP=DIR keeps every round's figures
# there, one file per figure.
#
# How each figure is taken:
# - CPU of a window: user + system time of the process, from the kernel's accounting of a
#   child that ended (bash's time over the program), the program being killed once settled.
#   Settled: its window is mapped and its CPU time (clock ticks of /proc/PID/stat) has not moved
#   for 300 ms. So the figure runs from exec to a window that has finished its work, the quiet
#   300 ms included (a caret blinking costs next to nothing), the same for Trakmil and anchor.
# - Memory: Rss and Pss of /proc/PID/smaps_rollup once settled. Pss shares the libraries'
#   pages with every other process using them, so it moves with what else runs; Rss does not.
# - Opening 100,000 lines: Trakmil given the file on its command line against the bare editor
#   loading it, both to settled; the row below it takes each one's own empty start away.
#   The bare window and the bare editor are given the size of Trakmil's window.
# - Keystrokes: in a 10,000-line program, xdotool types characters at the text's start (a new
#   first line) into the focused window; the CPU delta (/proc/PID/task/*/schedstat, in ns) from
#   before the first key to settled after the last, divided by the keys.
# - The class report: trakmil --compare MODEL and 300 pupils with --report against the same
#   grading without it, one process each, user + system of all its threads.
# - The benchmark rows come from build/bench (Google Benchmark CPU time), one run a round.
# Every Trakmil start has its own HOME, XDG folders and settings file (beside a link to the
# binary), so no recovery copy of an earlier start is offered.
set -euo pipefail
ROUNDS=5; BUILD=build; INSTRUCTIONS=
while [ $# -gt 0 ]; do
  case "$1" in
    -r|--rounds) ROUNDS=$2; shift 2 ;;
    -b|--build) BUILD=$2; shift 2 ;;
    -i|--instructions) INSTRUCTIONS=--instructions; shift ;;
    -h|--help) sed -n '4,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "perf-compare.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
[[ $ROUNDS =~ ^[1-9][0-9]*$ ]] || { echo "perf-compare.sh: rounds must be a whole number above 0" >&2; exit 2; }
BUILD=$(realpath "$BUILD")
for f in trakmil bench/anchor_window bench/anchor_widgets bench/anchor_editor bench/bench_editor bench/bench_window; do
  [ -x "$BUILD/$f" ] || { echo "perf-compare.sh: $BUILD/$f is missing; build it with the benchmarks on" >&2; exit 2; }
done
for t in xvfb-run xdotool openbox ${INSTRUCTIONS:+valgrind callgrind_control}; do
  command -v "$t" >/dev/null || { echo "perf-compare.sh: needs $t (scripts/install-deps.sh soak)" >&2; exit 2; }
done
if [ "${PERF_COMPARE_INNER:-}" != 1 ]; then
  export PERF_COMPARE_INNER=1
  exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" --rounds "$ROUNDS" --build "$BUILD" $INSTRUCTIONS
fi

WORK=$(mktemp -d)
APP=; WRAP=; WM=; CPU=
# shellcheck disable=SC2317   # called by the trap
cleanup() {
  if [ -n "$APP" ]; then kill -KILL "$APP" 2>/dev/null || true; fi
  if [ -n "$WM" ]; then kill "$WM" 2>/dev/null || true; fi
  if [ -n "${PERF_COMPARE_KEEP:-}" ]; then cp -r "$WORK/results" "$PERF_COMPARE_KEEP"; fi
  rm -rf "$WORK"
}
trap cleanup EXIT
ANCHOR_WINDOW=$BUILD/bench/anchor_window
ANCHOR_WIDGETS=$BUILD/bench/anchor_widgets
ANCHOR_EDITOR=$BUILD/bench/anchor_editor
export QT_QPA_PLATFORM=xcb

# ---- the programs measured ----------------------------------------------------------------
# A program of N lines, as Trakmil saves it (CR LF), in English.
program() {
  local n=$1 body=( 'STEP' 'ROTATE 90' 'COLOR=RED' 'JUMP' 'CYCLE. EXECUTE 4 TIMES' 'STEP'
                    'END OF CYCLE' '* a comment' 'ROTATE 45' 'COLOR=GREEN' )
  awk -v n="$n" -v body="$(printf '%s\n' "${body[@]}")" 'BEGIN {
    k = split(body, b, "\n") - 1
    printf "ALGORITHM BEGIN\r\n"
    for (i = 0; i < n - 2; ++i) printf "%s\r\n", b[i % k + 1]
    printf "ALGORITHM END\r\n" }'
}
program 100000 > "$WORK/lines100000.tkm"
program 10000 > "$WORK/lines10000.tkm"

# A class: a model and 300 pupils, every third drawing exactly the model, the others a
# picture of their own (other sides, turns and colours).
mkdir -p "$WORK/class"
square() {   # SIDE_A SIDE_B COLOUR TURNS
  printf 'ALGORITHM BEGIN\r\nCOLOR=%s\r\nCYCLE. EXECUTE %d TIMES\r\n' "$3" "$4"
  printf 'CYCLE. EXECUTE %d TIMES\r\nSTEP\r\nEND OF CYCLE\r\nROTATE 90\r\n' "$1"
  printf 'CYCLE. EXECUTE %d TIMES\r\nSTEP\r\nEND OF CYCLE\r\nROTATE 90\r\nEND OF CYCLE\r\n' "$2"
  printf 'JUMP\r\nROTATE 45\r\nCOLOR=BLUE\r\nSTEP\r\nSTEP\r\nALGORITHM END\r\n'
}
colours=(RED GREEN YELLOW BLACK)
square 6 4 RED 2 > "$WORK/class/model.tkm"
for i in $(seq -w 1 300); do
  n=$((10#$i))
  if [ $((n % 3)) = 0 ]; then
    cp "$WORK/class/model.tkm" "$WORK/class/pupil$i.tkm"
  else
    square $((1 + n % 7)) $((1 + n / 7 % 6)) "${colours[n % 4]}" $((1 + n % 2)) > "$WORK/class/pupil$i.tkm"
  fi
done

# ---- measuring one start -------------------------------------------------------------------
# A fresh folder for one Trakmil start: a link to the binary, its settings file beside it and
# its own home. Prints the folder.
fresh() {
  local d
  d=$(mktemp -d "$WORK/start.XXXXXX")
  mkdir -p "$d/home" "$d/config" "$d/data"
  ln "$BUILD/trakmil" "$d/trakmil" 2>/dev/null || cp "$BUILD/trakmil" "$d/trakmil"
  printf '[int]\nlanguage=eng\n' > "$d/trakmil.ini"
  echo "$d"
}

# launch DIR COMMAND...: starts COMMAND with DIR as its home, under bash's time, whose figures
# (user, system, wall) go to DIR/cpu; sets APP to the program's pid and WRAP to the timer's.
launch() {
  local d=$1; shift
  (
    TIMEFORMAT='%3U %3S %3R'
    { time env HOME="$d/home" XDG_CONFIG_HOME="$d/config" XDG_DATA_HOME="$d/data" "$@" >/dev/null 2>&1; } 2>"$d/cpu"
  ) &
  WRAP=$!
  APP=
  for _ in $(seq 500); do
    APP=$(pgrep -P "$WRAP" || true)
    [ -n "$APP" ] && return 0
    sleep 0.01
  done
  echo "perf-compare.sh: $1 did not start" >&2
  exit 1
}

ticks() { awk '{print $14 + $15}' "/proc/$APP/stat"; }
# CPU time of every thread of APP, in ns.
nanos() { cat /proc/"$APP"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d\n", s}'; }

# Waits for APP's window to be mapped and its CPU time to stand still for 300 ms; prints the
# window's id.
settle() {
  local win last now still=0
  win=$(timeout 60 xdotool search --sync --onlyvisible --pid "$APP" 2>/dev/null | head -1 || true)
  if [ -z "$win" ]; then
    echo "perf-compare.sh: no window of $(tr '\0' ' ' < "/proc/$APP/cmdline" 2>/dev/null) within a minute" >&2
    exit 1
  fi
  last=$(ticks)
  while [ "$still" -lt 6 ]; do
    sleep 0.05
    [ -e "/proc/$APP/stat" ] || { echo "perf-compare.sh: the program measured ended by itself" >&2; exit 1; }
    now=$(ticks)
    if [ "$now" = "$last" ]; then still=$((still + 1)); else still=0; last=$now; fi
  done
  echo "$win"
}

# Rss and Pss of APP, in KiB.
memory() { awk '/^Rss:/ {r = $2} /^Pss:/ {p = $2} END {print r, p}' "/proc/$APP/smaps_rollup"; }

# Kills APP and sets CPU to its user + system seconds. Not in a subshell: only this shell
# can wait for the timer to write them.
finish() {
  local d=$1
  kill -KILL "$APP"
  wait "$WRAP" 2>/dev/null || true
  APP=
  # The shell may say first that the program was killed.
  CPU=$(awk 'NF == 3 && $1 ~ /^[0-9.]+$/ {printf "%.3f\n", $1 + $2}' "$d/cpu")
  rm -f "$d/cpu"
}

# Results: one file per figure and program, one value a line (a round).
R=$WORK/results
mkdir -p "$R"
note() { echo "$2" >> "$R/$1"; }

# start NAME DIR COMMAND...: start-up CPU to settled, and memory there.
start() {
  local name=$1 d=$2; shift 2
  launch "$d" "$@"
  settle >/dev/null
  local mem
  mem=$(memory)
  note "$name.rss" "${mem% *}"
  note "$name.pss" "${mem#* }"
  finish "$d"
  note "$name.cpu" "$CPU"
}

# counted NAME DIR COMMAND...: the instructions of a start to a settled window, counted by
# callgrind. Settling takes seconds under it; the count is dumped there, before the kill.
counted() {
  local name=$1 d=$2; shift 2
  launch "$d" valgrind --tool=callgrind --callgrind-out-file="$d/callgrind.out" "$@"
  settle >/dev/null
  callgrind_control --dump "$APP" >/dev/null 2>&1 || true
  local dump=
  for _ in $(seq 300); do
    dump=$(ls "$d"/callgrind.out.[0-9]* 2>/dev/null | head -1 || true)
    [ -n "$dump" ] && grep -q '^totals:' "$dump" && break
    dump=
    sleep 0.1
  done
  finish "$d"
  [ -n "$dump" ] || { echo "perf-compare.sh: callgrind wrote no count for $name" >&2; exit 1; }
  note "$name.ir" "$(awk '/^totals:/ {print $2}' "$dump")"
  rm -f "$d"/callgrind.out*
}

# type NAME DIR KEYS COMMAND...: CPU per key typed into the settled window.
typing() {
  local name=$1 d=$2 keys=$3; shift 3
  launch "$d" "$@"
  local win n0 n1
  win=$(settle)
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
  xdotool key --delay 30 ctrl+Home Return Up
  settle >/dev/null
  n0=$(nanos)
  xdotool type --delay 15 "$(head -c "$keys" /dev/zero | tr '\0' x)"
  settle >/dev/null
  n1=$(nanos)
  finish "$d"
  note "$name.key" "$(awk -v a="$n0" -v b="$n1" -v k="$keys" 'BEGIN {printf "%.1f\n", (b - a) / k / 1000}')"
}

# class NAME OPTIONS...: one --compare of the class, user + system and wall seconds.
class() {
  local name=$1 d
  shift
  d=$(fresh)
  (
    cd "$WORK/class"
    TIMEFORMAT='%3U %3S %3R'
    { time env HOME="$d/home" XDG_CONFIG_HOME="$d/config" XDG_DATA_HOME="$d/data" "$d/trakmil" --compare model.tkm pupil*.tkm "$@" >/dev/null 2>&1; } 2>"$d/cpu" || true
  )
  note "$name.cpu" "$(awk '{printf "%.3f\n", $1 + $2}' "$d/cpu")"
  note "$name.wall" "$(awk '{print $3}' "$d/cpu")"
}

# bench_csv BINARY FILTER: one run of the benchmarks; prints name, CPU time, unit and items/s.
bench_csv() {
  QT_QPA_PLATFORM=offscreen "$1" --benchmark_filter="$2" --benchmark_format=csv 2>/dev/null |
    awk -F, '/^"/ {gsub(/"/, "", $1); print $1, $4, $5, $7}'
}
# Microseconds of a benchmark's CPU time (or, with "key", per item processed) from bench_csv.
bench_us() {
  awk -v name="$2" -v per="${3:-}" '$1 == name {
    f = ($3 == "ns") ? 0.001 : ($3 == "ms") ? 1000 : ($3 == "s") ? 1000000 : 1
    if (per == "key") printf "%.1f\n", 1000000 / $4; else printf "%.1f\n", $2 * f }' <<< "$1"
}

openbox >/dev/null 2>&1 & WM=$!
sleep 1

# Trakmil's window size, for the anchors: both paint as much.
d=$(fresh); launch "$d" "$d/trakmil"
win=$(settle)
SIZE=$(xdotool getwindowgeometry "$win" | awk '/Geometry:/ {print $2}')
finish "$d"
echo "Trakmil's window: $SIZE; $ROUNDS rounds; $(nproc) cores; load $(cut -d' ' -f1-3 /proc/loadavg)" >&2

KEYS=200
for round in $(seq "$ROUNDS"); do
  echo "round $round of $ROUNDS" >&2
  d=$(fresh); start trakmil.empty "$d" "$d/trakmil"
  start anchor.window "$WORK" "$ANCHOR_WINDOW" "$SIZE"
  start anchor.widgets "$WORK" "$ANCHOR_WIDGETS" "$SIZE"
  d=$(fresh); start trakmil.open "$d" "$d/trakmil" "$WORK/lines100000.tkm"
  start anchor.open "$WORK" "$ANCHOR_EDITOR" "$WORK/lines100000.tkm" "$SIZE"
  start anchor.editor "$WORK" "$ANCHOR_EDITOR" "" "$SIZE"
  d=$(fresh); typing trakmil "$d" "$KEYS" "$d/trakmil" "$WORK/lines10000.tkm"
  typing anchor "$WORK" "$KEYS" "$ANCHOR_EDITOR" "$WORK/lines10000.tkm" "$SIZE"
  class report --report "$WORK/report.html"
  class grading
  b=$(bench_csv "$BUILD/bench/bench_editor" \
    '^(BM_TypeOneCharacterInTheMiddle/10000/0|BM_PlainTextEditTypeOneCharacter/10000|BM_FullRefreshUncoloured/10000/|BM_ToolkitColoursTheSameRuns/10000/)')
  note bench.key "$(bench_us "$b" BM_TypeOneCharacterInTheMiddle/10000/0)"
  note bench.plainkey "$(bench_us "$b" BM_PlainTextEditTypeOneCharacter/10000)"
  note bench.refresh "$(bench_us "$b" BM_FullRefreshUncoloured/10000/iterations:10)"
  note bench.colourfloor "$(bench_us "$b" BM_ToolkitColoursTheSameRuns/10000/0/iterations:10)"
  note bench.rangefloor "$(bench_us "$b" BM_ToolkitColoursTheSameRuns/10000/1/iterations:10)"
  note bench.storagefloor "$(bench_us "$b" BM_ToolkitColoursTheSameRuns/10000/2/iterations:10)"
  b=$(bench_csv "$BUILD/bench/bench_window" '^BM_WindowKeystrokeWithRecovery/10000/1$')
  note bench.recovery "$(bench_us "$b" BM_WindowKeystrokeWithRecovery/10000/1 key)"
done
if [ -n "$INSTRUCTIONS" ]; then
  echo "counting the start-up's instructions" >&2
  d=$(fresh); counted trakmil.empty "$d" "$d/trakmil"
  d=$(mktemp -d "$WORK/anchor.XXXXXX"); counted anchor.window "$d" "$ANCHOR_WINDOW" "$SIZE"
  d=$(mktemp -d "$WORK/anchor.XXXXXX"); counted anchor.widgets "$d" "$ANCHOR_WIDGETS" "$SIZE"
fi

# ---- the table -----------------------------------------------------------------------------
# Opening less each one's empty start, round by round.
paste -d' ' "$R/trakmil.open.cpu" "$R/trakmil.empty.cpu" | awk '{print $1 - $2}' > "$R/trakmil.opened.cpu"
paste -d' ' "$R/anchor.open.cpu" "$R/anchor.editor.cpu" | awk '{print $1 - $2}' > "$R/anchor.opened.cpu"

# row FIGURE A B UNIT SCALE TARGET: A and B name result files (B empty: a target of its
# own); their medians are printed in UNIT, the values divided by SCALE; the last column gives
# the rounds' lowest and highest values, to show how much the figures move.
row() {
  local b=${3:+$R/$3}
  awk -v f="$1" -v u="$4" -v s="$5" -v t="$6" '
    FNR == 1 { ++file }
    { v[file, ++n[file]] = $1 }
    function med(k,   i, j, x, m) {
      m = n[k]
      for (i = 1; i <= m; ++i) a[i] = v[k, i]
      for (i = 2; i <= m; ++i) for (j = i; j > 1 && a[j - 1] > a[j]; --j) { x = a[j]; a[j] = a[j - 1]; a[j - 1] = x }
      lo[k] = a[1]; hi[k] = a[m]
      return (m % 2) ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2
    }
    function show(x) { return sprintf((u == "s") ? "%.3f" : (s >= 1000) ? "%.2f" : "%.1f", x / s) }
    END {
      ma = med(1); ta = show(ma) " " u; sp = show(lo[1]) "–" show(hi[1])
      if (file > 1) {
        mb = med(2); tb = show(mb) " " u; sp = sp " / " show(lo[2]) "–" show(hi[2])
        r = (mb > 0) ? sprintf("%.2f×", ma / mb) : "—"
      } else { tb = "its own target"; r = "—" }
      printf "| %s | %s | %s | %s | %s | %s |\n", f, ta, tb, r, t, sp
    }' "$R/$2" ${b:+"$b"}
}
echo
echo "| figure | trakmil | anchor | ratio | target | rounds' range (trakmil / anchor) |"
echo "|---|---|---|---|---|---|"
row "\`--compare\` 300 pupils with \`--report\` (CPU), against the same grading without it" \
  report.cpu grading.cpu s 1 "≤ 3×"
row "the same, wall time ($(nproc) cores)" report.wall grading.wall s 1 "every core used"
row "start-up CPU to a settled window, against a bare Qt window" trakmil.empty.cpu anchor.window.cpu s 1 "≤ 1.3×"
[ -z "$INSTRUCTIONS" ] ||
  row "the same in instructions (callgrind, one start each)" trakmil.empty.ir anchor.window.ir M 1000000 "≤ 1.3×"
row "the same, against a window of the same widgets and fonts, nothing of Trakmil's own" \
  trakmil.empty.cpu anchor.widgets.cpu s 1 "—"
[ -z "$INSTRUCTIONS" ] ||
  row "the same in instructions" trakmil.empty.ir anchor.widgets.ir M 1000000 "—"
row "that window against the bare one (what the widgets alone cost)" anchor.widgets.cpu anchor.window.cpu s 1 "—"
row "idle memory (Rss)" trakmil.empty.rss anchor.window.rss MiB 1024 "≤ 1.25×"
row "idle memory (Pss)" trakmil.empty.pss anchor.window.pss MiB 1024 "≤ 1.25×"
row "open 100,000 lines (window, CPU to settled), against a bare QPlainTextEdit loading them" \
  trakmil.open.cpu anchor.open.cpu s 1 "≤ 1.05×"
row "the same less each one's empty start" trakmil.opened.cpu anchor.opened.cpu s 1 "≤ 1.05×"
row "CPU per keystroke in the window, 10,000 lines ($KEYS keys typed)" trakmil.key anchor.key µs 1 "≤ 1.2×"
row "CPU per keystroke, 10,000 lines (bench)" bench.key bench.plainkey µs 1 "≤ 1.2×"
row "keystroke with recovery copies on (bench, per key)" bench.recovery "" µs 1 "< 150 µs"
row "full refresh, 10,000 uncoloured lines (bench)" bench.refresh "" ms 1000 "< 8 ms"
row "the same, against a cursor setting the same colour runs alone (bench)" bench.refresh bench.colourfloor ms 1000 "—"
row "the same, against the text storage's own call setting each of the same runs (bench)" bench.refresh bench.rangefloor ms 1000 "—"
row "the same, against setting the same runs in one pass over the storage, as it does (bench)" bench.refresh bench.storagefloor ms 1000 "—"
exit 0
