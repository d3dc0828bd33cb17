#!/usr/bin/env bash
# The page of `view` and `watch --serve` on the generated scenario of a 1,000,000 m line, in
# headless Chromium (a benchmark: it measures and checks nothing against a bound).
#
#   bench/view_page.sh [LENGTH]     LENGTH of the line in metres, 1000000 by default
#
# It prints the page's size, the time from opening the page to its first drawing, the median
# time of a redraw after a zoom step and after a pan step (the page's own performance measures
# "scenario-redraw"), the time from saving a source to the open page of `watch --serve` having
# redrawn with the new compile, and the machine's load before and after. The browser and
# puppeteer-core are those of the browser tests (tests/browser; their run.sh installs them).
#
# Environment: BUILDER (build/scenario-builder by default), GENERATOR
# (build-release/generate_long_scenario by default).
set -euo pipefail
export LC_ALL=C
unset DISPLAY
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
builder=${BUILDER:-$root/build/scenario-builder}
generator=${GENERATOR:-$root/build-release/generate_long_scenario}
length=${1:-1000000}
[ -x "$builder" ] || { echo "view_page.sh: no program at $builder (make build)" >&2; exit 2; }
[ -x "$generator" ] || { echo "view_page.sh: no generator at $generator (make build-release)" >&2; exit 2; }
if [ ! -d "$root/tests/browser/node_modules/puppeteer-core" ]; then
    (cd "$root/tests/browser" && npm ci --no-audit --no-fund --loglevel=error)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$generator" "$work" "$length"
echo "commit $(git -C "$root" rev-parse --short HEAD), line of $length m, $(nproc) cores"
echo "load before: $(cat /proc/loadavg)"
start=$(date +%s.%N)
"$builder" view --dir "$work" --route Lunga --train 9000 --out "$work/page.html"
end=$(date +%s.%N)
echo "view --out: $(echo "($end - $start) * 1000" | bc | cut -d. -f1) ms; page $(stat -c %s "$work/page.html") bytes"
NODE_PATH="$root/tests/browser/node_modules" node "$here/view_page_bench.mjs" "$builder" "$work"
echo "load after: $(cat /proc/loadavg)"
