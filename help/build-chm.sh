#!/bin/sh
# Compiles the help pages in help/src into help/Reference.chm, which is kept in
# the repository so the build needs no help compiler. Run it after changing a
# page, then commit both. Needs chmcmd (Debian package fp-utils-3.2.2).
set -eu
cd "$(dirname "$0")/src"
if ! command -v chmcmd >/dev/null 2>&1; then
    echo "chmcmd is missing: apt-get install fp-utils-3.2.2" >&2
    exit 1
fi
chmcmd Reference.hhp
mv Reference.chm ../Reference.chm
