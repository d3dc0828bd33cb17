#!/bin/sh
# Draws the built-in scenario into docs/scenario.png: the built-in build into a temporary
# folder, then `plot` on the compiled files it leaves there. Run after `make build` (or give
# the program's path in SCENARIO_BUILDER).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
program=${SCENARIO_BUILDER:-$root/build/scenario-builder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$program" build --dir "$work"
"$program" plot --dir "$work" --route Valdora_Rova --train 5284 --out "$root/docs/scenario.png"
