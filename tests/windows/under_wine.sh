#!/usr/bin/env bash
# Runs the Windows program under Wine and checks it against the Linux build: the same files,
# byte for byte, the same diagnostics and the same printed output, and the two windows on a
# private X server (Xvfb, on a display number it picks for itself). Wine's windows are X
# windows there, found by title and size, captured and pressed like any other.
#
#   under_wine.sh prefix    create the Wine prefix of the build tree, once
#   under_wine.sh builtin   the no-argument run in a folder of its own: window, six files
#   under_wine.sh replace   a build over an earlier one's files, a left partial, a read-only file
#   under_wine.sh error_box a forced error 1250: the box, OK pressed, exit status 2
#   under_wine.sh sources   the two built-in source files, also into a folder named outside ASCII
#   under_wine.sh compile   a broken source: the Linux build's diagnostics and files
#   under_wine.sh inspect   the views of the compiled files, byte for byte
#   under_wine.sh plot      says that this build cannot draw
#   under_wine.sh shared    runs at once into one folder: each ends well, every file whole
#   under_wine.sh kept      an edited source refused, a compile with a missing source refused
#   under_wine.sh view      the page of `view`, the Linux build's byte for byte
#   under_wine.sh lsp       the language server: initialize answered, a diagnostic published
#   under_wine.sh documents the driver's documents of a scenario, the Linux build's byte for
#                           byte; an edited one refused without --force
#
# Settings come from the environment (tests/windows/CMakeLists.txt sets them):
# SCENARIO_WINDOWS_EXE, SCENARIO_LINUX_EXE, SCENARIO_TEST_DATA, SCENARIO_RUNS (records of each
# run), SCENARIO_SCREENSHOTS, WINEPREFIX. Each check prints one line; the script exits
# non-zero when a check fails or the machinery does (no Wine, no Xvfb, a window that never
# appears). Every wait is bounded.
set -euo pipefail

mode=$1
exe=$SCENARIO_WINDOWS_EXE
linux_exe=$SCENARIO_LINUX_EXE
data=$SCENARIO_TEST_DATA
out=$SCENARIO_RUNS/$mode
title='^Scenario builder$'
export LC_ALL=C
export WINEDEBUG=-all
# No prompt to install the .NET and HTML engines into the prefix: the program uses neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

six_files=(Valdora_Rova_5284.dat Valdora_Rova_5284.sim Valdora_Rova_5284_note.txt
    Valdora_Rova_5284_rallentamenti.txt Valdora_Rova_5284_scheda_treno.txt
    Valdora_Rova_linea.dat)

xvfb_pid=""
program_pid=""
cleanup() {
    if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
    # Wine's own processes end with the program; the server lingers a moment after them.
    if [ -n "${wineserver:-}" ]; then timeout 20 "$wineserver" -w 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
}
trap cleanup EXIT

fail() {
    echo "under_wine.sh $mode: $*" >&2
    exit 1
}

passed=0
failed=0
# check DESCRIPTION COMMAND...: runs the command and records whether it held.
check() {
    local description=$1
    shift
    if "$@"; then
        echo "ok   $description"
        passed=$((passed + 1))
    else
        echo "FAIL $description"
        failed=$((failed + 1))
    fi
}
# expect_text DESCRIPTION ACTUAL EXPECTED
expect_text() {
    if [ "$2" == "$3" ]; then
        check "$1" true
    else
        check "$1: got '$2', expected '$3'" false
    fi
}
finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

# wine64 is part of what `make test` installs: a machine without it fails here, loudly.
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
[ -x "$wine64" ] || fail "wine64 is not installed (Debian package wine64; make test installs it)"
[ -x "$wineserver" ] || fail "wineserver is not installed (Debian package wine64)"
[ -f "$exe" ] || fail "no Windows program at $exe: build it with make windows"
# Never the user's own prefix in the home folder.
[ -n "${WINEPREFIX:-}" ] || fail "WINEPREFIX is not set: the tests use a prefix of the build tree"
export WINELOADER=$wine64

run_wine() {
    "$wine64" "$@"
}

# Starts Xvfb and points DISPLAY at it; without this, the program runs with no display.
start_xvfb() {
    command -v Xvfb >/dev/null || fail "Xvfb is not installed (Debian package xvfb)"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
        3>"$out/display_number" >"$out/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$out/display_number" ] && break
        sleep 0.1
    done
    [ -s "$out/display_number" ] || fail "Xvfb did not start: $(cat "$out/xvfb.log")"
    export DISPLAY=":$(cat "$out/display_number")"
}

# Waits (at most 60 s) for the program started in the background to end; its exit status
# goes to $out/exit_status.
wait_for_program() {
    for _ in $(seq 600); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$program_pid" 2>/dev/null && fail "the program did not end"
    local status=0
    wait "$program_pid" || status=$?
    program_pid=""
    echo "$status" >"$out/exit_status"
}

# Runs the program to its end: exit status, standard output and error in $out/NAME.*.
run_to_end() {
    local name=$1
    shift
    local status=0
    run_wine "$exe" "$@" >"$out/$name.stdout" 2>"$out/$name.stderr" </dev/null || status=$?
    echo "$status" >"$out/$name.status"
}

keep_screenshot() {
    mkdir -p "$SCENARIO_SCREENSHOTS"
    cp "$1" "$SCENARIO_SCREENSHOTS/$2"
}

expect_six_files_of_linux_build() {
    local folder=$1
    for name in "${six_files[@]}"; do
        check "$name is byte for byte the Linux build's" cmp "$folder/$name" "$data/$name"
    done
}

create_prefix() {
    # The first start of Wine builds its prefix, which takes a while; the build tree keeps it.
    if [ -f "$WINEPREFIX/system.reg" ]; then
        echo "Wine prefix $WINEPREFIX already made"
        return
    fi
    mkdir -p "$WINEPREFIX"
    timeout 300 "$wine64" wineboot --init >"$out/wineboot.log" 2>&1 ||
        fail "wineboot failed: $(cat "$out/wineboot.log")"
    timeout 60 "$wineserver" -w
    [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot made no prefix in $WINEPREFIX"
    echo "Wine prefix $WINEPREFIX made"
}

builtin_run() {
    start_xvfb
    # A folder of its own, and started from elsewhere: the files land beside the program.
    mkdir -p "$out/program"
    cp "$exe" "$out/program/scenario-builder.exe"
    SCENARIO_TEST_HOLD_WINDOW_MS=4000 SCENARIO_TEST_DESCRIBE_WINDOWS=1 \
        run_wine "$out/program/scenario-builder.exe" >"$out/stdout.txt" 2>"$out/stderr.txt" \
        </dev/null &
    program_pid=$!
    local window
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "$title" | head -n 1) ||
        fail "no window titled 'Scenario builder' appeared"
    local running=no
    kill -0 "$program_pid" 2>/dev/null && running=yes
    local shown_title geometry
    shown_title=$(timeout 10 xdotool getwindowname "$window")
    geometry=$(timeout 10 xwininfo -id "$window")
    timeout 10 import -window "$window" "$out/window.png"
    wait_for_program

    expect_text "the window was on screen while the build ran" "$running" yes
    expect_text "the window's title" "$shown_title" "Scenario builder"
    expect_text "the window's client area is 280 wide" \
        "$(sed -n 's/^ *Width: //p' <<<"$geometry")" 280
    expect_text "the window's client area is 179 high" \
        "$(sed -n 's/^ *Height: //p' <<<"$geometry")" 179
    expect_text "the window holds one bold label and nothing else" "$(cat "$out/stderr.txt")" \
        'window title="Scenario builder" client=280x179 modal=no
widget kind=box label="Attendere" x=64 y=64 w=177 h=53 font="MS Sans Serif" weight=700 size=32'
    local width height colours
    read -r width height colours < <(identify -format '%w %h %k\n' "$out/window.png")
    expect_text "the screenshot is the client area" "$width x $height" "280 x 179"
    check "the screenshot is not one flat colour ($colours colours)" test "$colours" -gt 1
    keep_screenshot "$out/window.png" windows-window.png

    expect_text "the build ends with exit status 0" "$(cat "$out/exit_status")" 0
    expect_text "the build prints nothing" "$(cat "$out/stdout.txt")" ""
    expect_text "the folder holds the program and the six files, nothing else" \
        "$(cd "$out/program" && ls -A | tr '\n' ' ')" \
        "$(printf '%s\n' "${six_files[@]}" scenario-builder.exe | sort | tr '\n' ' ')"
    expect_six_files_of_linux_build "$out/program"
}

replace_run() {
    # Files of the same names from an earlier run, longer than the new ones, and a partial
    # file that a killed run left behind: with --force every file is replaced whole (without
    # it the build refuses to overwrite documents that hold other content), the partial removed.
    mkdir -p "$out/scenario"
    for name in "${six_files[@]}"; do
        head -c 2000000 /dev/zero | tr '\0' 'x' >"$out/scenario/$name"
    done
    echo "left by a killed run" >"$out/scenario/.Valdora_Rova_5284.sim.partial-a1B2c3"
    run_to_end build build --dir "$out/scenario" --force
    expect_text "the build ends with exit status 0" "$(cat "$out/build.status")" 0
    expect_text "the build prints nothing" "$(cat "$out/build.stdout" "$out/build.stderr")" ""
    expect_text "the folder holds the six files, nothing else" \
        "$(cd "$out/scenario" && ls -A | tr '\n' ' ')" "$(printf '%s ' "${six_files[@]}")"
    expect_six_files_of_linux_build "$out/scenario"

    # A read-only file is refused before anything is written over it, as Windows refuses to
    # rename over it: the build stops, the file keeps its bytes, no partial file stays.
    chmod a-w "$out/scenario/Valdora_Rova_5284_note.txt"
    run_to_end read_only build --dir "$out/scenario"
    expect_text "a read-only file stops the build with exit status 2" \
        "$(cat "$out/read_only.status")" 2
    check "the message names the read-only file" grep -q \
        "^scenario-builder: cannot write .*scenario.Valdora_Rova_5284_note.txt: " \
        "$out/read_only.stderr"
    check "the read-only file keeps its bytes" \
        cmp "$out/scenario/Valdora_Rova_5284_note.txt" "$data/Valdora_Rova_5284_note.txt"
    check "no partial file stays" test -z "$(cd "$out/scenario" && ls -A | grep partial)"
}

error_box_run() {
    start_xvfb
    mkdir -p "$out/scenario"
    SCENARIO_TEST_FORCE_ERROR=1250 SCENARIO_TEST_DESCRIBE_WINDOWS=1 \
        run_wine "$exe" build --dir "$out/scenario" >"$out/stdout.txt" 2>"$out/stderr.txt" \
        </dev/null &
    program_pid=$!
    for _ in $(seq 600); do
        grep -q 'modal=yes$' "$out/stderr.txt" && break
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    grep -q 'modal=yes$' "$out/stderr.txt" || fail "the error box was never described"
    # The box is the window with the application's title and the described size.
    local box_size box=""
    box_size=$(sed -n 's/^window title="Scenario builder" client=\([0-9]*\)x\([0-9]*\) modal=yes$/\1 \2/p' \
        "$out/stderr.txt")
    read -r box_width box_height <<<"$box_size"
    for _ in $(seq 100); do
        for candidate in $(timeout 10 xdotool search --onlyvisible --name "$title" || true); do
            local geometry
            geometry=$(timeout 10 xwininfo -id "$candidate")
            if grep -q "Width: $box_width\$" <<<"$geometry" &&
                grep -q "Height: $box_height\$" <<<"$geometry"; then
                box=$candidate
            fi
        done
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no window titled 'Scenario builder' of ${box_width}x$box_height"
    local shown_title
    shown_title=$(timeout 10 xdotool getwindowname "$box")
    timeout 10 import -window "$box" "$out/error_box.png"
    # The box holds the program: it is still running until OK is pressed.
    sleep 0.5
    local running=no
    kill -0 "$program_pid" 2>/dev/null && running=yes
    local button
    button=$(sed -n 's/^widget kind=button label="OK" x=\([0-9]*\) y=\([0-9]*\) w=\([0-9]*\) h=\([0-9]*\) .*/\1 \2 \3 \4/p' \
        "$out/stderr.txt")
    [ -n "$button" ] || fail "no OK button described"
    read -r x y w h <<<"$button"
    timeout 10 xdotool mousemove --window "$box" $((x + w / 2)) $((y + h / 2)) click 1
    wait_for_program

    expect_text "the box bears the application's title" "$shown_title" "Scenario builder"
    expect_text "the box holds the text and one OK button, no icon" \
        "$(sed -n '/modal=yes$/,$p' "$out/stderr.txt" | sed 's/ x=.*//')" \
        'window title="Scenario builder" client='"${box_width}x$box_height"' modal=yes
widget kind=button label="OK"
widget kind=box label=" Errore n. 1250"'
    keep_screenshot "$out/error_box.png" windows-error-box.png
    expect_text "the box held the program until OK" "$running" yes
    expect_text "OK ends the program with exit status 2" "$(cat "$out/exit_status")" 2
    expect_text "nothing was written after the call" "$(cd "$out/scenario" && ls -A)" \
        Valdora_Rova_linea.txt
}

sources_run() {
    run_to_end sources sources --dir "$out/scenario"
    expect_text "sources ends with exit status 0" "$(cat "$out/sources.status")" 0
    for name in Valdora_Rova_linea.txt Valdora_Rova_5284-.txt; do
        check "$name is byte for byte the Linux build's" cmp "$out/scenario/$name" "$data/$name"
    done
    # A folder name outside ASCII: Wine hands it to the program in the ANSI code page (code
    # page 1252 here: "à" and "€" are the bytes E0 and 80), and the folder and the files that
    # the program makes must reach the disk under that same name.
    local folder="città€"
    (cd "$out" && LC_ALL=C.UTF-8 run_to_end ansi sources --dir "$folder")
    expect_text "sources into $folder ends with exit status 0" "$(cat "$out/ansi.status")" 0
    check "the files are in the folder $folder" \
        cmp "$out/$folder/Valdora_Rova_5284-.txt" "$data/Valdora_Rova_5284-.txt"
}

# A copy of the built-in sources with a fault in each file: a gradient outside its byte in
# the line file (a warning), a second signal on one cell in the train file (error 16).
break_sources() {
    cp "$data/Valdora_Rova_linea.txt" "$data/Valdora_Rova_5284-.txt" "$1"
    sed -i 's/^pendenza  , 300    , 4/pendenza  , 300    , 160/' "$1/Valdora_Rova_linea.txt"
    sed -i 's/^segnale,   2100,/segnale,   1000,/' "$1/Valdora_Rova_5284-.txt"
}

compile_run() {
    [ -x "$linux_exe" ] || fail "no Linux program at $linux_exe to compare with: build it first (make build)"
    mkdir -p "$out/linux/broken" "$out/windows/broken"
    break_sources "$out/linux/broken"
    break_sources "$out/windows/broken"
    # Both started beside the folder and given its relative name: the paths in the messages
    # differ only in their separator.
    local linux_status=0
    (cd "$out/linux" &&
        "$linux_exe" compile --dir broken --route Valdora_Rova --train 5284 \
            >stdout.txt 2>stderr.txt) || linux_status=$?
    local windows_status=0
    (cd "$out/windows" &&
        run_wine "$exe" compile --dir broken --route Valdora_Rova --train 5284 \
            >stdout.txt 2>stderr.txt </dev/null) || windows_status=$?
    check "the Linux build warns about the line file" \
        grep -q "^broken/Valdora_Rova_linea.txt:15: warning: " "$out/linux/stderr.txt"
    check "the Linux build reports the train file's error" \
        grep -q "^broken/Valdora_Rova_5284-.txt:64: error 16 at 1000 m" "$out/linux/stderr.txt"
    sed 's|broken\\|broken/|g' "$out/windows/stderr.txt" >"$out/windows/stderr_slashes.txt"
    check "the diagnostics are the Linux build's, paths aside" \
        diff "$out/linux/stderr.txt" "$out/windows/stderr_slashes.txt"
    expect_text "the exit status is the Linux build's" "$windows_status" "$linux_status"
    expect_text "compile prints nothing on standard output" "$(cat "$out/windows/stdout.txt")" ""
    for name in Valdora_Rova_5284.dat Valdora_Rova_5284.sim Valdora_Rova_linea.dat; do
        check "the compiled $name is the Linux build's" \
            cmp "$out/windows/broken/$name" "$out/linux/broken/$name"
    done
    check "the sources are left as they were" \
        cmp "$out/windows/broken/Valdora_Rova_5284-.txt" "$out/linux/broken/Valdora_Rova_5284-.txt"
}

# The page of `view`, of the built-in sources and of broken ones: the Linux build's page, byte for
# byte. The page names the sources by their file names alone, so the separator of the paths
# does not reach it.
view_run() {
    [ -x "$linux_exe" ] || fail "no Linux program at $linux_exe to compare with: build it first (make build)"
    mkdir -p "$out/linux/builtin" "$out/windows/builtin" "$out/linux/broken" "$out/windows/broken"
    for side in linux windows; do
        cp "$data/Valdora_Rova_linea.txt" "$data/Valdora_Rova_5284-.txt" "$out/$side/builtin"
        break_sources "$out/$side/broken"
    done
    for name in builtin broken; do
        local linux_status=0
        (cd "$out/linux" &&
            "$linux_exe" view --dir "$name" --route Valdora_Rova --train 5284 --out "$name.html" \
                >"$name.stdout" 2>"$name.stderr") || linux_status=$?
        local windows_status=0
        (cd "$out/windows" &&
            run_wine "$exe" view --dir "$name" --route Valdora_Rova --train 5284 --out "$name.html" \
                >"$name.stdout" 2>"$name.stderr" </dev/null) || windows_status=$?
        expect_text "view of the $name sources: the exit status is the Linux build's" \
            "$windows_status" "$linux_status"
        check "view of the $name sources: the page is the Linux build's, byte for byte" \
            cmp "$out/windows/$name.html" "$out/linux/$name.html"
        expect_text "view of the $name sources writes no compiled file" \
            "$(cd "$out/windows/$name" && ls -A | tr '\n' ' ')" \
            "Valdora_Rova_5284-.txt Valdora_Rova_linea.txt "
    done
    expect_text "the built-in sources compile without error" "$(cat "$out/linux/builtin.stderr")" ""
}

# The built-in sources with Empoli's time too early for any train, so that the documents show
# a margin below zero and the compile warns.
tighten_timetable() {
    cp "$data/Valdora_Rova_linea.txt" "$data/Valdora_Rova_5284-.txt" "$1"
    sed -i 's/ 13,57, 0, EMPOLI/ 13,40, 0, EMPOLI/' "$1/Valdora_Rova_5284-.txt"
}

documents_run() {
    [ -x "$linux_exe" ] || fail "no Linux program at $linux_exe to compare with: build it first (make build)"
    local documents=(Valdora_Rova_5284_scheda_treno.txt Valdora_Rova_5284_rallentamenti.txt
        Valdora_Rova_5284_note.txt)
    for side in linux windows; do
        mkdir -p "$out/$side/builtin" "$out/$side/tight"
        cp "$data/Valdora_Rova_linea.txt" "$data/Valdora_Rova_5284-.txt" "$out/$side/builtin"
        tighten_timetable "$out/$side/tight"
    done
    local options=(--route Valdora_Rova --train 5284 --class DIRETTO --mass 250 --rank A)
    for name in builtin tight; do
        local linux_status=0
        (cd "$out/linux" && "$linux_exe" documents --dir "$name" "${options[@]}" \
            >"$name.stdout" 2>"$name.stderr") || linux_status=$?
        local windows_status=0
        (cd "$out/windows" && run_wine "$exe" documents --dir "$name" "${options[@]}" \
            >"$name.stdout" 2>"$name.stderr" </dev/null) || windows_status=$?
        expect_text "documents of the $name sources: the exit status is the Linux build's" \
            "$windows_status" "$linux_status"
        for document in "${documents[@]}"; do
            check "documents of the $name sources: $document is the Linux build's, byte for byte" \
                cmp "$out/windows/$name/$document" "$out/linux/$name/$document"
        done
        # The paths in the messages differ only in their separator.
        expect_text "documents of the $name sources: the diagnostics are the Linux build's" \
            "$(tr '\\' / <"$out/windows/$name.stderr" | tr -d '\r')" "$(cat "$out/linux/$name.stderr")"
    done
    check "the tight timetable is told" grep -q 'time-cannot-be-kept' "$out/linux/tight.stderr"
    # An edited train sheet is refused: exit status 2 and nothing written.
    local sheet="$out/windows/builtin/Valdora_Rova_5284_scheda_treno.txt"
    printf 'le mie note\r\n' >>"$sheet"
    cp "$sheet" "$out/edited_sheet.txt"
    rm "$out/windows/builtin/Valdora_Rova_5284_rallentamenti.txt"
    local refused_status=0
    (cd "$out/windows" && run_wine "$exe" documents --dir builtin "${options[@]}" \
        >refused.stdout 2>refused.stderr </dev/null) || refused_status=$?
    expect_text "an edited train sheet is refused with exit status 2" "$refused_status" 2
    check "the edited train sheet is kept" cmp "$sheet" "$out/edited_sheet.txt"
    check "nothing else is written" test ! -e "$out/windows/builtin/Valdora_Rova_5284_rallentamenti.txt"
    local forced_status=0
    (cd "$out/windows" && run_wine "$exe" documents --dir builtin "${options[@]}" --force \
        >forced.stdout 2>forced.stderr </dev/null) || forced_status=$?
    expect_text "--force overwrites it" "$forced_status" 0
    check "the forced train sheet is the Linux build's" \
        cmp "$sheet" "$out/linux/builtin/Valdora_Rova_5284_scheda_treno.txt"
}

# One framed message of the language server's protocol (the bodies here are ASCII).
framed() {
    printf 'Content-Length: %d\r\n\r\n%s' "${#1}" "$1"
}

lsp_run() {
    mkdir -p "$out/scenario"
    cp "$data/Valdora_Rova_linea.txt" "$data/Valdora_Rova_5284-.txt" "$out/scenario"
    # The folder as the program sees it under Wine (Z: is the root), as an editor's URI.
    local folder
    folder=$(cd "$out/scenario" && pwd)
    local uri="file:///Z:$folder/Valdora_Rova_5284-.txt"
    {
        framed '{"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}}'
        framed '{"jsonrpc":"2.0","method":"initialized","params":{}}'
        framed '{"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"'"$uri"'","languageId":"scenario","version":1,"text":"[generale]\r\nstazoine, 1000\r\n[fine]\r\n"}}}'
        framed '{"jsonrpc":"2.0","id":2,"method":"shutdown"}'
        framed '{"jsonrpc":"2.0","method":"exit"}'
    } >"$out/input.txt"
    local status=0
    timeout 60 "$wine64" "$exe" lsp <"$out/input.txt" >"$out/output.txt" 2>"$out/stderr.txt" ||
        status=$?
    expect_text "the server ends with exit status 0 after shutdown and exit" "$status" 0
    check "initialize is answered with the server's name" \
        grep -q '"serverInfo":{"name":"scenario-builder"' "$out/output.txt"
    check "the misspelt keyword is published as a diagnostic of the open file" \
        grep -q '"code":"unread-key".*"uri":"'"$uri"'"' "$out/output.txt"
    check "at its line" grep -q '"range":{"end":{"character":8,"line":1},"start":{"character":0,"line":1}}' \
        "$out/output.txt"
}

inspect_run() {
    [ -x "$linux_exe" ] || fail "no Linux program at $linux_exe to compare with: build it first (make build)"
    mkdir -p "$out/files"
    cp "$data/Valdora_Rova_5284.sim" "$data/Valdora_Rova_5284.dat" "$data/Valdora_Rova_linea.dat" \
        "$out/files"
    local views=(
        "Valdora_Rova_5284.sim"
        "Valdora_Rova_5284.sim --summary"
        "Valdora_Rova_5284.sim --summary --json"
        "Valdora_Rova_5284.dat --cells 700..740"
        "Valdora_Rova_5284.dat --csv --km 12.5..14"
        "Valdora_Rova_5284.dat --summary --km 12.5..14"
        "Valdora_Rova_linea.dat --summary"
    )
    local index=0
    for view in "${views[@]}"; do
        index=$((index + 1))
        # shellcheck disable=SC2086 # the view is the file and its options, split on blanks
        (cd "$out/files" && "$linux_exe" inspect $view >"../linux_$index.txt")
        # shellcheck disable=SC2086
        (cd "$out/files" && run_wine "$exe" inspect $view >"../windows_$index.txt" </dev/null)
        check "inspect $view prints the Linux build's bytes" \
            cmp "$out/windows_$index.txt" "$out/linux_$index.txt"
    done
    # The scenario against itself, found from a file and from its folder: the same, silently.
    (cd "$out/files" && run_to_end diff diff Valdora_Rova_5284.sim .)
    expect_text "diff of a scenario with itself ends with exit status 0" \
        "$(cat "$out/diff.status")" 0
    expect_text "diff of a scenario with itself prints nothing" \
        "$(cat "$out/diff.stdout" "$out/diff.stderr")" ""
}

plot_run() {
    run_to_end plot plot --dir . --route Valdora_Rova --train 5284
    expect_text "plot ends with exit status 69" "$(cat "$out/plot.status")" 69
    expect_text "plot says that this build cannot draw" "$(cat "$out/plot.stderr")" \
        "scenario-builder plot: not available in this build: it has no drawing library; run plot with the Linux build, on the same compiled files"
    expect_text "plot draws nothing" "$(cat "$out/plot.stdout")" ""
    run_to_end help --help
    check "--help says that plot is not available" \
        grep -q "not available in this build" "$out/help.stdout"
}

shared_run() {
    [ -x "$linux_exe" ] || fail "no Linux program at $linux_exe to compare with: build it first (make build)"
    # An author's sources under a name of their own, which no other command writes or
    # deletes, compiled by the Linux build alone for the bytes to compare with.
    mkdir -p "$out/shared" "$out/alone"
    for folder in "$out/shared" "$out/alone"; do
        cp "$data/Valdora_Rova_linea.txt" "$folder/Lago_linea.txt"
        cp "$data/Valdora_Rova_5284-.txt" "$folder/Lago_101-.txt"
    done
    "$linux_exe" compile --dir "$out/alone" --route Lago --train 101 ||
        fail "the Linux build could not compile the author's sources"
    # Five rounds of six runs started together; each run that the others make wait takes its
    # turn under the folder's lock and does its work whole.
    local round run
    for round in 1 2 3 4 5; do
        local pids=() names=()
        for run in build build build compile compile sources; do
            local args=("$run" --dir "$out/shared")
            [ "$run" = compile ] && args+=(--route Lago --train 101)
            run_wine "$exe" "${args[@]}" >/dev/null 2>"$out/$round-${#pids[@]}.stderr" </dev/null &
            pids+=($!)
            names+=("$run")
        done
        local index
        for index in "${!pids[@]}"; do
            local status=0 said
            wait "${pids[$index]}" || status=$?
            said=$(cat "$out/$round-$index.stderr")
            expect_text "round $round: ${names[$index]} ends with exit status 0${said:+ ($said)}" \
                "$status" 0
        done
    done
    run_to_end last build --dir "$out/shared"
    expect_text "a last build ends with exit status 0" "$(cat "$out/last.status")" 0
    expect_six_files_of_linux_build "$out/shared"
    for name in Lago_linea.dat Lago_101.sim Lago_101.dat; do
        check "the compiled $name is the Linux build's" cmp "$out/shared/$name" "$out/alone/$name"
    done
    expect_text "the folder holds the scenario's files, no partial file and no lock file" \
        "$(cd "$out/shared" && ls -A | tr '\n' ' ')" \
        "$(printf '%s\n' "${six_files[@]}" Lago_101-.txt Lago_101.dat Lago_101.sim Lago_linea.dat \
            Lago_linea.txt | sort | tr '\n' ' ')"
}

kept_run() {
    # An edited source is the author's: sources refuses it, names it and writes nothing.
    mkdir -p "$out/scenario"
    cp "$data/Valdora_Rova_linea.txt" "$out/scenario/Valdora_Rova_linea.txt"
    printf '; my own change\r\n' >>"$out/scenario/Valdora_Rova_linea.txt"
    cp "$out/scenario/Valdora_Rova_linea.txt" "$out/edited.txt"
    run_to_end sources sources --dir "$out/scenario"
    expect_text "sources over an edited source ends with exit status 2" "$(cat "$out/sources.status")" 2
    expect_text "the message names the edited file" "$(cat "$out/sources.stderr")" \
        "scenario-builder: not overwriting $out/scenario\\Valdora_Rova_linea.txt, which holds other content: nothing was written (--force overwrites it)"
    check "the edited source keeps its bytes" cmp "$out/scenario/Valdora_Rova_linea.txt" "$out/edited.txt"
    expect_text "nothing else was written" "$(cd "$out/scenario" && ls -A)" Valdora_Rova_linea.txt
    run_to_end forced sources --dir "$out/scenario" --force
    expect_text "sources --force ends with exit status 0" "$(cat "$out/forced.status")" 0
    check "--force overwrites the edited source" \
        cmp "$out/scenario/Valdora_Rova_linea.txt" "$data/Valdora_Rova_linea.txt"

    # A mistyped train number: no file compiled without a train.
    run_to_end mistyped compile --dir "$out/scenario" --route Valdora_Rova --train 2210
    expect_text "a compile of a missing train file ends with exit status 2" \
        "$(cat "$out/mistyped.status")" 2
    expect_text "the message names the missing file" "$(cat "$out/mistyped.stderr")" \
        "scenario-builder compile: nothing was written: cannot read $out/scenario\\Valdora_Rova_2210-.txt: File not found"
    expect_text "nothing was compiled" "$(cd "$out/scenario" && ls -A | tr '\n' ' ')" \
        "Valdora_Rova_5284-.txt Valdora_Rova_linea.txt "
}

rm -rf "$out"
mkdir -p "$out"
case "$mode" in
    prefix) create_prefix ;;
    builtin) builtin_run ;;
    replace) replace_run ;;
    error_box) error_box_run ;;
    sources) sources_run ;;
    compile) compile_run ;;
    inspect) inspect_run ;;
    plot) plot_run ;;
    shared) shared_run ;;
    kept) kept_run ;;
    lsp) lsp_run ;;
    view) view_run ;;
    documents) documents_run ;;
    *) fail "unknown mode $mode" ;;
esac
if [ "$mode" != prefix ]; then
    finish
fi
