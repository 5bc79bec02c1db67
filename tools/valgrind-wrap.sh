#!/usr/bin/env bash
# Runs a command under valgrind, failing (status 99) on any memory error or
# leak. The report is appended to $UNJAM_VALGRIND_LOG through descriptor 9:
# valgrind's own log file would take the lowest free descriptor and so fill
# a standard stream that a test closed on purpose.
exec 9>>"${UNJAM_VALGRIND_LOG:-/dev/stderr}"
# Valgrind keeps its own files in TMPDIR and cannot start without it; a row
# that names a missing TMPDIR tests the program's message, so runs it bare.
if [ -n "${TMPDIR:-}" ] && [ ! -d "$TMPDIR" ]; then exec "$@"; fi
# A run the test ends by a signal dies with memory in use: no leak check.
leaks=full
if [ -n "${UNJAM_WRAP_ENDED_BY_SIGNAL:-}" ]; then leaks=no; fi
exec valgrind --quiet --log-fd=9 --error-exitcode=99 --vgdb=no --leak-check=$leaks \
    --show-leak-kinds=definite,indirect,possible \
    --errors-for-leak-kinds=definite,indirect,possible "$@"
