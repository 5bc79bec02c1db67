#!/usr/bin/env bash
# Runs the golden whole runs (the case folders, not the bad-input matrix,
# whose rows the sanitizer build runs) with the program under valgrind: any
# memory error or leak fails the test, and valgrind's reports are shown at
# the end. tools/check.sh runs it. UNJAM_VALGRIND_ALL=1 runs the matrix too.
# Usage: tools/valgrind-e2e.sh [configure preset, default release]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-release}

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
export UNJAM_VALGRIND_LOG="$logs/valgrind.log"
: >"$UNJAM_VALGRIND_LOG"
chmod 755 "$logs" && chmod 666 "$UNJAM_VALGRIND_LOG"  # some rows run as nobody
export UNJAM_WRAP="$PWD/tools/valgrind-wrap.sh"
export UNJAM_ROW_TIMEOUT=3000
status=0
skip=(-LE badinput)
[ -n "${UNJAM_VALGRIND_ALL:-}" ] && skip=()
ctest --preset "$preset" -L e2e "${skip[@]}" --timeout 3600 || status=$?
if [ -s "$UNJAM_VALGRIND_LOG" ]; then
    echo "== valgrind reports"
    cat "$UNJAM_VALGRIND_LOG"
    status=1
fi
exit $status
