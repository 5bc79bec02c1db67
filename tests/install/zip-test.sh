#!/usr/bin/env bash
# The Windows zip as a user meets it: cpack makes it from the build tree; it
# holds one folder with the programs (every .exe of the build's top
# folder), the word list, the Windows README and the licences, and nothing
# else.
# Run from another folder without a `words`, unjam.exe names the list
# beside it and the command that copies it, unjam-season.exe uses that
# list, and after that command (run by Windows' own cmd) unjam.exe repairs
# the example.
#   zip-test.sh BUILD_DIR SOURCE_DIR    (UNJAM_WRAP runs a Windows program)
set -u
build=$1 top=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
fail() {
    echo "--- $*"
    failed=1
}

(cd "$build" && cpack -G ZIP -B "$tmp/package" >/dev/null) || { echo "--- cpack failed"; exit 1; }
zip=$(find "$tmp/package" -maxdepth 1 -name 'unjam-*-windows-x86_64.zip')
[ -n "$zip" ] || { echo "--- no unjam-VERSION-windows-x86_64.zip made"; exit 1; }
unzip -q "$zip" -d "$tmp/unzipped"
folder=$tmp/unzipped/$(basename "$zip" .zip)
files=$(cd "$folder" && find . -type f | sort)
programs=$(cd "$build" && printf './%s\n' *.exe)
# Each other language's list travels in a folder of its own, with its
# rules and its source's notice.
languages=$(cd "$top/dict" && find . -mindepth 2 -type f | sort)
[ "$files" = "$(printf '%s\n' ./COPYING.scowl ./COPYING.counts ./LICENSE ./README.txt $programs \
    ./words ./words.counts ./words.profile $languages | sort)" ] ||
    fail "zipped files differ:"$'\n'"$files"
# The README for Windows users: the drop first, the version's own paths,
# Windows' line ends.
readme=$folder/README.txt
[ "$(head -n 1 "$readme")" = $'Unjam for Windows\r' ] || fail "README.txt does not begin for Windows users"
grep -q '@' "$readme" && fail "README.txt holds an unfilled @VARIABLE@"
grep -qv $'\r$' "$readme" && fail "README.txt has a line not ended by CR LF"
grep -q "drop it on" "$readme" ||
    fail "README.txt does not say to drop the folder on unjam-season.exe"
for list in ./words ./words.counts ./words.profile $languages; do
    cmp -s "$top/dict/$list" "$folder/$list" || fail "$list differs from dict/$list"
done

mkdir "$tmp/run" && cp "$top/examples/sample.srt" "$tmp/run/"
cd "$tmp/run"
windows_folder='Z:'${folder//\//\\}
${UNJAM_WRAP:-} "$folder/unjam.exe" sample.srt repaired.srt >/dev/null 2>stderr
hint="Unjam reads its word list from 'words' in the working directory; to use the installed default list: copy \"$windows_folder\\words*\" ."
[ "$(tail -n 1 stderr)" = "$hint" ] || fail "hint is: $(cat stderr)"
# The season command falls back to the list beside it too; given the
# folder, as README.txt has it, it repairs into `fixed` there.
${UNJAM_WRAP:-} "$folder/unjam-season.exe" -n . >/dev/null 2>&1 ||
    fail "unjam-season.exe failed without a words here"
cmp -s "$top/examples/sample-repaired.srt" fixed/sample.srt || fail "the season's repair differs"
# The command as the hint gives it; Wine quotes the path as Windows would.
${UNJAM_WRAP:-} cmd /c copy "$windows_folder\\words*" . >/dev/null
for list in words words.counts words.profile; do
    cmp -s "$folder/$list" "$list" || fail "the hint's command did not copy $list"
done
${UNJAM_WRAP:-} "$folder/unjam.exe" sample.srt repaired.srt >messages.txt
cmp -s "$top/examples/sample-repaired.srt" repaired.srt || fail "the example's repair differs"
cmp -s "$top/examples/sample-messages.txt" messages.txt || fail "the example's messages differ"
exit $failed
