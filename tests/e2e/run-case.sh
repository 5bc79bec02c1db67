#!/usr/bin/env bash
# Runs the built unjam on one case folder and compares everything it leaves:
# standard output, standard error, exit status and the output file, byte for byte.
#
# A case folder holds:
#   cmd            arguments, one shell line, run in a scratch copy of the folder
#                  (default: "input.srt output.srt"); $UNJAM is the program
#   setup          optional bash script run in the scratch folder first
#   input.srt, words, words2, ...   files copied into the scratch folder
#   expected/stdout, expected/stderr, expected/status (default 0)
#   expected/output.srt             the output file, if one is expected
#   expected/no-output              present when the output file must not exist
# Set UNJAM_BLESS=1 to write the expected files from the actual run.
# UNJAM_WRAP, if set, is a command put before the program (valgrind, say).
set -u
unjam=$(realpath "$1")
case_dir=$(realpath "$2")
# An empty case_dir would make the copy below copy the whole root filesystem.
[ -n "$case_dir" ] && [ -d "$case_dir" ] || { echo "no case folder: ${2:-}"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp -a "$case_dir"/. "$work"/
rm -rf "$work/expected" "$work/cmd" "$work/setup"
if [ -f "$case_dir/setup" ]; then
    (cd "$work" && bash "$case_dir/setup") || { echo "setup failed"; exit 1; }
fi
args="input.srt output.srt"
[ -f "$case_dir/cmd" ] && args=$(cat "$case_dir/cmd")

(cd "$work" && UNJAM="$unjam" UNJAM_WRAP="${UNJAM_WRAP:-}" eval "\$UNJAM_WRAP \"\$UNJAM\" $args" </dev/null >"$work/.stdout" 2>"$work/.stderr")
status=$?

expected="$case_dir/expected"
if [ "${UNJAM_BLESS:-}" = 1 ]; then
    mkdir -p "$expected"
    cp "$work/.stdout" "$expected/stdout"
    cp "$work/.stderr" "$expected/stderr"
    echo "$status" >"$expected/status"
    if [ -f "$work/output.srt" ]; then cp "$work/output.srt" "$expected/output.srt"; fi
    echo "blessed $(basename "$case_dir")"
    exit 0
fi

failed=0
check() {  # what, expected file, actual file
    if ! cmp -s "$2" "$3"; then
        echo "--- $1 differs:"
        diff <(od -c "$2") <(od -c "$3") | head -40
        failed=1
    fi
}
check stdout "$expected/stdout" "$work/.stdout"
check stderr "$expected/stderr" "$work/.stderr"
want_status=0
[ -f "$expected/status" ] && want_status=$(cat "$expected/status")
if [ "$status" != "$want_status" ]; then
    echo "--- exit status $status, expected $want_status"
    failed=1
fi
if [ -f "$expected/output.srt" ]; then
    if [ -f "$work/output.srt" ]; then
        check output.srt "$expected/output.srt" "$work/output.srt"
    else
        echo "--- output.srt was not written"
        failed=1
    fi
fi
if [ -f "$expected/no-output" ] && [ -e "$work/output.srt" ]; then
    echo "--- output.srt exists but must not"
    failed=1
fi
# The input is never touched.
if [ -f "$case_dir/input.srt" ] && [ -f "$work/input.srt" ]; then
    check input.srt "$case_dir/input.srt" "$work/input.srt"
fi
exit $failed
