#!/usr/bin/env bash
# Fuzzes each harness for a number of seconds, starting from the seed corpus
# and every input that once failed. The corpus grows in the build folder
# (<build>/fuzz/corpus-<harness>) from run to run; an input that breaks an
# invariant or crashes is saved as <build>/fuzz/findings/<harness>-crash-*
# and the script ends with status 1.
# Usage: fuzz/run.sh [seconds per harness, default 30] [build folder, default build/asan]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=$(realpath "${2:-build/asan}")  # the run harness works in a scratch folder

status=0
mkdir -p "$build/fuzz/findings"
for harness in repairline run; do
    # Lines have no length limit; longer inputs reach the long-word paths.
    max_len=$([ "$harness" = run ] && echo 2048 || echo 512)
    corpus="$build/fuzz/corpus-$harness"
    log="$build/fuzz/$harness.log"
    mkdir -p "$corpus"
    echo "== fuzzing $harness for ${seconds}s"
    if ! "$build/fuzz/${harness}_fuzz" -max_total_time="$seconds" -timeout=20 \
        -max_len="$max_len" -print_final_stats=1 \
        -artifact_prefix="$build/fuzz/findings/$harness-" \
        "$corpus" "fuzz/corpus/$harness" "fuzz/regressions/$harness" >"$log" 2>&1; then
        tail -n 40 "$log"
        status=1
    fi
    grep -E "^(Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$log" || true
done
exit $status
