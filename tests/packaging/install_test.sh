#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary DESTDIR under /usr and checks it the way a desktop
# and a packager would: the freedesktop validators, and that the pieces name each other.
# Usage: install_test.sh BUILD_DIR APP_ID VERSION EXAMPLES_DIR
set -euo pipefail
build=$1 app_id=$2 version=$3 examples_dir=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$tmp cmake --install "$build" --prefix /usr >/dev/null
root=$tmp/usr
desktop=$root/share/applications/$app_id.desktop
metainfo=$root/share/metainfo/$app_id.metainfo.xml
mime=$root/share/mime/packages/$app_id.xml

# Every file in its place, and nothing outside the prefix.
expected=(bin/trakmil share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml
          share/mime/packages/$app_id.xml share/icons/hicolor/scalable/apps/$app_id.svg
          share/man/man1/trakmil.1.gz share/doc/trakmil/copyright)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for f in "${expected[@]}"; do [ -f "$root/$f" ] || fail "not installed: /usr/$f"; done
[ -x "$root/bin/trakmil" ] || fail "/usr/bin/trakmil is not executable"
stray=$(cd "$tmp" && find . -type f ! -path './usr/*')
[ -z "$stray" ] || fail "installed outside the prefix: $stray"

# Each PNG is the size its folder promises (the width and height fields of the PNG header).
for size in 16 22 24 32 48 64 128 256; do
  png=$root/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is no PNG"
  dims=$(od -An -j16 -N8 -tu1 "$png" | tr -s ' ' | sed 's/^ //')
  want="0 0 $((size / 256)) $((size % 256)) 0 0 $((size / 256)) $((size % 256))"
  [ "$dims" = "$want" ] || fail "$png is not ${size}x${size} (header bytes: $dims)"
done

# The validators: any complaint at all fails, warnings included.
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $out"
if grep -qE '^[EW]:' <<<"$out"; then fail "appstreamcli: $out"; fi
xmllint --noout "$mime" || fail "xmllint rejects $mime"
xmllint --noout "$metainfo" || fail "xmllint rejects $metainfo"
out=$(XDG_DATA_DIRS=$root/share update-mime-database "$root/share/mime" 2>&1) \
  || fail "update-mime-database: $out"
[ -z "$out" ] || fail "update-mime-database: $out"
grep -qx '50:application/x-trakmil:\*\.tkm' "$root/share/mime/globs2" || fail "no *.tkm glob in globs2"
grep -qa '^\[[0-9]*:application/x-trakmil\]$' "$root/share/mime/magic" || fail "no magic for application/x-trakmil"
grep -qx '50:application/x-trakmil-task:\*\.tkt' "$root/share/mime/globs2" || fail "no *.tkt glob in globs2"
grep -qa '^\[[0-9]*:application/x-trakmil-task\]$' "$root/share/mime/magic" || fail "no magic for application/x-trakmil-task"
grep -qx 'application/x-trakmil-task application/json' "$root/share/mime/subclasses" \
  || fail "a task is not a JSON document to the desktop"
# How a desktop then names files: by the suffix, whatever the content, and an RTF file
# without the suffix stays RTF.
mkdir -p "$tmp/files"
printf '{\\rtf1\\ansi ALGORITHM BEGIN\\par ALGORITHM END}' >"$tmp/files/rich.tkm"
printf 'ALGORITHM BEGIN\r\nALGORITHM END\r\n' >"$tmp/files/plain.tkm"
cp "$tmp/files/rich.tkm" "$tmp/files/letter"
type_of() {
  XDG_DATA_DIRS=$root/share:/usr/share XDG_DATA_HOME=$tmp/nowhere \
    gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'
}
[ "$(type_of "$tmp/files/rich.tkm")" = application/x-trakmil ] || fail "rich.tkm is $(type_of "$tmp/files/rich.tkm")"
[ "$(type_of "$tmp/files/plain.tkm")" = application/x-trakmil ] || fail "plain.tkm is $(type_of "$tmp/files/plain.tkm")"
[ "$(type_of "$tmp/files/letter")" = application/rtf ] || fail "an RTF file became $(type_of "$tmp/files/letter")"

# The pieces name each other.
key() { sed -n "s/^$1=//p" "$desktop" | head -n1; }
[ "$(key Exec)" = "trakmil %f" ] || fail "Exec is '$(key Exec)'"
[ "$(key Icon)" = "$app_id" ] || fail "Icon is '$(key Icon)'"
[ "$(key MimeType)" = "application/x-trakmil;application/x-trakmil-task;" ] || fail "MimeType is '$(key MimeType)'"
grep -q '^Categories=Education;' "$desktop" || fail "not in the Education menu"
for type in application/x-trakmil application/x-trakmil-task; do
  grep -q "<mime-type type=\"$type\">" "$mime" || fail "MIME XML does not define $type"
  grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "metainfo does not provide $type"
done
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
  || fail "metainfo launches another desktop entry"
grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo has another id"
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"" "$metainfo" \
  || fail "metainfo has no release $version"
grep -q '<screenshot type="default">' "$metainfo" || fail "metainfo has no screenshot"
# The window class the desktop entry expects is the application's fixed name.
[ "$(key StartupWMClass)" = "Trakmil" ] || fail "StartupWMClass is '$(key StartupWMClass)'"

# The installed program runs, tells its version, and takes its settings from the user's
# configuration folder, not from beside /usr/bin/trakmil.
home=$tmp/home
mkdir -p "$home/.config/Trakmil"
printf '[int]\nlanguage=eng\n' >"$home/.config/Trakmil/trakmil.ini"
printf '[int]\nlanguage=rom\n' >"$root/bin/trakmil.ini"
run() { env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_CONFIG_HOME="$home/.config" "$root/bin/trakmil" "$@"; }
[ "$(run --version)" = "trakmil $version" ] || fail "--version says '$(run --version)'"
printf 'ALGORITHM BEGIN\r\nALGORITHM END\r\n' >"$tmp/ok.tkm"
out=$(run --check "$tmp/ok.tkm") || fail "--check failed: $out"
[ "$out" = "$tmp/ok.tkm: There is no errors in programm code." ] || fail "settings not read from ~/.config: $out"

# A task the installed program makes is a task to the desktop by its suffix, and, while its
# fields are small, by its content alone; a damaged one is still named by its suffix, and
# other JSON stays JSON.
printf 'ALGORITHM BEGIN\r\nSTEP\r\nROTATE 90\r\nSTEP\r\nALGORITHM END\r\n' >"$tmp/corner.tkm"
out=$(run --make-task "$tmp/corner.tkm" -o "$tmp/files/corner.tkt" --title Corner --fields 4x4 2>&1) \
  || fail "--make-task failed: $out"
cp "$tmp/files/corner.tkt" "$tmp/files/corner"
printf '{"format": "trakmil-ta' >"$tmp/files/broken.tkt"
printf '{"format": "other", "fields": []}\n' >"$tmp/files/other"
for f in corner.tkt corner broken.tkt; do
  [ "$(type_of "$tmp/files/$f")" = application/x-trakmil-task ] || fail "$f is $(type_of "$tmp/files/$f")"
done
[ "$(type_of "$tmp/files/other")" != application/x-trakmil-task ] || fail "any JSON became a task"

# The manual page: groff finds nothing to warn about, and it covers every option of --help.
zcat "$root/share/man/man1/trakmil.1.gz" >"$tmp/trakmil.1"
out=$(groff -man -Tutf8 -ww -z "$tmp/trakmil.1" 2>&1)
[ -z "$out" ] || fail "groff: $out"
grep -q "^\.TH TRAKMIL 1 .*\"Trakmil $version\"" "$tmp/trakmil.1" || fail "manual page is not of version $version"
page=$(sed 's/\\-/-/g' "$tmp/trakmil.1")
for opt in $(run --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
  grep -qF -- "$opt" <<<"$page" || fail "the manual page does not describe $opt"
done
# It names the examples folder, and the examples are there.
grep -qxF ".I $examples_dir" <<<"$page" || fail "the manual page does not name $examples_dir"
for lang in rus rom eng; do
  ls "$root/share/trakmil/examples/$lang/"*.tkm >/dev/null 2>&1 || fail "no $lang examples installed"
done
echo "install tree OK"
