#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The release notes reader: two releases in order, the weekday of each Debian changelog date,
# the notes' own semicolons and XML characters, and a line it cannot place.
# Usage: news_test.sh SOURCE_DIR
set -euo pipefail
src=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
read_news() {
  cmake -DNEWS_FILE="$1" -DOUT_DIR="$tmp" -DPACKAGE=trakmil "-DMAINTAINER=A B <a@b.org>" \
        -DDEBIAN_REVISION=3 -P "$src/packaging/News.cmake"
}

cat >"$tmp/NEWS" <<'NEWS'
A heading paragraph
that the reader skips.

2.0 (2024-02-29)
  * Loops & procedures <fast>; the field
    is wider.
  * Second note.

1.9 (2023-01-01)
  * First.
NEWS
read_news "$tmp/NEWS" >"$tmp/log" 2>&1 || { cat "$tmp/log" >&2; fail "reading a good NEWS"; }

[ "$(cat "$tmp/newest")" = "2.0 2024-02-29" ] || fail "newest release is $(cat "$tmp/newest")"
versions=$(dpkg-parsechangelog -l "$tmp/changelog.Debian" --all --format rfc822 2>"$tmp/err" | sed -n "s/^Version: //p" | tr "\n" " ")
[ -s "$tmp/err" ] && fail "dpkg-parsechangelog: $(cat "$tmp/err")"
[ "$versions" = "2.0-3 1.9-1 " ] || fail "changelog versions: $versions"
while read -r stamp; do
  day=$(cut -d' ' -f2-4 <<<"$stamp")
  [ "$(cut -d, -f1 <<<"$stamp")" = "$(LC_ALL=C date -u -d "$day" +%a)" ] || fail "wrong weekday: $stamp"
done < <(sed -n 's/^ -- .*>  //p' "$tmp/changelog.Debian")
[ "$(grep -c '^ -- ' "$tmp/changelog.Debian")" = 2 ] || fail "not two changelog trailers"
grep -qxF '  * Loops & procedures <fast>; the field' "$tmp/changelog.Debian" || fail "changelog note changed"

{ echo '<releases>'; cat "$tmp/releases.xml"; echo '</releases>'; } >"$tmp/releases-doc.xml"
xmllint --noout "$tmp/releases-doc.xml" || fail "releases are not well-formed XML"
grep -qF '<li>Loops &amp; procedures &lt;fast&gt;; the field is wider.</li>' "$tmp/releases.xml" \
  || fail "release note not joined and escaped: $(cat "$tmp/releases.xml")"
[ "$(grep -o 'release version="[^"]*" date="[^"]*"' "$tmp/releases.xml" | tr '\n' ' ')" = \
  'release version="2.0" date="2024-02-29" release version="1.9" date="2023-01-01" ' ] \
  || fail "release elements: $(grep '<release ' "$tmp/releases.xml")"

printf '1.0 (2024-01-01)\n  * A note.\nstray text\n' >"$tmp/BAD"
if read_news "$tmp/BAD" >"$tmp/log" 2>&1; then fail "a stray line was accepted"; fi
grep -q 'BAD:3: neither a release line nor a note' "$tmp/log" || fail "message: $(cat "$tmp/log")"
echo "news OK"
