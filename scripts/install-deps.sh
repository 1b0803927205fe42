#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, running and testing Trakmil needs on Debian; quiet when all is there.
set -euo pipefail
pkgs=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-private-dev qt6-svg-dev zlib1g-dev libgl-dev libgtest-dev libgmock-dev
      googletest libbenchmark-dev fonts-liberation fonts-dejavu-core qt6-translations-l10n qt6-l10n-tools xvfb xauth clang
      dpkg-dev desktop-file-utils appstream libxml2-utils shared-mime-info libglib2.0-bin groff-base unrtf poppler-utils librsvg2-bin
      python3-html5lib)
# "install-deps.sh package": only what building the Debian package needs.
if [ "${1:-}" = package ]; then
  only_tests=" libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xauth clang desktop-file-utils "
  only_tests+=" appstream libxml2-utils libglib2.0-bin groff-base fonts-liberation fonts-dejavu-core "
  only_tests+=" qt6-translations-l10n unrtf poppler-utils librsvg2-bin python3-html5lib "
  kept=()
  for p in "${pkgs[@]}"; do [[ $only_tests == *" $p "* ]] || kept+=("$p"); done
  pkgs=("${kept[@]}")
fi
# "install-deps.sh checks": only the tools scripts/check-style.sh runs.
[ "${1:-}" = checks ] && pkgs=(clang-format cppcheck)
# "install-deps.sh soak": what scripts/gui-soak.sh drives the window with, and valgrind for
# scripts/perf-compare.sh --instructions, on top of the rest.
[ "${1:-}" = soak ] && pkgs+=(xdotool x11-utils x11-xkb-utils openbox libx11-dev valgrind)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
if ! $SUDO apt-get install -y -q "${missing[@]}"; then
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q "${missing[@]}"
fi
