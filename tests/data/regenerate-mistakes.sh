#!/usr/bin/env bash
# Rebuilds tests/data/mistakes_compiled.txt, the compiled bytes (as digests) and exit status of
# every mistake of tests/compile_mistakes_test.cpp, from a reference program: a build of the
# program from before the compile told authors about those mistakes, whose compiled bytes are
# the ones the telling must not change. Run it on purpose only, with a reference program you
# trust, and review the difference before committing it.
#
# usage: tests/data/regenerate-mistakes.sh REFERENCE_PROGRAM [TEST_PROGRAM]
#        (default TEST_PROGRAM: build/tests/scenario_tests)
set -euo pipefail

data="$(cd "$(dirname "$0")" && pwd)"
reference="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
tests="${2:-$data/../../build/tests/scenario_tests}"

SCENARIO_REFERENCE_PROGRAM="$reference" "$tests" \
    --gtest_filter='Mistakes.CompileToTheBytesOfTheReferenceProgram'
wc -l "$data/mistakes_compiled.txt"
