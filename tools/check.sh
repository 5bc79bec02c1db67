#!/usr/bin/env bash
# The whole test suite: builds with g++ and with clang 14, warnings as
# errors, and runs every test in the g++ build and all but the whole runs in
# the clang one; then builds with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang), runs every test of a program again
# there (the browser test only in the release build), builds the
# programs for /usr and checks the .deb made from them (lintian too), runs
# the end-to-end tests of the release build under valgrind, and fuzzes each
# harness briefly. The Windows build (MinGW-w64) runs its tests under Wine
# and checks its zip.
set -euo pipefail
cd "$(dirname "$0")/.."

for preset in release clang asan package windows; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    # The asan build is clang's too and runs every whole-run test; the
    # optimized clang build repeats only the rest, to keep CI short. The
    # checks of sources (generated files, scoring) and the browser test run
    # in the release build only.
    case $preset in
    clang) ctest --preset clang -LE 'e2e|browser|sources' ;;
    asan) ctest --preset asan -LE 'browser|sources' ;;
    *) ctest --preset "$preset" ;;
    esac
done
echo "== valgrind"
tools/valgrind-e2e.sh release
fuzz/run.sh 20 build/asan
