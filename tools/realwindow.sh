# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash disable=SC2034,SC2154 # `work` comes from, and the positions go to, the caller
# Helpers for driving the program in a real X window, sourced by the smoke
# test and by tools/screenshot.sh. The caller sets `work` (a scratch folder)
# and calls cleanup_real_window from its EXIT trap.

xvfb_pid='' program_pid=''

cleanup_real_window() {
    if [[ -n $program_pid ]]; then kill "$program_pid" 2>/dev/null || true; fi
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

# Starts Xvfb on a free display and points DISPLAY and Qt at it.
start_xvfb() {
    step "starting Xvfb"
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    wait_for 15 "display from Xvfb" test -s "$work/display"
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY
    echo "display $DISPLAY"
}

# start_program PROGRAM ARGUMENTS...: starts it in the background, output to
# $work/program.log.
start_program() {
    step "starting $*"
    "$@" >"$work/program.log" 2>&1 &
    program_pid=$!
}

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
title_of() { xdotool getwindowname "$1"; }
title_starts() { [[ $(title_of "$1") == "$2"* ]]; }

# click_at WINDOW FX FY: moves the pointer to a point given as fractions of
# the window's width and height, pauses, and clicks there.
click_at() {
    local window=$1 fx=$2 fy=$3 x y
    local X Y WIDTH HEIGHT WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$window")"
    x=$(awk -v a="$X" -v b="$WIDTH" -v f="$fx" 'BEGIN { printf "%d", a + b * f }')
    y=$(awk -v a="$Y" -v b="$HEIGHT" -v f="$fy" 'BEGIN { printf "%d", a + b * f }')
    xdotool mousemove --sync "$x" "$y"
    sleep 0.2
    xdotool click 1
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
