#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The rules a machine checks before a change goes in, in well under a minute and without a build:
#   - text files as .editorconfig says (UTF-8 without CR, a final newline, no trailing blanks,
#     no tabs outside the Makefile);
#   - C++ under src/ tests/ bench/ fuzz/ formatted by .clang-format (clang-format 14);
#   - cppcheck over src/, its known false findings listed with their reasons in
#     .cppcheck-suppressions;
#   - every #include pointing down the layers, every tests/ folder with its src/ folder.
# Every check runs; the script fails if any failed. .ci/run calls it; so can you.
# Usage: scripts/check-style.sh
set -uo pipefail
cd "$(dirname "$0")/.."

command -v cppcheck >/dev/null && { command -v clang-format-14 >/dev/null || command -v clang-format >/dev/null; } ||
  bash scripts/install-deps.sh checks || exit 1
format=$(command -v clang-format-14 || command -v clang-format)

failed=()

echo "== text files (.editorconfig)"
# The files .editorconfig leaves as they are: program files, pictures, the readers' test data.
mapfile -t texts < <(git ls-files -- . ':!:tests/data/' ':!:*.tkm' ':!:*.rtf' ':!:*.expected' \
                       ':!:*.svg' ':!:*.png' ':!:*.jpg' ':!:LICENSE')
bad=0
# One grep over all files for each rule, so the check takes a moment even on a busy machine.
export LC_ALL=C.UTF-8
report() { local what=$1; shift; grep "$@" "${texts[@]}" | head -20 | sed "s|\$| ($what)|" | grep . && bad=1; }
report "not UTF-8" -naxv '.*'
report "CR LF line end" -l $'\r'
report "blank at a line's end" -n '[[:blank:]]$' --exclude='*.md'
report "tab" -n $'\t' --exclude=Makefile
perl -ne 'print "$ARGV: no newline at the end\n" if eof && !/\n\z/' "${texts[@]}" | grep . && bad=1
[[ $bad -eq 0 ]] || failed+=(editorconfig)

echo "== clang-format ($("$format" --version | grep -o 'version [0-9.]*'))"
mapfile -t sources < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
                         'fuzz/*.cpp' 'fuzz/*.h')
"$format" --dry-run -Werror "${sources[@]}" || failed+=(clang-format)

echo "== cppcheck ($(cppcheck --version))"
# Qt's emit is an empty macro; unknown to cppcheck, "emit signal(...)" reads as a local variable.
cppcheck --enable=warning,style,performance,portability --std=c++20 --inline-suppr --quiet -j 2 \
  -Demit= -I src --suppressions-list=.cppcheck-suppressions --error-exitcode=1 \
  --template='{file}:{line}: {severity} ({id}): {message}' src || failed+=(cppcheck)

echo "== include layers"
bash tests/architecture/include_layers_test.sh src || failed+=(include-layers)

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "all checks passed"
