#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Every #include "..." of our own sources points to the same layer or one below it:
#   base < documents < world < lang < run < cli < widgets < app
# (the widgets layer is common/, editor/ and every */widgets/ folder). cli/ and the widgets stand
# side by side over the core: only app/ and main.cpp include cli/. A file in no known layer fails
# too, so a new folder gets its place here and in docs/ARCHITECTURE.md. Every folder of tests/
# beside SRC_DIR tests the src/ folder of the same name, apart from the tests' own helpers and data.
# Usage: include_layers_test.sh SRC_DIR
set -euo pipefail
src=$1
cd "$src"

layer() {
  case $1 in
    AppInfo.h) echo 0 ;;   # generated: the version and names, below everything
    base/*) echo 0 ;;
    */widgets/*|common/*|editor/*) echo 6 ;;
    documents/*) echo 1 ;;
    world/*) echo 2 ;;
    lang/*) echo 3 ;;
    run/*) echo 4 ;;
    cli/*) echo 5 ;;
    app/*|main.cpp) echo 7 ;;
    *) echo -1 ;;
  esac
}

failures=0
while IFS= read -r file; do
  file=${file#./}
  own=$(layer "$file")
  if [[ $own -lt 0 ]]; then
    echo "FAIL: $file is in no layer" >&2
    failures=$((failures + 1))
    continue
  fi
  while IFS= read -r target; do
    to=$(layer "$target")
    if [[ $to -lt 0 || $to -gt $own ]]; then
      echo "FAIL: $file includes \"$target\", which is above it" >&2
      failures=$((failures + 1))
    elif [[ $to -eq 5 && $own -eq 6 ]]; then
      echo "FAIL: $file includes \"$target\": the widgets never use the command line" >&2
      failures=$((failures + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find . \( -name '*.cpp' -o -name '*.h' \) | sort)

while IFS= read -r folder; do
  folder=${folder#./}
  if [[ ! -d $folder ]]; then
    echo "FAIL: tests/$folder has no src/$folder to test" >&2
    failures=$((failures + 1))
  fi
done < <(cd ../tests && find . -mindepth 1 -type d \
           \( -path ./common -o -path ./data -o -path ./architecture -o -path ./packaging \) -prune \
           -o -type d -print | sort)

[[ $failures -eq 0 ]] || exit 1
echo "every include points down and every tests/ folder has its src/ folder"
