#!/usr/bin/env bash
# The man page formats without warnings, and every message it lists that a
# short scenario makes the program print appears in it word for word: the
# usage text in full, the others with the line number or count as N.
#   manpage-test.sh PROGRAM MAN_PAGE      (unjam, unjam-names, unjam-season or unjam-review)
set -u
unjam=$(realpath "$1")
page=$(realpath "$2")
command -v groff >/dev/null || { echo "groff not found"; exit 77; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0

warnings=$(groff -mandoc -ww -z "$page" 2>&1)
[ -z "$warnings" ] || { echo "--- groff:"$'\n'"$warnings"; failed=1; }

# Wide enough that no message is broken over two lines.
mapfile -t rendered < <(groff -mandoc -Tascii -P-cbou -rLL=250n "$page" 2>/dev/null)

# Index of the last rendered line that is WANT after blanks only, or -1.
find_line() {
    local i line indent
    for ((i = ${#rendered[@]} - 1; i >= 0; i--)); do
        line=${rendered[i]} indent=${rendered[i]%"$1"}
        [ "$line" != "$indent" ] && [ -z "${indent// /}" ] && { echo $i; return; }
    done
    echo -1
}

# The usage text, line for line in one block, its own leading blanks kept.
mapfile -t usage < <("$unjam" 2>&1 >/dev/null)
at=$(find_line "${usage[0]}")
[ ${#usage[@]} -ge 2 ] && [ "$at" != -1 ] || { echo "--- no usage text in the page"; failed=1; }
indent=${rendered[at]%"${usage[0]}"}
for k in "${!usage[@]}"; do
    [ "${rendered[at + k]:-}" = "$indent${usage[k]}" ] ||
        { echo "--- usage line $((k + 1)) not in the page: '${usage[k]}'"; failed=1; }
done

# Each run prints messages under the names the page uses for their parts.
# Standard output and standard error are kept apart, as "Reading in
# dictionary..." has no line end of its own when the word list fails.
cd "$tmp" || exit 1
runs=0
run() {
    runs=$((runs + 1))
    "$unjam" "$@" </dev/null >"$tmp/out.$runs" 2>"$tmp/err.$runs"
    sed -s -e '$a\' "$tmp/out.$runs" "$tmp/err.$runs" |
        grep -vx 'Reading in dictionary\.\.\.' >>"$tmp/messages"
}
# Paths, numbers and quoted words as the page names them; then each of the
# messages WANT... was printed, and every message printed is in the page.
check_messages() {
    sed -e 's/dir\.srt/out.srt/; s/same\.srt/out.srt/; s|/dev/full|out.srt|; s/folder\.srt/in.srt/' \
        -e 's/^\(Will not write the output over the word list:\) list\.srt \(.*\) words$/\1 out.srt \2 list/' \
        -e 's/^\(Could not read the input file:\) wide\.srt: \(.* UTF-8 first:\) .*$/\1 in.srt: \2 command/' \
        -e '/ UTF-16, which /!s/^\(Could not \(read\|write\|open\) the [a-z]* file: [a-z.]*\): .*/\1: reason/' \
        -e 's/^\(Could not write the page\): .*/\1: reason/' \
        -e 's/: \(it has\|it read\) [0-9]* lines, not [0-9]*$/: \1 N lines, not M/' \
        -e "s/\(: line\|its line\) [0-9][0-9]* /\1 N /; s/holds no '.*'\$/holds no 'word'/" \
        -e 's/^\(Warning: .* dropped from\) [0-9][0-9]* lines\? \(of the input file:\) nul\.srt$/\1 N lines \2 in.srt/' \
        -e 's/^\(Warning: .* order:\) [0-9]* of its [0-9]* \(.*(letters\) [A-Z, ]*)/\1 N of its M \2 L)/' \
        -e "s/^\(Unjam reads .* directory, which\) .*/\1 why/; s/^\(Warning: the words2 file\) .*\(; the run\)/\1 why\2/" \
        -e 's/^\(Warning: the word list\) words\(.*UTF-8:\) .*$/\1 list\2 command/' \
        -e 's/^\(Warning: .* 0x1A in line\) [0-9]* \(was not read (\)[0-9]* \(bytes) .* file:\) eof\.srt$/\1 L \2N \3 in.srt/' \
        -e 's/^[0-9][0-9]*/N/' \
        -e 's/^\(Read\|Fixed\) [0-9][0-9]*/\1 N/' \
        -e "s/^N: Couldn't find '.*' in the/N: Couldn't find 'word' in the/" \
        -e "s/^N: Ambiguous splitting of '.*': chose '.*' over '.*'\$/N: Ambiguous splitting of 'word': chose 'split' over 'other'/" \
        -e "s/^N: Ambiguous splitting of '.*': chose '.*' over too/N: Ambiguous splitting of 'word': chose 'split' over too/" \
        -e "s/^N: Truncated 'ii' in '.*' to '.*'\$/N: Truncated 'ii' in 'word' to 'replacement'/" \
        -e "s/^inDict got symbol '.*'\$/inDict got symbol 'text'/" messages | sort -u >wanted
    for want in "$@"; do
        grep -qF "$want" wanted || { echo "--- the scenario printed no '$want'"; failed=1; }
    done
    while IFS= read -r message; do
        [ "$(find_line "$message")" != -1 ] || { echo "--- not in the page: '$message'"; failed=1; }
    done <wanted
    exit $failed
}

if [ "${unjam##*/}" = unjam-season ]; then
    printf '%s\n' are ask doing kir rin what you >words
    printf '1\n2\nWhat areyou doing, Kirrin?\n\n1\n2\nAsk Kirrin.\n' >in.srt
    printf '1\n2\nno names\n' >plain.srt
    mkdir a b s out2 out3 && cp in.srt a/ && cp in.srt b/ && cp in.srt s/words2 && cp in.srt in
    ln in.srt out2/in.srt && ln words out3/names.txt
    run -o; run -x in.srt; run -o out -o out in.srt; run in.srt; run -o out
    run -o out in.srt missing.srt; run -n -o out in.srt; run -o out plain.srt
    run -o . in.srt; run -o in.srt s/words2; run -o out a/in.srt b/in.srt; run -o out in in.srt
    run -o . s/words2; run -o out2 in.srt; run -o out3 in.srt
    mkdir -p out4/review.html && run -o out4 in.srt
    (mkdir bare && cd bare && run -o out ../in.srt)
    # Folders, and what a drop may bring.
    mkdir season empty && cp in.srt season/ && echo notes >empty/notes.txt && echo video >video.mkv
    run season season/; run season/in.srt season; run season a; run empty; run in.srt video.mkv
    run missing-folder/; UNJAM_OPENER=/nonexistent/opener run --open season
    # The names the page gives the paths, counts and reasons of these runs.
    sed -i -e 's/^\(\[[0-9]*\/[0-9]*\]\) [^:]*:/[K\/N] in.srt:/' \
        -e 's/: [0-9]* lines, [0-9]* fixed, [0-9]* ambiguous, [0-9]* not found$/: N lines, N fixed, N ambiguous, N not found/' \
        -e 's/^Proposed [0-9]* names\? in [^ ]*\/names.txt/Proposed N names in DIR\/names.txt/' \
        -e 's/^No names proposed: .*\/names.txt/No names proposed: DIR\/names.txt/' \
        -e 's/^Repaired [0-9]* of [0-9]* files\? into [^;]*;/Repaired N of N files into DIR;/' \
        -e 's/review .*\/names.txt,/review DIR\/names.txt,/' \
        -e 's/^Every change is on the page .*\/review.html:/Every change is on the page DIR\/review.html:/' \
        -e 's/^\(Could not write the review page:\) .*/\1 DIR\/name: reason/' \
        -e 's/^\(Two inputs have one file name:\) .* and .*/\1 in.srt and in.srt/' \
        -e 's/^\(Will not write two files named\) [^:]*: for .* and for .*/\1 name: for in.srt and for in.srt/' \
        -e 's/^Will not write into [^:]*: it is not a folder/Will not write into DIR: it is not a folder/' \
        -e 's/^\(Will not write into the folder of an input:\) .* holds .*/\1 DIR holds in.srt/' \
        -e 's/^\(Will not write over an input:\) .* is the same file as .*/\1 DIR\/name is the same file as in.srt/' \
        -e 's/^\(Will not write over the word list:\) .* is the same file as .*/\1 DIR\/name is the same file as list/' \
        -e 's/^Will not write [^:]*: it is the word list .*/Will not write DIR\/name: it is the word list list/' \
        -e 's/^\(Could not open the installed word list:\) .*/\1 path: reason/' \
        -e 's/^\(Could not open the input file:\) [^:]*: .*/\1 in.srt: reason/' \
        -e 's/^Unknown option: .*/Unknown option: option/' \
        -e 's/^No subtitle files in [^:]*:/No subtitle files in FOLDER:/' \
        -e 's/^\(Could not read the folder:\) .*/\1 FOLDER: reason/' \
        -e 's/^One folder is given twice: .* and .*/One folder is given twice: FOLDER and FOLDER/' \
        -e 's/^[^ ]* is in the folder [^,]*,/in.srt is in the folder FOLDER,/' \
        -e 's/^\(The inputs are in more than one folder:\) .* and [^;]*;/\1 FOLDER and FOLDER;/' \
        -e 's/^Will not repair [^:]*: it is not a subtitle file/Will not repair file: it is not a subtitle file/' \
        -e 's/^\(Could not open the review page in a browser:\) .*\/review.html: .*;/\1 DIR\/review.html: reason;/' \
        -e "s/^\\(No 'words' in the working directory: using the installed list\\) .*/\\1 path/" messages
    check_messages "No input file" "needs a folder" "given twice" \
        "Unknown option" "Could not open the input file" "not repaired: it could not be read" \
        "lines, N fixed" "Proposed N names" "No names proposed:" "No names proposed (-n)" \
        "To keep the good names" "folder of an input" "not a folder" "one file name" \
        "two files named" "it is the word list" "over an input" "over the word list" \
        "installed word list" "Every change is on the page" "Could not write the review page" \
        "No subtitle files in" "Could not read the folder" "One folder is given twice" \
        "which is given too" "more than one folder" "not a subtitle file" \
        "Could not open the review page"
fi
if [ "${unjam##*/}" = unjam-names ]; then
    printf '1\n2\nrun\0away\n' >nul.srt
    run nul.srt
    mkdir folder.srt
    run in.srt
    run folder.srt
    printf '%s\n' be bet he la me lo the tween ween will >words
    run nul.srt
    check_messages "Could not open the input file" "Could not read" "after a NUL byte" \
        "Could not open the words file" "Warning: 'words' is not grouped"
fi
if [ "${unjam##*/}" = unjam-review ]; then
    # Only standard error: standard output is the page.
    run() { "$unjam" "$@" </dev/null >/dev/null 2>>"$tmp/messages"; }
    printf '1\n2\nareyou\n' >before.srt
    printf '1\r\n2\r\nare you\r\n' >after.srt
    run before.srt after.srt log.txt
    run file after.srt
    [ -w /dev/full ] && "$unjam" before.srt after.srt 2>>messages >/dev/full
    for log in hello "3: Couldn't find 'x' in the dictionary.\nRead 3 lines." 'Read 2 lines.' \
        'Processing output...'; do
        printf "$log\n" >log.txt
        run before.srt after.srt log.txt
    done
    for changed in '1\r\n2\r\nare you\r\n\r\n' '1\r\n3\r\nare you\r\n' '1\r\n2\r\nare  you\r\n'; do
        printf "$changed" >after.srt
        run before.srt after.srt
    done
    mkdir file
    run file after.srt
    check_messages "Could not open the input file" "Could not read the input file" \
        "Could not open the log file" "is not unjam's output" "it read N lines" "holds no" \
        "it has N lines" "timing or empty line" "dropped i's" "no line \"Read N lines.\"" \
        "Could not write the page"
fi
run in.srt out.srt
# \001 (a control character) is part of a word, and no letter.
printf '1\n2\nrun ofthe between wiill \001x\n' >in.srt
run in.srt out.srt
# The L words in two groups; otherwise from A to Z.
printf '%s\n' be bet he la me lo the tween ween will >words
mkdir dir.srt
run in.srt dir.srt
ln in.srt same.srt
run in.srt same.srt
ln words list.srt
run in.srt list.srt
run in.srt out.srt
[ -w /dev/full ] && run in.srt /dev/full
mkdir folder.srt
run folder.srt out.srt
printf '1\n2\nrun\0away\n' >nul.srt
run nul.srt out.srt
printf '1\n2\nrun\032away\n' >eof.srt
run eof.srt out.srt
printf '\xff\xfe1\0' >wide.srt
run wide.srt out.srt
mkdir runaway
printf '%s\n' ha haha >runaway/words
printf '1\n2\n%s\n' "$(printf 'ha%.0s' {1..40})" >runaway/in.srt
(cd runaway && run in.srt out.srt)
# Lists that cannot be used: a UTF-16 words, a words2 that is a directory;
# then a words that is a directory.
mkdir -p lists/words2 && printf '\xff\xfea\0' >lists/words && (cd lists && run ../in.srt out.srt)
rm lists/words && mkdir lists/words && (cd lists && run ../in.srt out.srt)
check_messages "Could not open the words file" "Couldn't find" "possibily ambiguous" \
    "Warning: 'words' is not grouped" "over 'other'" "over too many" "Truncated" "got symbol" \
    "Could not read" "over the word list" "after a NUL byte" "after a byte 0x1A" "in UTF-16" \
    "words2 file" \
    "does not read; convert" \
    "directory, which"
