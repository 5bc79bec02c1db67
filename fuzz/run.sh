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

mkdir -p "$build/fuzz/findings"
harnesses=(repairline run)
fuzz() {  # harness: runs it, its output to its log
    local harness=$1
    # Lines have no length limit; longer inputs reach the long-word paths.
    local max_len=$([ "$harness" = run ] && echo 2048 || echo 512)
    local corpus="$build/fuzz/corpus-$harness"
    mkdir -p "$corpus"
    "$build/fuzz/${harness}_fuzz" -max_total_time="$seconds" -timeout=20 \
        -max_len="$max_len" -print_final_stats=1 \
        -artifact_prefix="$build/fuzz/findings/$harness-" \
        "$corpus" "fuzz/corpus/$harness" "fuzz/regressions/$harness" >"$build/fuzz/$harness.log" 2>&1
}
# The harnesses run side by side, one a core.
pids=()
for harness in "${harnesses[@]}"; do
    echo "== fuzzing $harness for ${seconds}s"
    fuzz "$harness" &
    pids+=($!)
done
status=0
for i in "${!harnesses[@]}"; do
    log="$build/fuzz/${harnesses[$i]}.log"
    if ! wait "${pids[$i]}"; then
        tail -n 40 "$log"
        status=1
    fi
    grep -E "^(Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$log" || true
done
exit $status
