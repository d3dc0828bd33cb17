#!/usr/bin/env bash
# Runs neovim_session.lua in headless Neovim against the program given, in a fresh folder
# that also takes Neovim's own state and logs, and removes the folder afterwards.
# usage: run_neovim_session.sh PROGRAM
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d "${TMPDIR:-/tmp}/scenario-neovim-XXXXXX")"
trap 'rm -rf "$work"' EXIT
export SCENARIO_BUILDER="$1" SCENARIO_WORK="$work"
export XDG_CACHE_HOME="$work/cache" XDG_STATE_HOME="$work/state" XDG_DATA_HOME="$work/data"
timeout 120 nvim --headless -u NONE -i NONE -c "luafile $here/neovim_session.lua" 2>&1 |
    tr '\r' '\n'
exit "${PIPESTATUS[0]}"
