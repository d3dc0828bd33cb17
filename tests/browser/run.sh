#!/usr/bin/env bash
# Runs the browser tests of the page (view_page_test.mjs) with Node's test runner, after
# installing their one package, puppeteer-core at the version of package-lock.json, when it is
# not there yet. The browser is Debian's chromium (the Makefile installs it).
#
#   run.sh BUILDER SCREENSHOTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -d "$here/node_modules/puppeteer-core" ]; then
    (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
fi
export SCENARIO_BUILDER=$1
export SCENARIO_SCREENSHOTS=$2
# No page may open on the tester's own display, and no proxy stands between the browser and
# the program's own server.
unset DISPLAY http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
exec node --test --test-concurrency=1 "$here/view_page_test.mjs"
