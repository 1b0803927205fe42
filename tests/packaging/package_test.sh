#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package into a temporary folder and inspects it: its name, its control
# fields and its file list; lintian and hardening-check judge a release build where they are
# installed.
# Usage: package_test.sh BUILD_DIR APP_ID DEBIAN_VERSION release|development
set -euo pipefail
build=$1 app_id=$2 version=$3 kind=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log" >&2; fail "cpack"; }
deb=$tmp/trakmil_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); made: $(cd "$tmp" && ls ./*.deb 2>/dev/null)"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = trakmil ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is $(field Architecture)"
[ "$(field Section)" = education ] || fail "Section is $(field Section)"
depends=$(field Depends)
# Found by dpkg-shlibdeps from the executable, each once and with its lowest version; the
# SVG library also brings the icon plug-in.
names=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
  grep -qxF "$lib" <<<"$names" || fail "Depends lacks $lib: $depends"
  grep -qF "$lib (>= " <<<"$depends" || fail "Depends has no version for $lib: $depends"
done
[ -z "$(sort <<<"$names" | uniq -d)" ] || fail "Depends names a package twice: $depends"
# The editor uses the toolkit's private text classes: another Qt release may lay them out
# differently, so the package holds to the exact Qt it was built against.
grep -qE "(^|, )qt6-base-abi \(= [0-9.]+\)" <<<"$depends" || fail "Depends does not pin qt6-base-abi: $depends"
[ -n "$(field Description)" ] || fail "no Description"
recommends=$(field Recommends)
for p in qt6-translations-l10n fonts-liberation; do
  grep -qE "(^|, )$p(,|$)" <<<"$recommends" || fail "Recommends lacks $p: $recommends"
done

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$tmp/files"
for f in /usr/bin/trakmil /usr/share/applications/$app_id.desktop \
         /usr/share/metainfo/$app_id.metainfo.xml /usr/share/mime/packages/$app_id.xml \
         /usr/share/icons/hicolor/scalable/apps/$app_id.svg \
         /usr/share/icons/hicolor/16x16/apps/$app_id.png \
         /usr/share/icons/hicolor/256x256/apps/$app_id.png \
         /usr/share/man/man1/trakmil.1.gz /usr/share/doc/trakmil/copyright \
         /usr/share/doc/trakmil/changelog.Debian.gz /usr/share/doc/trakmil/changelog.gz \
         /usr/share/lintian/overrides/trakmil; do
  grep -qxF "$f" "$tmp/files" || fail "the package lacks $f"
done
others=$(grep -v '/$' "$tmp/files" | grep -vE '^/usr/(bin|share)/' || true)
[ -z "$others" ] || fail "unexpected files: $others"
if grep -qE '/usr/local|trakmil_tests|trakmil_render_icon|bench_' "$tmp/files"; then
  fail "build-only files packaged: $(grep -E '/usr/local|trakmil_tests|trakmil_render_icon|bench_' "$tmp/files")"
fi

for lang in rus rom eng; do
  grep -qE "^/usr/share/trakmil/examples/$lang/[^/]+\.tkm$" "$tmp/files" || fail "no $lang examples packaged"
done

# Stripped: no debugging sections, nor the compiler's notes, in the packaged executable.
dpkg-deb -x "$deb" "$tmp/root"
sections=$(objdump -h "$tmp/root/usr/bin/trakmil")
if grep -qE ' \.(debug_info|comment) ' <<<"$sections"; then fail "the executable is not stripped"; fi
zcat "$tmp/root/usr/share/doc/trakmil/changelog.Debian.gz" >"$tmp/changelog"
[ "$(dpkg-parsechangelog -l "$tmp/changelog" -S Version)" = "$version" ] || fail "changelog is not of $version"

# What a distribution would check, on the build it would make.
if [ "$kind" != release ]; then
  echo "lintian and hardening-check skipped: not a hardened release build"
else
  if command -v hardening-check >/dev/null; then
    out=$(hardening-check "$tmp/root/usr/bin/trakmil" 2>&1) || fail "hardening-check: $out"
  else
    echo "hardening-check skipped: not installed (devscripts)"
  fi
  if command -v lintian >/dev/null; then
    out=$(lintian --pedantic --fail-on error,warning "$deb" 2>&1) || fail "lintian: $out"
    if grep -E '^[EW]: ' <<<"$out"; then fail "lintian: $out"; fi
  else
    echo "lintian skipped: not installed"
  fi
fi
echo "package $(basename "$deb") OK"
