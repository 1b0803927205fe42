#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: scripts/same-output.sh TRAKMIL OUTDIR
# Writes everything the command line makes of every golden program and example into OUTDIR:
# the check and run reports with their exit codes, the field pictures (BMP, at the default size
# and at 7x5), the translations into each Language, a graded class per Language with its HTML
# report and difference pictures, and the help texts. Run it with the binaries before and after
# a change that must not change behaviour, then `diff -r` the two folders.
set -u
trakmil=$(realpath "$1")
out=$2
root=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$out"
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
XDG_CONFIG_HOME=$(mktemp -d)
XDG_DATA_HOME=$(mktemp -d)
export XDG_CONFIG_HOME XDG_DATA_HOME
n=0
for f in "$root"/tests/data/programs/*.tkm "$root"/examples/*/*.tkm; do
    k=$(echo "${f#"$root"/}" | tr / _)
    "$trakmil" --check "$f" >"$out/$k.check" 2>&1
    echo "rc=$?" >>"$out/$k.check"
    "$trakmil" --run "$f" --export "$out/$k.bmp" >"$out/$k.run" 2>&1
    echo "rc=$?" >>"$out/$k.run"
    "$trakmil" --run "$f" --field 7x5 --export "$out/$k.small.bmp" >"$out/$k.small.run" 2>&1
    echo "rc=$?" >>"$out/$k.small.run"
    for lang in rus rom eng; do
        "$trakmil" --translate "$f" --to $lang -o "$out/$k.$lang.tkm" >"$out/$k.$lang.out" 2>&1
        echo "rc=$?" >>"$out/$k.$lang.out"
    done
    n=$((n + 1))
done
for lang in rus rom eng; do
    "$trakmil" --compare "$root/examples/$lang/02-square-loop.tkm" "$root"/examples/$lang/*.tkm \
        --diff "$out/diff-$lang" --report "$out/report-$lang.html" >"$out/compare-$lang.out" 2>&1
    echo "rc=$?" >>"$out/compare-$lang.out"
done
"$trakmil" --help >"$out/help.out" 2>&1
"$trakmil" --compare --help >"$out/compare-help.out" 2>&1
"$trakmil" --translate --help >"$out/translate-help.out" 2>&1
rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
echo "$n programs, $(find "$out" -type f | wc -l) files in $out"
