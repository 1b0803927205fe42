#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Grades a small sample class with --compare --report, and a folder of hand-ins against a task
# with --class, in each interface language, and renders every page in headless Chromium to a
# screenshot (and the class overview to the PDF a browser prints), to look at what a teacher
# will see.
#   scripts/class-report-shots.sh BINARY OUTDIR
# Needs chromium (the Debian package). Writes OUTDIR/report-L.html, OUTDIR/report-L.png,
# OUTDIR/report-L-open.png (the programs unfolded), OUTDIR/overview-L.html, .png, .pdf and .csv
# for L = rus, rom, eng.
set -euo pipefail
BIN=$(realpath "$1"); OUT=$(mkdir -p "$2" && realpath "$2")
CHROMIUM=$(command -v chromium || command -v chromium-browser || true)
[ -n "$CHROMIUM" ] || { echo "class-report-shots: chromium is not installed" >&2; exit 2; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cp "$BIN" "$WORK/trakmil"            # its settings file is the one beside it, in the scratch folder
cd "$WORK"
export HOME="$WORK"
tkm() { printf '%s\r\n' "${@:2}" | iconv -f UTF-8 -t CP1251 > "$1"; }
tkm model.tkm 'НАЧАЛО АЛГОРИТМА' 'ЦВЕТ=КРАСНЫЙ' 'ЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ' 'ШАГ' 'КОНЕЦ ЦИКЛА' \
    'ПОВОРОТ 90' 'ЦВЕТ=СИНИЙ' 'ШАГ' 'ШАГ' 'КОНЕЦ АЛГОРИТМА'
tkm anna.tkm 'НАЧАЛО АЛГОРИТМА' 'ЦВЕТ=КРАСНЫЙ' 'ШАГ' 'ШАГ' 'ШАГ' 'ПОВОРОТ 90' 'ЦВЕТ=СИНИЙ' 'ШАГ' 'ШАГ' \
    'КОНЕЦ АЛГОРИТМА'
tkm boris.tkm 'НАЧАЛО АЛГОРИТМА' 'ЦВЕТ=КРАСНЫЙ' 'ЦИКЛ. ВЫПОЛНИТЬ 2 РАЗ' 'ШАГ' 'КОНЕЦ ЦИКЛА' \
    'ПОВОРОТ 90' 'ЦВЕТ=ЗЕЛЕНЫЙ' 'ШАГ' 'ШАГ' 'ШАГ' 'КОНЕЦ АЛГОРИТМА'
tkm vera.tkm 'НАЧАЛО АЛГОРИТМА' 'ЦВЕТ=КРАСНЫЙ' 'ШАГ' 'ШАК' 'КОНЕЦ АЛГОРИТМА'
tkm ion.tkm 'INCEPUT DE ALGORITM' 'CULOARE=ROSU' 'CICLU. EXECUTA 3 ORI' 'PAS' 'SFIRSIT CICLU' \
    'ROTIRE 90' 'CULOARE=ALBASTRU' 'PAS' 'PAS' 'SFIRSIT DE ALGORITM'
tkm gleb.tkm 'НАЧАЛО АЛГОРИТМА' 'ПОВОРОТ 90' 'ПОВОРОТ 90' 'ШАГ' 'КОНЕЦ АЛГОРИТМА'
tkm mike.tkm 'ALGORITHM BEGIN' 'CYCLE. EXECUTE WHILE NOT LINE' 'ROTATE 90' 'END OF CYCLE' 'ALGORITHM END'
mkdir lost.tkm                        # a folder where a file should be: not readable

for L in rus rom eng; do
  printf '[int]\nlanguage=%s\n' "$L" > trakmil.ini
  ./trakmil --compare model.tkm anna.tkm boris.tkm vera.tkm ion.tkm gleb.tkm mike.tkm lost.tkm \
      --field 8x6 --report "$OUT/report-$L.html" >/dev/null 2>&1 || true
  [ -s "$OUT/report-$L.html" ] || { echo "class-report-shots: no report for $L" >&2; exit 1; }
  sed 's/<details>/<details open="open">/g' "$OUT/report-$L.html" > "$WORK/open-$L.html"
  for page in "$OUT/report-$L.html:$OUT/report-$L.png" "$WORK/open-$L.html:$OUT/report-$L-open.png"; do
    "$CHROMIUM" --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1100,2400 \
        --user-data-dir="$WORK/chromium" --screenshot="${page#*:}" "file://${page%%:*}" >/dev/null 2>&1
  done
  echo "class-report-shots: $OUT/report-$L.png"
done

# The hand-in folder: files without a record count by their names; one pupil hands in the
# starting program unchanged, one a classmate's program.
tkm start.tkm 'НАЧАЛО АЛГОРИТМА' 'ЦВЕТ=КРАСНЫЙ' 'КОНЕЦ АЛГОРИТМА'
./trakmil --make-task model.tkm -o task.tkt --title 'Лестница & столб' --fields 8x6,10x8 --forbid jump \
    --start start.tkm >/dev/null
mkdir class
cp anna.tkm boris.tkm vera.tkm ion.tkm gleb.tkm mike.tkm class/
cp anna.tkm 'class/anya <b>copy.tkm'
cp start.tkm class/petya.tkm
mkdir class/lost.tkm
for L in rus rom eng; do
  printf '[int]\nlanguage=%s\n' "$L" > trakmil.ini
  ./trakmil --class class --task task.tkt --report "$OUT/overview-$L.html" --csv "$OUT/overview-$L.csv" \
      >/dev/null 2>&1 || true
  [ -s "$OUT/overview-$L.html" ] || { echo "class-report-shots: no overview for $L" >&2; exit 1; }
  "$CHROMIUM" --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1100,2400 \
      --user-data-dir="$WORK/chromium" --screenshot="$OUT/overview-$L.png" "file://$OUT/overview-$L.html" \
      >/dev/null 2>&1
  "$CHROMIUM" --headless --no-sandbox --disable-gpu --user-data-dir="$WORK/chromium" \
      --print-to-pdf="$OUT/overview-$L.pdf" "file://$OUT/overview-$L.html" >/dev/null 2>&1
  echo "class-report-shots: $OUT/overview-$L.png"
done
