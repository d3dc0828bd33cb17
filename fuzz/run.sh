#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, each on a scratch copy of its committed seed
# corpus (what the run discovers stays out of the repository). Any crash fails the run and
# leaves the input that caused it in build-fuzz/findings/. A target runs on one core: as many
# run side by side as the machine has cores, each for the whole of its time.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
at_once=${FUZZ_JOBS:-$(nproc)}
mkdir -p build-fuzz/findings

# fuzz_target TARGET: one target's run; its exit status says whether it found a failure.
fuzz_target() {
    local target=$1
    local name
    name=$(basename "$target" _fuzzer)
    local work
    work=$(mktemp -d)
    cp -r "fuzz/corpus/$name/." "$work/"
    echo "fuzzing $name for ${seconds}s"
    # A run of the reader targets costs from a tenth of a millisecond to a quarter of a second,
    # with the length of the line: inputs are chosen more often the faster they run.
    local found=0
    "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -entropic_scale_per_exec_time=1 -artifact_prefix="build-fuzz/findings/$name-" \
        -print_final_stats=1 "$work" 2> "build-fuzz/$name.log" || found=1
    rm -rf "$work"
    return $found
}

# Each target's outcome: its name, and whether it found a failure.
targets=(build-fuzz/*_fuzzer)
pids=()
status=0
report() {
    local target=$1 pid=$2
    local name
    name=$(basename "$target" _fuzzer)
    if ! wait "$pid"; then
        echo "fuzz target $name found a failure: see build-fuzz/$name.log" >&2
        tail -n 40 "build-fuzz/$name.log" >&2
        status=1
    fi
    grep -E '^stat::number_of_executed_units' "build-fuzz/$name.log" | sed "s/^/$name: /" || true
}
for i in "${!targets[@]}"; do
    fuzz_target "${targets[$i]}" &
    pids[$i]=$!
    # Wait for the oldest run still going once as many as the cores run.
    if (( i + 1 >= at_once )); then
        oldest=$(( i + 1 - at_once ))
        report "${targets[$oldest]}" "${pids[$oldest]}"
    fi
done
first_left=$(( ${#targets[@]} >= at_once ? ${#targets[@]} - at_once + 1 : 0 ))
for (( i = first_left; i < ${#targets[@]}; i++ )); do
    report "${targets[$i]}" "${pids[$i]}"
done
exit $status
