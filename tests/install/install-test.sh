#!/usr/bin/env bash
# Installs a build tree into a scratch prefix and, for a build for /usr (the
# package preset), builds its .deb; checks the package's control fields and
# has lintian check it (any error fails), and in both trees that the
# programs, their man pages, the default word list, its notice and the
# licence are where users look for them, nothing else is there, and the
# programs run from there with the installed list. Without dpkg-deb only the
# installed tree is checked.
#   install-test.sh BUILD_DIR DICT_DIR MAN_PAGE...
set -u
build=$1 dict=$2 man_pages=("${@:3}")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
fail() {
    echo "--- $*"
    failed=1
}

check_tree() {  # prefix
    local prefix=$1 run=$tmp/run
    for page in "${man_pages[@]}"; do
        name=$(basename "$page" .1)
        [ -x "$prefix/bin/$name" ] || fail "bin/$name is missing or not executable"
        gzip -dc "$prefix/share/man/man1/$name.1.gz" 2>/dev/null | cmp -s "$page" - ||
            fail "man page $name.1.gz missing or differs"
    done
    cmp -s "$dict/words" "$prefix/share/unjam/words" || fail "word list missing or differs"
    cmp -s "$dict/words.counts" "$prefix/share/unjam/words.counts" ||
        fail "word counts missing or differ"
    cmp -s "$dict/words.profile" "$prefix/share/unjam/words.profile" ||
        fail "the list's rules missing or differ"
    cmp -s "$dict/COPYING.scowl" "$prefix/share/doc/unjam/COPYING.scowl" ||
        fail "COPYING.scowl missing or differs"
    local files
    files=$(cd "$prefix" && find . -type f | sort)
    local notices lists
    notices=$(cd "$dict" && printf '%s\n' */COPYING.* | sed 's,.*/,,' | sort -u)
    lists=$(cd "$dict" && printf '%s\n' */words */words.*)
    for list in $lists; do
        cmp -s "$dict/$list" "$prefix/share/unjam/$list" ||
            fail "the list $list is missing or differs"
    done
    [ "$files" = "$( (printf '%s\n' ./bin/unjam ./bin/unjam-names ./bin/unjam-review ./bin/unjam-season \
        ./share/doc/unjam/COPYING.scowl ./share/doc/unjam/COPYING.counts \
        ./share/doc/unjam/changelog.gz ./share/doc/unjam/copyright \
        ./share/man/man1/unjam-names.1.gz ./share/man/man1/unjam-review.1.gz \
        ./share/man/man1/unjam-season.1.gz \
        ./share/man/man1/unjam.1.gz ./share/unjam/words ./share/unjam/words.counts \
        ./share/unjam/words.profile
        printf './share/doc/unjam/%s\n' $notices
        printf './share/unjam/%s\n' $lists) | sort)" ] ||
        fail "installed files differ:"$'\n'"$files"
    rm -rf "$run" && mkdir "$run" && cp "$prefix/share/unjam/words" "$run/words"
    printf '%s\n' 1 '00:00:01,000 --> 00:00:03,000' 'What areyou doing ofthe night?' \
        "''Yes.''" >"$run/input.srt"
    # By name through PATH, as a user runs it; nothing of the build tree on it.
    (cd "$run" && PATH="$prefix/bin:/usr/bin:/bin" unjam input.srt output.srt \
        </dev/null >stdout 2>stderr) || fail "exit status $?"
    [ -s "$run/stderr" ] && fail "standard error: $(cat "$run/stderr")"
    [ "$(cat "$run/output.srt")" = "$(printf '%s\r\n' 1 '00:00:01,000 --> 00:00:03,000' \
        'What are you doing of the night?' '"Yes."')" ] || fail "output: $(od -c "$run/output.srt")"
    grep -qx 'Read 4 lines\.' "$run/stdout" || fail "standard output: $(cat "$run/stdout")"
    names=$(cd "$run" && PATH="$prefix/bin:/usr/bin:/bin" unjam-names input.srt 2>&1 </dev/null) ||
        fail "unjam-names: $names"
    (cd "$run" && PATH="$prefix/bin:/usr/bin:/bin" unjam-review input.srt output.srt stdout \
        </dev/null >review.html 2>stderr) || fail "unjam-review: $(cat "$run/stderr")"
    grep -q '{"n":3,' "$run/review.html" || fail "unjam-review's page lacks line 3"
    # Without a `words` here, the season command finds the installed list
    # and the installed unjam, and repairs as unjam did above.
    rm "$run/words" && mkdir "$run/season" && mv "$run/input.srt" "$run/season/"
    season=$(cd "$run" && PATH="$prefix/bin:/usr/bin:/bin" unjam-season -o out season/input.srt \
        2>&1 </dev/null) || fail "unjam-season: $season"
    [ "$(head -n 1 <<<"$season")" = "No 'words' in the working directory: using the installed list $(realpath "$prefix/share/unjam/words")" ] ||
        fail "unjam-season: $season"
    cmp -s "$run/output.srt" "$run/out/input.srt" || fail "unjam-season: its output differs from unjam's"
    # -l picks an installed language's list and rules; an unknown one is named.
    printf '%s\n' 1 '00:00:01,000 --> 00:00:03,000' "Jel'ai vu dansla maison." >"$run/season/input.srt"
    (cd "$run" && PATH="$prefix/bin:/usr/bin:/bin" unjam-season -n -l fr -o fr season/input.srt \
        >/dev/null 2>&1 </dev/null) || fail "unjam-season -l fr: status $?"
    grep -q "^Je l'ai vu dans la maison\.\s*$" "$run/fr/input.srt" || fail "unjam-season -l fr: $(cat "$run/fr/input.srt")"
    unknown=$(cd "$run" && PATH="$prefix/bin:/usr/bin:/bin" unjam-season -l xx -o xx season/input.srt 2>&1)
    [ $? = 1 ] && [ "$unknown" = "Unknown language 'xx': the installed ones are en de es fr it pt" ] ||
        fail "unjam-season -l xx: $unknown"
}

cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/log" 2>&1 || { cat "$tmp/log"; exit 1; }
check_tree "$tmp/prefix"
command -v dpkg-deb >/dev/null || { echo "dpkg-deb not found: package not checked"; exit $failed; }
# A package installs where its build was configured to; Debian's is /usr.
grep -q '^set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")' "$build/CPackConfig.cmake" || exit $failed

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/log" 2>&1 ||
    { cat "$tmp/log"; exit 1; }
debs=("$tmp"/out/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || { echo "--- expected one .deb: ${debs[*]}"; exit 1; }
# lintian checks the control fields; these are choices of this package.
for field in Package=unjam Section=utils; do
    [ "$(dpkg-deb -f "${debs[0]}" "${field%=*}")" = "${field#*=}" ] || fail "not $field"
done
# Any lintian error fails; the warnings left are listed, with the reasons,
# in docs/contributing.md (The package).
if command -v lintian >/dev/null; then
    report=$(lintian "${debs[0]}" 2>/dev/null)
    grep -q '^E:' <<<"$report" && fail "lintian:"$'\n'"$report"
else
    echo "lintian not found: package not linted"
fi
dpkg-deb -x "${debs[0]}" "$tmp/root" && check_tree "$tmp/root/usr"
exit $failed
