#!/usr/bin/env bash
# Runs scenario-builder on a private X server (Xvfb, on a display number it picks for
# itself, never the tester's own display) and records what happened for the desktop tests
# to check: the program's standard error (with the windows' descriptions), what the X server
# reports about the windows, screenshots, the folder's files and the exit status.
#
#   under_xvfb.sh window    BUILDER OUT   catch the waiting window while the build runs
#   under_xvfb.sh error_box BUILDER OUT   make errore("1250") show its box, then press OK
#   under_xvfb.sh refused   BUILDER OUT   a server that refuses the connection
#
# The script exits non-zero only when the machinery fails (no Xvfb, a window that never
# appears); every wait is bounded.
set -euo pipefail

mode=$1
builder=$2
out=$3
title='^Scenario builder$'
here=$(cd "$(dirname "$0")" && pwd)
# In the sanitizer build, the font libraries' caches would be reported as leaks at exit.
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

rm -rf "$out"
mkdir -p "$out/scenario"

xvfb_pid=""
builder_pid=""
cleanup() {
    if [ -n "$builder_pid" ]; then kill "$builder_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
}
trap cleanup EXIT

fail() {
    echo "under_xvfb.sh $mode: $*" >&2
    exit 1
}

# Starts Xvfb with the given extra arguments and points DISPLAY at it.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp "$@" \
        3>"$out/display_number" >"$out/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$out/display_number" ] && break
        sleep 0.1
    done
    [ -s "$out/display_number" ] || fail "Xvfb did not start: $(cat "$out/xvfb.log")"
    export DISPLAY=":$(cat "$out/display_number")"
}

start_builder() {
    "$builder" build --dir "$out/scenario" >"$out/stdout.txt" 2>"$out/stderr.txt" &
    builder_pid=$!
}

# Waits (at most 60 s) for the program to end and records its exit status.
wait_for_builder() {
    for _ in $(seq 600); do
        kill -0 "$builder_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$builder_pid" 2>/dev/null && fail "the program did not end"
    local status=0
    wait "$builder_pid" || status=$?
    builder_pid=""
    echo "$status" >"$out/exit_status"
    ls "$out/scenario" >"$out/files.txt"
}

# Waits (at most 30 s) until standard error holds a line matching the pattern.
wait_for_description() {
    for _ in $(seq 300); do
        grep -q "$1" "$out/stderr.txt" && return 0
        kill -0 "$builder_pid" 2>/dev/null || break
        sleep 0.1
    done
    grep -q "$1" "$out/stderr.txt" || fail "no line matching '$1' on standard error"
}

catch_window() {
    start_xvfb
    SCENARIO_TEST_HOLD_WINDOW_MS=5000 SCENARIO_TEST_DESCRIBE_WINDOWS=1 start_builder
    local window
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "$title" | head -n 1) ||
        fail "no window titled 'Scenario builder' appeared"
    kill -0 "$builder_pid" 2>/dev/null && echo yes >"$out/running_while_shown"
    timeout 10 xdotool getwindowname "$window" >"$out/title.txt"
    timeout 10 xwininfo -id "$window" >"$out/xwininfo.txt"
    timeout 10 import -window "$window" "$out/window.png"
    identify -format '%w %h %k\n' "$out/window.png" >"$out/png_info.txt"
    wait_for_builder
}

press_ok() {
    start_xvfb
    SCENARIO_TEST_FORCE_ERROR=1250 SCENARIO_TEST_DESCRIBE_WINDOWS=1 start_builder
    wait_for_description 'modal=yes$'
    local box button
    box=$(sed -n 's/^window xid=\(0x[0-9a-f]*\) .*modal=yes$/\1/p' "$out/stderr.txt")
    # The X server's own view: every visible window with the title, and the box's name.
    timeout 10 xdotool search --onlyvisible --name "$title" >"$out/titled_windows.txt" || true
    printf '%d\n' "$box" >"$out/box_id.txt"
    timeout 10 xdotool getwindowname "$box" >"$out/title.txt"
    timeout 10 xwininfo -id "$box" >"$out/xwininfo.txt"
    timeout 10 import -window "$box" "$out/error_box.png"
    # The box holds the program: it is still running until OK is pressed.
    sleep 0.5
    kill -0 "$builder_pid" 2>/dev/null && echo yes >"$out/running_before_ok"
    button=$(sed -n 's/^widget kind=button label="OK" x=\([0-9]*\) y=\([0-9]*\) w=\([0-9]*\) h=\([0-9]*\) .*/\1 \2 \3 \4/p' \
        "$out/stderr.txt")
    [ -n "$button" ] || fail "no OK button described"
    read -r x y w h <<<"$button"
    timeout 10 xdotool mousemove --window "$box" $((x + w / 2)) $((y + h / 2)) click 1
    wait_for_builder
}

refused() {
    # A server that accepts only clients with its cookie; the program is given none.
    xauth -q -f "$out/cookie" add :0 . 0123456789abcdef0123456789abcdef 2>/dev/null
    start_xvfb -auth "$out/cookie"
    if XAUTHORITY=/dev/null timeout 10 xdpyinfo >/dev/null 2>&1; then
        fail "the server accepted a client without the cookie"
    fi
    XAUTHORITY=/dev/null start_builder
    wait_for_builder
}

case "$mode" in
    window) catch_window ;;
    error_box) press_ok ;;
    refused) refused ;;
    *) fail "unknown mode" ;;
esac
