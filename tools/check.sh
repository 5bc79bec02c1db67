#!/usr/bin/env bash
# The whole test suite: builds with g++ and with clang 14, warnings as
# errors, and runs every test in each build; then builds with AddressSanitizer
# and UndefinedBehaviorSanitizer, runs every test again there, builds the
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
    ctest --preset "$preset"
done
echo "== valgrind"
tools/valgrind-e2e.sh release
fuzz/run.sh 30 build/asan
