#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, each on a scratch copy of its committed seed
# corpus (what the run discovers stays out of the repository). Any crash fails the run and
# leaves the input that caused it in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
mkdir -p build-fuzz/findings
status=0
for target in build-fuzz/*_fuzzer; do
    name=$(basename "$target" _fuzzer)
    work=$(mktemp -d)
    cp -r "fuzz/corpus/$name/." "$work/"
    echo "fuzzing $name for ${seconds}s"
    # A run of the reader targets costs from a tenth of a millisecond to a quarter of a second,
    # with the length of the line: inputs are chosen more often the faster they run.
    if ! "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -entropic_scale_per_exec_time=1 -artifact_prefix="build-fuzz/findings/$name-" \
        -print_final_stats=1 "$work" \
        2> "build-fuzz/$name.log"; then
        echo "fuzz target $name found a failure: see build-fuzz/$name.log" >&2
        tail -n 40 "build-fuzz/$name.log" >&2
        status=1
    fi
    grep -E '^stat::number_of_executed_units' "build-fuzz/$name.log" || true
    rm -rf "$work"
done
exit $status
