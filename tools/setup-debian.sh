#!/usr/bin/env bash
# Installs what building and testing unjam needs on Debian 12, and nothing
# when it is all there already. Run as root (or through sudo).
set -euo pipefail

packages=(
    g++ cmake make libgtest-dev   # build and unit tests
    clang-14 libclang-rt-14-dev   # second compiler, sanitizers, fuzzing
    python3                       # word list and benchmark scripts
    scowl fortunes                # word list sources, benchmark corpus
    unicode-data                  # the source of src/wordlist/unicodetables.cpp
    groff-base                    # man page check
    lintian                       # package check
    valgrind                      # memory check of the end-to-end tests
    chromium chromium-driver python3-selenium   # the review page's browser test
    nodejs                        # its npm brings axe-core, the page's accessibility check
    g++-mingw-w64-x86-64-posix    # the Windows build
    wine wine64 unzip             # its tests under Wine, its zip opened
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# axe-core from the npm registry, in a fixed place that the browser test is
# given (tests/CMakeLists.txt): installed once, then read without a network.
axe_dir=/usr/local/lib/unjam-test
axe_version=4.10.3
if [ ! -f "$axe_dir/node_modules/axe-core/axe.min.js" ] ||
   ! grep -q "\"version\": \"$axe_version\"" "$axe_dir/node_modules/axe-core/package.json"; then
    command -v npm >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends npm >/dev/null
    echo "Installing axe-core $axe_version into $axe_dir"
    mkdir -p "$axe_dir"
    npm install --prefix "$axe_dir" --no-audit --no-fund --loglevel=error "axe-core@$axe_version" >/dev/null
fi
