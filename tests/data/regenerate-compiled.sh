#!/usr/bin/env bash
# Rebuilds the expected compiled files of the built-in scenario from the program itself.
# Run it on purpose only, after a change that is meant to change the compiled bytes (the
# train reader and the grid pass change the grid and item files, for instance), and review
# the difference before committing it: the tests compare the build with these files.
#
# usage: tests/data/regenerate-compiled.sh [PROGRAM]   (default: build/scenario-builder)
set -euo pipefail

data="$(cd "$(dirname "$0")" && pwd)"
program="${1:-$data/../../build/scenario-builder}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

"$program" build --dir "$scratch"
for name in Valdora_Rova_linea.dat Valdora_Rova_5284.sim Valdora_Rova_5284.dat; do
    cp "$scratch/$name" "$data/$name"
    echo "$name: $(wc -c <"$data/$name") bytes"
done
