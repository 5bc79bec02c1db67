#!/usr/bin/env bash
# start: makes the Wine prefix that the Windows build's tests run in, once
# (wineboot, a quarter of a minute), and starts a wineserver that outlives
# each program, so that the tests do not each start one. stop: ends it.
# WINEPREFIX names the prefix; Wine must not ask anything on the way
# (WINEDLLOVERRIDES, see the CMake file that adds these tests).
set -eu
: "${WINEPREFIX:?}"
case "$1" in
start)
    if [ ! -e "$WINEPREFIX/system.reg" ]; then
        timeout 300 wineboot --init </dev/null >/dev/null 2>&1
        wineserver --wait
    fi
    # The server stays up a minute after its last program, and Wine's own
    # services start now, away from any test: they would keep that test's
    # output pipe open, and CTest waiting for its end.
    # Fails when a server runs already, which serves as well.
    wineserver --persistent=60 </dev/null >/dev/null 2>&1 || true
    timeout 120 wine wineboot </dev/null >/dev/null 2>&1
    ;;
stop)
    wineserver --kill </dev/null >/dev/null 2>&1 || true
    ;;
esac
