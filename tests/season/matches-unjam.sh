#!/usr/bin/env bash
# Each file that unjam-season repairs, and its log, are byte for byte what
# `unjam FILE OUT > LOG` gives with the same `words` and, as `words2`, the
# user's words2 followed by the names in DIR/names.txt; DIR/review.html
# shows every file, and the names when there are any. Checked with and
# without a words2, with -n (the lists alone), and with the installed list
# when the working directory has no `words` (on Windows, the `words` beside
# the .exe), and with a linked list that has accepted forms or counts beside
# it.
#   matches-unjam.sh UNJAM_SEASON UNJAM TOP_DIR    (UNJAM_WRAP runs a Windows program)
set -u
season=$(realpath "$1") unjam=$(realpath "$2") top=$(realpath "$3")
wrap=${UNJAM_WRAP:-}
here=$top/tests/season
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
fail() {
    echo "--- $*"
    failed=1
}

# compare NAME: runs the season in $tmp/NAME (its words, words2 and the
# episodes are set up by the caller), then unjam on each episode.
compare() {
    local run=$tmp/$1 expect=$tmp/$1-unjam
    shift
    (cd "$run" && $wrap "$season" "$@" -o out episodes/*) >"$run/stdout" 2>"$run/stderr" ||
        fail "$run: exit status $?: $(cat "$run/stderr")"
    mkdir -p "$expect/out"
    cp -P "$run/words" "$expect/words" 2>/dev/null || cp -P "$main" "$expect/words"
    [ -e "$run/words.accepted" ] && cp "$run/words.accepted" "$expect/"
    [ -e "$run/words.counts" ] && cp "$run/words.counts" "$expect/"
    if [ -e "$run/out/names.txt" ] || [ -e "$run/words2" ]; then
        { [ -e "$run/words2" ] && cat "$run/words2" && echo
          [ -e "$run/out/names.txt" ] && cat "$run/out/names.txt"; } >"$expect/words2"
    fi
    for episode in "$run"/episodes/*; do
        name=${episode##*/}
        log=$(sed -E 's/\.[sS][rR][tT]$//' <<<"$name").log
        (cd "$expect" && $wrap "$unjam" "$episode" "out/$name" >"out/$log" 2>/dev/null)
        for file in "$name" "$log"; do
            cmp -s "$run/out/$file" "$expect/out/$file" || fail "$run/out/$file differs from unjam's"
        done
    done
    [ "$(cd "$run/out" && ls | grep -vx 'names.txt\|review.html')" = "$(cd "$expect/out" && ls)" ] ||
        fail "$run/out holds other files: $(ls "$run/out")"
    # The page shows every episode, and exactly the names proposed.
    for episode in "$run"/episodes/*; do
        grep -qF "{\"name\":\"${episode##*/}\"" "$run/out/review.html" ||
            fail "$run/out/review.html lacks ${episode##*/}"
    done
    names=$(sed 's/.*/"&"/' "$run/out/names.txt" 2>/dev/null | paste -sd ,)
    grep -qF "\"names\":[$names]}" "$run/out/review.html" || fail "$run/out/review.html: not [$names]"
}

setup() {  # NAME WORDS [WORDS2]
    mkdir -p "$tmp/$1"
    cp -r "$here/episodes" "$tmp/$1/"
    [ -n "$2" ] && ln -s "$2" "$tmp/$1/words"
    [ -n "${3:-}" ] && cp "$3" "$tmp/$1/words2"
    true
}

main=$top/dict/words
setup with-words2 "$main" "$here/words2"
compare with-words2
grep -qx Kaydence "$tmp/with-words2/out/names.txt" || fail "Kaydence not proposed"
grep -qx Zorblax "$tmp/with-words2/out/names.txt" && fail "a name of words2 proposed"
cmp -s "$here/words2" "$tmp/with-words2/words2" || fail "words2 was changed"

setup without-words2 "$main"
compare without-words2
setup no-names "$main" "$here/words2"
compare no-names -n
[ -e "$tmp/no-names/out/names.txt" ] && fail "-n wrote names.txt"

# A list with accepted forms beside it, linked: the season takes them along
# ("toomuch" stays whole), as unjam does.
mkdir "$tmp/list" && cp "$main" "$tmp/list/words" && echo toomuch >"$tmp/list/words.accepted"
setup accepted "$tmp/list/words"
# Wine shows a link as the file it names: there, as on Windows, the user
# copies the accepted words beside the list.
[[ $season == *.exe ]] && cp "$tmp/list/words.accepted" "$tmp/accepted/"
compare accepted -n
grep -q "toomuch" "$tmp/accepted/out/ep01.srt" || fail "the accepted toomuch was cut"

# A list with counts beside it, linked: the season takes them along, and
# they choose the reading ("to get her now", which these counts favour over
# the longest first piece's "together now"), as unjam does.
mkdir "$tmp/counted-list" && cp "$main" "$tmp/counted-list/words" &&
    printf '%s 100000\n' to get her now >"$tmp/counted-list/words.counts"
setup counted "$tmp/counted-list/words"
[[ $season == *.exe ]] && cp "$tmp/counted-list/words.counts" "$tmp/counted/"
compare counted -n
grep -q "to get her now" "$tmp/counted/out/"* || fail "the counts did not choose the reading"

# Installed as the install step (or the Windows zip) lays it out; no
# `words` where it runs.
prefix=$tmp/prefix
mkdir -p "$prefix/bin" "$prefix/share/unjam"
cp "$season" "$unjam" "$prefix/bin/"
season=$prefix/bin/${season##*/} unjam=$prefix/bin/${unjam##*/}
if [[ $season == *.exe ]]; then
    main=$prefix/bin/words shown=Z:${main//\//\\}
else
    main=$prefix/share/unjam/words shown=$main
fi
cp "$top/dict/words" "$main"
setup installed ""
compare installed
head -n 1 "$tmp/installed/stdout" | grep -qF "using the installed list $shown" ||
    fail "first line: $(head -n 1 "$tmp/installed/stdout")"
exit $failed
