#!/usr/bin/env bash
# Checks an installed tree: the programs, their man pages, the default word
# list and its notice are where users look for them, nothing else is there,
# and the programs run from there with the installed list.
#   check-tree.sh PREFIX DICT_DIR SOURCE_MAN NAMES_MAN
set -u
prefix=$1
dict=$2
source_man=$3
names_man=$4
failed=0
fail() {
    echo "--- $*"
    failed=1
}
same() {  # installed path, source file
    cmp -s "$2" "$prefix/$1" || fail "$1 is missing or differs from $2"
}

[ -x "$prefix/bin/unjam" ] || fail "bin/unjam is missing or not executable"
gzip -dc "$prefix/share/man/man1/unjam.1.gz" 2>/dev/null | cmp -s "$source_man" - ||
    fail "share/man/man1/unjam.1.gz is missing or differs from $source_man"
[ -x "$prefix/bin/unjam-names" ] || fail "bin/unjam-names is missing or not executable"
gzip -dc "$prefix/share/man/man1/unjam-names.1.gz" 2>/dev/null | cmp -s "$names_man" - ||
    fail "share/man/man1/unjam-names.1.gz is missing or differs from $names_man"
same share/unjam/words "$dict/words"
same share/doc/unjam/COPYING.scowl "$dict/COPYING.scowl"
files=$(cd "$prefix" && find . -type f | sort)
want=$(printf '%s\n' ./bin/unjam ./bin/unjam-names ./share/doc/unjam/COPYING.scowl \
    ./share/man/man1/unjam-names.1.gz ./share/man/man1/unjam.1.gz ./share/unjam/words)
[ "$files" = "$want" ] || fail "installed files differ:"$'\n'"$files"
[ $failed = 0 ] || exit 1

run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
cp "$prefix/share/unjam/words" "$run/words"
printf '%s\n' 1 '00:00:01,000 --> 00:00:03,000' 'What areyou doing tonight?' \
    'Meet me at the end ofthe night.' '' 2 '00:00:04,000 --> 00:00:05,000' \
    "''Yes.''" >"$run/input.srt"
printf '%s\r\n' 1 '00:00:01,000 --> 00:00:03,000' 'What are you doing tonight?' \
    'Meet me at the end of the night.' '' 2 '00:00:04,000 --> 00:00:05,000' \
    '"Yes."' >"$run/expected.srt"

# By name through PATH, as a user runs it; nothing of the build tree on it.
(cd "$run" && PATH="$prefix/bin:/usr/bin:/bin" unjam input.srt output.srt \
    </dev/null >stdout 2>stderr)
status=$?
[ $status = 0 ] || fail "exit status $status"
[ -s "$run/stderr" ] && fail "standard error: $(cat "$run/stderr")"
cmp -s "$run/expected.srt" "$run/output.srt" ||
    fail "output differs:"$'\n'"$(od -c "$run/output.srt" 2>&1 | head -20)"
mapfile -t out <"$run/stdout"
last=$((${#out[@]} - 1))
[ "${out[0]:-}" = "Reading in dictionary...done." ] &&
    [ "${out[1]:-}" = "Processing output..." ] &&
    grep -qx 'Read 8 lines\.' "$run/stdout" &&
    [ "${out[last]:-}" = "Exiting and freeing mem...done." ] ||
    fail "standard output:"$'\n'"$(cat "$run/stdout")"
names=$(cd "$run" && PATH="$prefix/bin:/usr/bin:/bin" unjam-names input.srt 2>&1 </dev/null) ||
    fail "unjam-names: $names"
exit $failed
