#!/usr/bin/env bash
# unjam-season.exe as a Windows user meets it without a terminal. Started as
# Explorer starts it for a folder dropped on it (the folder's full path the
# only argument, a console window of its own; drop-launcher.exe): the
# repair is in FOLDER\fixed, byte for byte a terminal run's, the browser's
# stand-in was handed the page's path, and the window waits for a key. Run
# from a terminal or a script, it neither opens the page nor waits. A double
# click explains how to drop a folder; a dropped file that is no subtitle
# file and a folder without subtitles are refused in the window, which
# waits, and nothing is written.
# Explorer's choice of working directory is left out: the lists are read
# beside the program.
#   drop-test.sh UNJAM_SEASON_EXE DROP_LAUNCHER_EXE SOURCE_DIR
# (UNJAM_WRAP runs a Windows program)
set -u
program=$(realpath "$1") launcher=$(realpath "$2") top=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
fail() {
    echo "--- $*"
    failed=1
}
windows() { printf 'Z:%s' "${1//\//\\}"; }
season=$(windows "$program")
# Started as a drop: the window's text, then its status.
drop() {
    local record=$1
    shift
    (cd elsewhere && ${UNJAM_WRAP:-} "$launcher" "$(windows "$record")" "$season" "$@" </dev/null) |
        tr -d '\r'
    echo "status ${PIPESTATUS[0]}"
}

# The programs as the zip holds them, the word list beside them, and a
# working directory without one: a drop reads the lists beside the program.
mkdir "$tmp/unzipped" "$tmp/elsewhere"
cp "$program" "${program%/*}/unjam.exe" "$top/dict/words" "$tmp/unzipped/"
program=$tmp/unzipped/unjam-season.exe
season=$(windows "$program")
cd "$tmp" || exit 1
cp "$top/dict/words" words
mkdir dropped typed
cp "$top"/tests/season/episodes/* dropped/
cp "$top"/tests/season/episodes/* typed/
echo notes >dropped/notes.txt

window=$(drop "$tmp/opened" "$(windows "$tmp/dropped")")
grep -qx "Repaired 3 of 3 files into $(windows "$tmp/dropped/fixed" | sed 's/\\/\\\\/g'); .*" <<<"$window" ||
    fail "no summary of the repairs in the window:"$'\n'"$window"
grep -q "No 'words'" <<<"$window" && fail "a drop did not read the words beside the program"
[ "$(tail -n 4 <<<"$window")" = $'\nPress any key to close this window.\n[window: waited for a key]\nstatus 0' ] ||
    fail "the window did not wait for a key:"$'\n'"$window"
[ "$(tr -d '\r' <opened 2>/dev/null)" = "$(windows "$tmp/dropped/fixed/review.html")" ] ||
    fail "the browser was not handed the page: $(cat opened 2>&1)"

# Typed in a script, with the same stand-in at hand: no page opened, no wait.
typed=$(UNJAM_OPENER=$(windows "$launcher") UNJAM_TEST_OPENED=$(windows "$tmp/opened-typed") \
    ${UNJAM_WRAP:-} "$program" typed </dev/null 2>&1)
[ $? = 0 ] || fail "the typed run failed: $typed"
grep -q "Press any key" <<<"$typed" && fail "a typed run waits for a key"
[ -e opened-typed ] && fail "a typed run opened the page without --open"
for file in "Ep 03.SRT" ep01.srt ep02.srt "Ep 03.log" ep01.log ep02.log names.txt; do
    cmp -s "dropped/fixed/$file" "typed/fixed/$file" || fail "fixed/$file differs from a typed run's"
done
[ "$(cd dropped && find . -path ./fixed -prune -o -type f -print | sort)" = \
    "$(printf './%s\n' "Ep 03.SRT" ep01.srt ep02.srt notes.txt)" ] || fail "the dropped folder changed"

# A double click: what to do, and the window waits.
window=$(drop "$tmp/opened-click")
grep -q "drag the folder that holds the .srt files" <<<"$window" ||
    fail "a double click does not explain the drop:"$'\n'"$window"
[ "$(tail -n 2 <<<"$window")" = $'[window: waited for a key]\nstatus 0' ] ||
    fail "a double click's window did not wait:"$'\n'"$window"

# Refusals stand in the window until a key, and write nothing.
mkdir empty && echo notes >empty/notes.txt && echo video >video.mkv
for dropped in video.mkv empty; do
    window=$(drop "$tmp/opened-$dropped" "$(windows "$tmp/$dropped")")
    case $dropped in
    video.mkv) want="Will not repair $(windows "$tmp/video.mkv"): it is not a subtitle file (.srt)" ;;
    empty) want="No subtitle files in $(windows "$tmp/empty"): " ;;
    esac
    grep -qF "$want" <<<"$window" || fail "dropped $dropped: no refusal in the window:"$'\n'"$window"
    [ "$(tail -n 2 <<<"$window")" = $'[window: waited for a key]\nstatus 1' ] ||
        fail "dropped $dropped: the window did not wait:"$'\n'"$window"
    [ -e "opened-$dropped" ] && fail "dropped $dropped: a page was opened"
done
[ -e fixed ] || [ -e empty/fixed ] && fail "a refused drop wrote a fixed folder"
exit $failed
