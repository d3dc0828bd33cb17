#!/usr/bin/env bash
# Whole builds against their floor, the cost of writing the same output bytes, for the
# program that `make run` builds (build/) and the optimised one (build-release/).
#
#   bench/floor.sh [RUNS]        RUNS timed runs of each (31 by default)
#
# For each program, each timed as whole processes, program start included:
#   built-in    `scenario-builder build --dir DIR` into an empty folder, against `cp` of the
#               six files that the build leaves behind (the three compiled files and the three
#               crew documents; the two sources it writes are deleted by the build itself)
#               into an empty folder;
#   generated   `scenario-builder compile` of the generated scenario with a line of LENGTH
#               metres (the folder holds its two sources), against `cp` of the three compiled
#               files that the compile writes into an empty folder;
#   --version   `scenario-builder --version` against `cp --version`, the start of a program
#               and nothing else;
#   plot        `scenario-builder plot` of the generated scenario into a PNG (no floor).
# The runs of a build and of its floor alternate, so that a change of load on the machine
# falls on both. Every folder is made before the clock starts and removed after it stops.
# It prints the median of each and their ratio, the peak memory (max RSS) of the compile,
# and the machine's load (/proc/loadavg) before and after each program's runs.
#
# Every run's output is checked, outside the clock: the built-in build against the expected
# files in tests/data, the generated scenario against the first program's compile. A
# difference stops the script with a message and exit status 1.
#
# Environment: BUILDERS (the programs, "build/scenario-builder build-release/scenario-builder"
# by default), GENERATOR (build-release/generate_long_scenario by default), LENGTHS (line
# lengths of the generated scenario, "1000000" by default; several give the growth).
set -euo pipefail
export LC_ALL=C
# The builds are headless: a display would only add the window.
unset DISPLAY

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
builders=${BUILDERS:-"$root/build/scenario-builder $root/build-release/scenario-builder"}
generator=${GENERATOR:-$root/build-release/generate_long_scenario}
expected=$root/tests/data
runs=${1:-31}
lengths=${LENGTHS:-1000000}
builtin_names=(Valdora_Rova_linea.dat Valdora_Rova_5284.sim Valdora_Rova_5284.dat
    Valdora_Rova_5284_scheda_treno.txt Valdora_Rova_5284_rallentamenti.txt
    Valdora_Rova_5284_note.txt)

fail() {
    echo >&2
    echo "floor.sh: FAILED: $*" >&2
    exit 1
}

for program in $builders "$generator"; do
    [ -x "$program" ] || { echo "floor.sh: $program is missing; run make bench" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/scenario-floor-XXXXXX")
trap 'rm -rf "$work"' EXIT

# Runs the command; its wall-clock time in microseconds lands in elapsed_us. The clock is the
# shell's own, so no process is started to read it. A command that fails stops the script.
elapsed_us=0
timed() {
    local start=$EPOCHREALTIME
    "$@" || fail "$* ended with status $?"
    local end=$EPOCHREALTIME
    elapsed_us=$((${end/./} - ${start/./}))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

milliseconds() {
    awk -v us="$1" 'BEGIN { printf "%.2f ms", us / 1000 }'
}

load() {
    echo "load ($1): $(cut -d' ' -f1-3 /proc/loadavg) (/proc/loadavg: 1, 5, 15 minutes)"
}

# One row: the medians of a build's runs and of its floor's, and their ratio.
report() {
    local name=$1 build_times=$2 floor_times=$3
    local build floor
    build=$(median <"$build_times")
    floor=$(median <"$floor_times")
    printf '%-30s %5d %14s %14s %8s\n' "$name" "$runs" "$(milliseconds "$build")" \
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
            build_run "$i"
            echo "$elapsed_us" >>"$work/$name.build"
            floor_run "$i"
            echo "$elapsed_us" >>"$work/$name.floor"
        else
            floor_run "$i"
            echo "$elapsed_us" >>"$work/$name.floor"
            build_run "$i"
            echo "$elapsed_us" >>"$work/$name.build"
        fi
    done
}

# Fails unless the folder holds exactly the named files, each equal to its reference.
check_files() {
    local what=$1 reference=$2 actual=$3
    shift 3
    local names=("$@") name
    [ "$(ls "$actual" | sort)" = "$(printf '%s\n' "${names[@]}" | sort)" ] ||
        fail "$what left other files than expected in $actual: $(ls "$actual" | tr '\n' ' ')"
    for name in "${names[@]}"; do
        cmp "$reference/$name" "$actual/$name" >&2 ||
            fail "$what wrote $name unlike its reference $reference/$name"
    done
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(uname -sr), $(df --output=fstype "$work" | tail -1) file system"
echo "commit: $(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)$(git -C "$root" diff --quiet HEAD 2>/dev/null || echo ' (with changes not committed)')"

# The floors copy the same bytes that the builds write, from a folder on the same file system.
mkdir "$work/reference_builtin"
for name in "${builtin_names[@]}"; do
    cp "$expected/$name" "$work/reference_builtin/"
done
builtin_files=("$work"/reference_builtin/*)

# The generated scenario at each length, and its compiled files from the first program.
first_builder=${builders%% *}
for length in $lengths; do
    mkdir "$work/sources_$length"
    "$generator" "$work/sources_$length" "$length"
    cp -r "$work/sources_$length" "$work/reference_$length"
    "$first_builder" compile --dir "$work/reference_$length" --route Lunga --train 9000 ||
        fail "$first_builder could not compile the generated scenario of $length m"
done
compiled_names=(Lunga_linea.dat Lunga_9000.sim Lunga_9000.dat)

for builder in $builders; do
    echo
    echo "program: $builder"
    load "before"
    printf '%-30s %5s %14s %14s %8s\n' scenario runs "build median" "floor median" ratio

    build_run() {
        mkdir "$work/build_$1"
        timed "$builder" build --dir "$work/build_$1"
        check_files "$builder build" "$expected" "$work/build_$1" "${builtin_names[@]}"
        rm -rf "$work/build_$1"
    }
    floor_run() {
        mkdir "$work/floor_$1"
        timed cp "${builtin_files[@]}" "$work/floor_$1/"
        rm -rf "$work/floor_$1"
    }
    compare builtin
    report "built-in build" "$work/builtin.build" "$work/builtin.floor"

    for length in $lengths; do
        reference="$work/reference_$length"
        compiled_files=("$reference/Lunga_linea.dat" "$reference/Lunga_9000.sim" "$reference/Lunga_9000.dat")
        build_run() {
            cp -r "$work/sources_$length" "$work/compile_$1"
            timed "$builder" compile --dir "$work/compile_$1" --route Lunga --train 9000
            # The compile leaves its sources, which are inputs, beside what it wrote.
            rm "$work/compile_$1"/*.txt
            check_files "$builder compile of the $length m scenario" "$reference" \
                "$work/compile_$1" "${compiled_names[@]}"
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

    build_run() { timed "$builder" --version >/dev/null; }
    floor_run() { timed cp --version >/dev/null; }
    compare version
    report "--version (floor: cp --version)" "$work/version.build" "$work/version.floor"
    printf '%-30s %5s %14s\n' "  difference" "" "$(milliseconds $(($(median <"$work/version.build") - $(median <"$work/version.floor"))))"

    for length in $lengths; do
        : >"$work/plot_$length.build"
        for ((i = 0; i < runs; i++)); do
            timed "$builder" plot --dir "$work/reference_$length" --route Lunga --train 9000 \
                --out "$work/plot_$i.png" >/dev/null
            [ -s "$work/plot_$i.png" ] || fail "$builder plot wrote no picture"
            rm "$work/plot_$i.png"
            echo "$elapsed_us" >>"$work/plot_$length.build"
        done
        printf '%-30s %5d %14s\n' "plot, $length m line" "$runs" \
            "$(milliseconds "$(median <"$work/plot_$length.build")")"
    done

    for length in $lengths; do
        if [ -x /usr/bin/time ]; then
            cp -r "$work/sources_$length" "$work/memory_$length"
            peak_kb=$(/usr/bin/time -f %M "$builder" compile --dir "$work/memory_$length" \
                --route Lunga --train 9000 2>&1 >/dev/null | tail -1)
            rm -rf "$work/memory_$length"
            echo "peak memory of the compile, $length m line: $(awk -v kb="$peak_kb" 'BEGIN { printf "%.1f", kb / 1024 }') MB (max RSS)"
        else
            echo "peak memory not measured: /usr/bin/time is missing (Debian package time)"
        fi
    done
    load "after"
done
