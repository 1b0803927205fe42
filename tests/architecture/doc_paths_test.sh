#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The checklists and the architecture document name files by path; a path that no longer exists
# sends a newcomer looking for a file that moved. Placeholders (<code>, xx, *) are skipped.
set -u
root=${1:-.}
cd "$root" || exit 2
missing=0
for doc in CONTRIBUTING.md docs/ARCHITECTURE.md; do
    while read -r path; do
        case "$path" in *'<'* | *'*'* | *xx*) continue ;; esac
        p=${path%/}
        p=${p%/...}
        p=${p/%.h\/.cpp/.h}
        if [ ! -e "$p" ]; then
            echo "$doc names $path, which does not exist"
            missing=1
        fi
    done < <(grep -ohE '`(src|tests|resources|scripts|docs|bench|fuzz|packaging|examples)/[^` ]*`' "$doc" | tr -d '`' | sort -u)
done
[ $missing = 0 ] && echo "every path the documents name exists"
exit $missing
