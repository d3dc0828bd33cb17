#!/usr/bin/env bash
# A fresh install of this build into a DESTDIR with `cmake --install`, checked as a user would
# use it (installed_checks.sh): the built-in build, a picture (its module found from the install
# prefix), the manual page with `man -l`, the docs and the shell completion.
#
#   install_test.sh BUILD_DIR VERSION
source "$(dirname "$0")/test_start.sh"

DESTDIR=$SCRATCH/root cmake --install "$build" --prefix /usr >/dev/null
PREFIX=$SCRATCH/root/usr
source "$here/installed_checks.sh"
echo "installed into a DESTDIR: all checks passed"
