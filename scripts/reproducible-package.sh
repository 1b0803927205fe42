#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package twice from the same commit, in two folders of different names and
# depths, each with "make package" from a clean clone and without ccache, and compares the
# two packages byte for byte. When they differ, diffoscope (if installed) says where.
# Usage: scripts/reproducible-package.sh [COMMIT] [JOBS] [KEEP_DIR]
#   (default HEAD, 1 job per build; the package is copied into KEEP_DIR when one is given)
set -euo pipefail
repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse "${1:-HEAD}")
jobs=${2:-1}
keep=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build_in() {
  git clone -q --no-checkout "$repo" "$1"
  git -C "$1" checkout -q "$commit"
  (cd "$1" && CCACHE_DISABLE=1 make package JOBS="$jobs" >"$work/$(basename "$1").log" 2>&1) \
    || { tail -n 30 "$work/$(basename "$1").log" >&2; echo "make package failed in $1" >&2; exit 2; }
  ls "$1"/build-package/trakmil_*.deb
}
one=$(build_in "$work/first")
mkdir -p "$work/a/much/deeper/folder"
two=$(build_in "$work/a/much/deeper/folder/second")

echo "commit $commit"
sha256sum "$one" "$two"
if cmp "$one" "$two"; then
  echo "identical: $(basename "$one"), $(stat -c %s "$one") bytes"
  [ -z "$keep" ] || { mkdir -p "$keep" && cp "$one" "$keep/"; }
else
  command -v diffoscope >/dev/null && diffoscope "$one" "$two" | head -n 80
  exit 1
fi
