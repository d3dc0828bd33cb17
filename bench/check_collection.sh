#!/usr/bin/env bash
# `check` of a collection against `compile` of the same scenarios one by one, the way a
# maintainer scripted it before `check` took folders: COUNT scenarios the size of the built-in
# one (its two sources, an 82 km line, each in a folder of its own), timed as whole runs.
#
#   bench/check_collection.sh [BUILDER] [COUNT]     (build/scenario-builder, 1000)
#
# Prints, for each, the wall and CPU seconds and the peak memory (/usr/bin/time), and the
# machine's load before and after. `check` compiles in memory on all cores and writes nothing;
# the loop of `compile` writes the three compiled files of each scenario, which is what it did
# for a maintainer. The tree is made before the clock starts and removed at the end.
set -euo pipefail
export LC_ALL=C
unset DISPLAY
here=$(cd "$(dirname "$0")" && pwd)
builder=${1:-$(dirname "$here")/build/scenario-builder}
count=${2:-1000}
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

"$builder" sources --dir "$tree/template" >/dev/null
for ((i = 0; i < count; i++)); do
    folder=$(printf '%s/routes/%04d' "$tree" "$i")
    mkdir -p "$folder"
    cp "$tree"/template/*.txt "$folder"/
done
rm -rf "$tree/template"

compile_each() {
    for folder in "$tree"/routes/*; do
        "$builder" compile --dir "$folder" --route Valdora_Rova --train 5284 >/dev/null 2>&1
    done
}

timed() {
    local name=$1
    shift
    echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
    /usr/bin/time -f "$name: %e s wall, %U s user, %S s system, %M KB peak" "$@"
}

echo "$count scenarios, $(nproc) cores, $("$builder" --version), commit $(git -C "$here" rev-parse --short HEAD 2>/dev/null || echo unknown)"
timed "check" "$builder" check "$tree/routes" >/dev/null
export -f compile_each
export builder tree
timed "compile one by one" bash -c compile_each
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
