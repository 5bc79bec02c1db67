#!/usr/bin/env bash
# The whole test suite: builds with g++ (release) and runs every test there;
# builds with clang 14 under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs every test of a program again there (the browser test and the
# checks of sources only once, in the release build); warnings are errors in
# both. Then builds the programs for /usr and checks the .deb made from them
# (lintian too), builds for Windows (MinGW-w64) and runs its tests under Wine
# and checks its zip, runs the golden whole runs of the release build under
# valgrind, and fuzzes each harness briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

# An optimized clang build is not made: the sanitizer build is clang's, with
# the same warnings, and runs every test.
for preset in release asan package windows; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    case $preset in
    asan) ctest --preset asan -LE 'browser|sources' ;;
    *) ctest --preset "$preset" ;;
    esac
done
echo "== valgrind"
tools/valgrind-e2e.sh release
fuzz/run.sh 20 build/asan
