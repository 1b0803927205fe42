#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Grades a small sample class with --compare --report in each interface language and renders
# every report in headless Chromium to a screenshot, to look at what a teacher will see.
#   scripts/class-report-shots.sh BINARY OUTDIR
# Needs chromium (the Debian package). Writes OUTDIR/report-L.html, OUTDIR/report-L.png and
# OUTDIR/report-L-open.png (the programs unfolded) for L = rus, rom, eng.
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
