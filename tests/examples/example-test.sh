#!/usr/bin/env bash
# The bundled example stays true: running unjam on examples/sample.srt with
# the default word list gives exactly the committed repair and messages.
set -eu
unjam=$(realpath "$1")
top=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$top/examples/sample.srt" "$work/"
ln -s "$top/dict/words" "$work/words"
# UNJAM_WRAP runs the program (wine for a Windows build).
(cd "$work" && ${UNJAM_WRAP:-} "$unjam" sample.srt sample-repaired.srt >sample-messages.txt)
cmp "$top/examples/sample-repaired.srt" "$work/sample-repaired.srt"
cmp "$top/examples/sample-messages.txt" "$work/sample-messages.txt"
