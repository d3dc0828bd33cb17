#!/usr/bin/env bash
# A whole build against its floor: the cost of writing the same output bytes.
#
#   bench/floor.sh [RUNS]        RUNS timed runs of each (31 by default)
#
# Two scenarios, each timed as whole processes, program start included:
#   built-in    `scenario-builder build --dir DIR` into an empty folder, against
#               `cp` of every file that the build leaves behind (the three compiled files and
#               the three crew documents; the two sources it writes are deleted by the build
#               itself) from a reference build into an empty folder;
#   generated   `scenario-builder compile` of the generated scenario with a line of LENGTH
#               metres (the folder holds its two sources), against `cp` of the three compiled
#               files that the compile writes into an empty folder.
# The runs of a build and of its floor alternate, so that a change of load on the machine
# falls on both. Every folder is made before the clock starts and removed after it stops.
# It prints the median of each, their ratio, and the peak memory (max RSS) of the compile.
#
# Environment: BUILDER, GENERATOR (the release build's programs by default), LENGTHS (line
# lengths of the generated scenario, "1000000" by default; several give the growth).
set -euo pipefail
export LC_ALL=C
# The builds are headless: a display would only add the window.
unset DISPLAY

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
builder=${BUILDER:-$root/build-release/scenario-builder}
generator=${GENERATOR:-$root/build-release/generate_long_scenario}
runs=${1:-31}
lengths=${LENGTHS:-1000000}

for program in "$builder" "$generator"; do
    [ -x "$program" ] || { echo "floor.sh: $program is missing; run make bench" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/scenario-floor-XXXXXX")
trap 'rm -rf "$work"' EXIT

# Runs the command; its wall-clock time in microseconds lands in elapsed_us. The clock is the
# shell's own, so no process is started to read it.
elapsed_us=0
timed() {
    local start=$EPOCHREALTIME
    "$@"
    local end=$EPOCHREALTIME
    elapsed_us=$((${end/./} - ${start/./}))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

milliseconds() {
    awk -v us="$1" 'BEGIN { printf "%.2f ms", us / 1000 }'
}

report() {
    local name=$1 build_times=$2 floor_times=$3
    local build floor
    build=$(median <"$build_times")
    floor=$(median <"$floor_times")
    printf '%-28s %5d %14s %14s %8s\n' "$name" "$runs" "$(milliseconds "$build")" \
        "$(milliseconds "$floor")" "$(awk -v b="$build" -v f="$floor" 'BEGIN { printf "%.2f", b / f }')"
}

# Alternates `build_run i` and `floor_run i`, starting with each in turn; both record into
# $work/<name>.build and $work/<name>.floor.
compare() {
    local name=$1
    : >"$work/$name.build"
    : >"$work/$name.floor"
    for ((i = 0; i < runs; i++)); do
        if ((i % 2 == 0)); then
            build_run "$i" && echo "$elapsed_us" >>"$work/$name.build"
            floor_run "$i" && echo "$elapsed_us" >>"$work/$name.floor"
        else
            floor_run "$i" && echo "$elapsed_us" >>"$work/$name.floor"
            build_run "$i" && echo "$elapsed_us" >>"$work/$name.build"
        fi
    done
}

same_files() {
    local expected=$1 actual=$2
    [ "$(cd "$expected" && ls)" = "$(cd "$actual" && ls)" ] || return 1
    for file in "$expected"/*; do
        cmp -s "$file" "$actual/$(basename "$file")" || return 1
    done
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(uname -sr), $(df --output=fstype "$work" | tail -1) file system"
echo "load before: $(uptime | sed 's/.*load average/load average/')"
printf '%-28s %5s %14s %14s %8s\n' scenario runs "build median" "floor median" ratio

# The built-in build.
"$builder" build --dir "$work/reference_builtin"
builtin_files=("$work"/reference_builtin/*)
build_run() {
    mkdir "$work/build_$1"
    timed "$builder" build --dir "$work/build_$1"
    if [ "$1" = 0 ] && ! same_files "$work/reference_builtin" "$work/build_$1"; then
        echo "floor.sh: the built-in build does not repeat its files" >&2
        exit 1
    fi
    rm -rf "$work/build_$1"
}
floor_run() {
    mkdir "$work/floor_$1"
    timed cp "${builtin_files[@]}" "$work/floor_$1/"
    rm -rf "$work/floor_$1"
}
compare builtin
report "built-in build" "$work/builtin.build" "$work/builtin.floor"

# The generated scenario at each length.
for length in $lengths; do
    sources="$work/sources_$length"
    mkdir "$sources"
    "$generator" "$sources" "$length"
    reference="$work/reference_$length"
    cp -r "$sources" "$reference"
    "$builder" compile --dir "$reference" --route Lunga --train 9000
    compiled_files=("$reference/Lunga_linea.dat" "$reference/Lunga_9000.sim" "$reference/Lunga_9000.dat")
    build_run() {
        cp -r "$sources" "$work/compile_$1"
        timed "$builder" compile --dir "$work/compile_$1" --route Lunga --train 9000
        rm -rf "$work/compile_$1"
    }
    floor_run() {
        mkdir "$work/floor_$1"
        timed cp "${compiled_files[@]}" "$work/floor_$1/"
        rm -rf "$work/floor_$1"
    }
    compare "compile_$length"
    report "compile, $length m line" "$work/compile_$length.build" "$work/compile_$length.floor"
done

echo "load after: $(uptime | sed 's/.*load average/load average/')"
for length in $lengths; do
    if [ -x /usr/bin/time ]; then
        cp -r "$work/sources_$length" "$work/memory_$length"
        peak_kb=$(/usr/bin/time -f %M "$builder" compile --dir "$work/memory_$length" \
            --route Lunga --train 9000 2>&1 >/dev/null | tail -1)
        echo "peak memory of the compile, $length m line: $(awk -v kb="$peak_kb" 'BEGIN { printf "%.1f", kb / 1024 }') MB (max RSS)"
    else
        echo "peak memory not measured: /usr/bin/time is missing (Debian package time)"
    fi
done
