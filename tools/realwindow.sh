# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash disable=SC2034,SC2154 # `work`, `program` and `folder` come from, and the positions go to, the caller
# Helpers for driving the program in a real X window, sourced by the tests in
# tests/app and by tools/screenshot.sh. The caller sets `work` (a scratch
# folder) and calls cleanup_real_window from its EXIT trap, or calls
# real_window_test, which does both. Processes a test starts besides the
# program go into other_pids, to be killed at the end.

xvfb_pid='' program_pid='' other_pids=()

cleanup_real_window() {
    if [[ -n $program_pid ]]; then kill "$program_pid" 2>/dev/null || true; fi
    for pid in "${other_pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
}

step() { echo "--- $*"; }

fail() {
    echo "FAILED: $*"
    if command -v import >/dev/null && [[ -n ${DISPLAY:-} ]]; then
        import -window root "$work/failure.png" 2>/dev/null && echo "screen: $work/failure.png"
    fi
    echo "--- program output:"
    cat "$work/program.log" 2>/dev/null || true
    exit 1
}

# wait_for SECONDS WHAT COMMAND...: polls COMMAND until it succeeds; fails
# with WHAT in the message on timeout or when the program has ended.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || fail "no $what after ${seconds}s"
        if [[ -n $program_pid ]] && ! kill -0 "$program_pid" 2>/dev/null; then
            fail "the program ended while waiting for $what"
        fi
        sleep 0.1
    done
}

# Starts Xvfb on a free display and points DISPLAY and Qt at it. With
# -noreset, a program killed as the last client does not make the server
# reset under the next one's connection.
start_xvfb() {
    step "starting Xvfb"
    exec 3>"$work/display"
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -dpi 96 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    wait_for 15 "display from Xvfb" test -s "$work/display"
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY
    echo "display $DISPLAY"
}

# real_window_test FAKEMAME TOOL...: the start of a test in tests/app. Skips
# (exit 77) when Xvfb, xdotool or a TOOL is missing; makes `work` (kept at the
# end when SMOKE_KEEP=1) and in it `folder`, the working folder holding the
# fake MAME as ./mame, with the listings going to $work/tmp; starts Xvfb.
real_window_test() {
    local fakemame=$1 tool
    shift
    for tool in Xvfb xdotool "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed" && exit 77; }
    done
    work=$(mktemp -d)
    trap 'cleanup_real_window; if [[ ${SMOKE_KEEP:-} == 1 ]]; then echo "kept $work"; else rm -rf "$work"; fi' EXIT
    folder="$work/games"
    mkdir -p "$folder" "$work/tmp"
    ln -s "$fakemame" "$folder/mame"
    export TEMP="$work/tmp"
    # In a sanitizer build: D-Bus, which Qt reaches in a real X session, keeps
    # some memory until the end; that is not the program's leak.
    LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$(realpath "${BASH_SOURCE[0]}")")/../tests/app/realwindow.supp"
    export LSAN_OPTIONS
    start_xvfb
}

# start_program PROGRAM ARGUMENTS...: starts it in the background, output to
# $work/program.log.
start_program() {
    step "starting $*"
    "$@" >"$work/program.log" 2>&1 &
    program_pid=$!
}

# start_main TITLE: starts `program` in `folder` and waits for its main
# window, whose title matches TITLE; sets main.
start_main() {
    start_program "$program" --folder "$folder"
    wait_for 30 "main window" has_window "$1"
    main=$(window_named "$1")
}

# Ends the program with SIGKILL and reaps it.
kill_program() {
    kill -KILL "$program_pid"
    wait "$program_pid" 2>/dev/null || true
    program_pid=
}

# Whether a process runs (a zombie waiting to be reaped does not); whether none does.
alive() { [[ -r /proc/$1/stat ]] && [[ $(cut -d' ' -f3 "/proc/$1/stat") != Z ]]; }
none_alive() { for pid in "$@"; do ! alive "$pid" || return 1; done; }

# Waits up to SECONDS for the program to end and returns its exit status.
wait_for_exit() {
    local seconds=$1 status=0
    local deadline=$((SECONDS + seconds))
    while kill -0 "$program_pid" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "the program is still running ${seconds}s later"
        sleep 0.1
    done
    wait "$program_pid" || status=$?
    program_pid=
    return "$status"
}

# The first visible window of the program whose title matches the pattern.
window_named() {
    xdotool search --all --onlyvisible --pid "$program_pid" --name "$1" 2>/dev/null | head -n1
}
has_window() { [[ -n $(window_named "$1") ]]; }
no_window() { ! has_window "$1"; }
title_of() { xdotool getwindowname "$1"; }
title_starts() { [[ $(title_of "$1") == "$2"* ]]; }

# point_at WINDOW FX FY: moves the pointer to a point given as fractions of
# the window's width and height, and pauses; click_at clicks there too.
point_at() {
    local window=$1 fx=$2 fy=$3 x y
    local X Y WIDTH HEIGHT WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$window")"
    x=$(awk -v a="$X" -v b="$WIDTH" -v f="$fx" 'BEGIN { printf "%d", a + b * f }')
    y=$(awk -v a="$Y" -v b="$HEIGHT" -v f="$fy" 'BEGIN { printf "%d", a + b * f }')
    pointer_to "$x" "$y"
}
click_at() {
    point_at "$@"
    xdotool click 1
}

# pointer_to X Y: moves the pointer there and pauses. It goes by the corner
# first: a synchronous move to where the pointer already is waits in vain.
pointer_to() {
    xdotool mousemove 0 0 mousemove --sync "$1" "$2"
    sleep 0.2
}

# Centres of the controls as fractions of the client area: the window's
# design is 7095 x 4455 twips, the buttons 1095 x 375 at left 5760, the
# search box 5295 x 285 at 240,3930. At a first start the window has its
# design size, and the buttons keep their place from the right edge.
fraction() { awk -v v="$1" -v size="$2" 'BEGIN { print v / size }'; }
buttons_x=$(fraction $((5760 * 2 + 1095)) $((7095 * 2)))
quit_y=$(fraction $((720 * 2 + 375)) $((4455 * 2)))
list_y=$(fraction $((3360 * 2 + 375)) $((4455 * 2)))
search_x=$(fraction $((240 * 2 + 5295)) $((7095 * 2)))
search_y=$(fraction $((3930 * 2 + 285)) $((4455 * 2)))
