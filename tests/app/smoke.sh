#!/usr/bin/env bash
# The real-window smoke test: starts the program under Xvfb and drives it with
# xdotool as a person would. On a first start it picks the fake MAME in the
# "Select MAME executable" dialog, clicks List, waits for the database, types
# a search, clicks Quit and checks what coinslot.ini remembers.
#
#   smoke.sh PROGRAM FAKEMAME
#
# Exits 77 (skipped) only when Xvfb or xdotool is not installed. Set
# SMOKE_KEEP=1 to keep the working folder (with screenshots on failure).
set -euo pipefail
program=$(realpath "$1")
fakemame=$(realpath "$2")

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (Debian packages xvfb and xdotool)"
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid= program_pid=
cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    if [[ ${SMOKE_KEEP:-} == 1 ]]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

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
# wait_for SECONDS WHAT COMMAND...: polls COMMAND until it succeeds.
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

step "starting Xvfb"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
wait_for 15 "display from Xvfb" test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
echo "display $DISPLAY"

# The working folder holds the fake MAME as ./mame; the listings go to TEMP.
folder="$work/games"
mkdir -p "$folder" "$work/tmp"
ln -s "$fakemame" "$folder/mame"
export TEMP="$work/tmp"

step "starting $program --folder $folder"
"$program" --folder "$folder" >"$work/program.log" 2>&1 &
program_pid=$!

# The single visible window of the program whose title matches $1.
window_named() {
    xdotool search --all --onlyvisible --pid "$program_pid" --name "$1" 2>/dev/null | head -n1
}
has_window() { [[ -n $(window_named "$1") ]]; }
title_of() { xdotool getwindowname "$1"; }

# Clicks at a point given as fractions of a window's width and height.
click_at() {
    local window=$1 fx=$2 fy=$3 x y w h
    eval "$(xdotool getwindowgeometry --shell "$window")"
    x=$(awk -v a="$X" -v b="$WIDTH" -v f="$fx" 'BEGIN { printf "%d", a + b * f }')
    y=$(awk -v a="$Y" -v b="$HEIGHT" -v f="$fy" 'BEGIN { printf "%d", a + b * f }')
    xdotool mousemove --sync "$x" "$y"
    sleep 0.2
    xdotool click 1
}

step "picking the fake MAME in the executable dialog"
wait_for 20 "\"Select MAME executable\" dialog" has_window '^Select MAME executable$'
dialog=$(window_named '^Select MAME executable$')
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool type --delay 15 "$folder/mame"
xdotool key Return
wait_for 10 "main window" has_window '^MAME$'
main=$(window_named '^MAME$')
echo "main window $main: $(xdotool getwindowgeometry "$main" | tr '\n' ' ')"

# The controls sit where the window's design puts them (7095 x 4455 twips):
# List at 5760,3360 and Quit at 5760,720 (1095 x 375); the search box at
# 240,3930 (5295 x 285). At the first start the window has its design size.
list_x=$(awk 'BEGIN { print (5760 + 1095 / 2) / 7095 }')
list_y=$(awk 'BEGIN { print (3360 + 375 / 2) / 4455 }')
quit_y=$(awk 'BEGIN { print (720 + 375 / 2) / 4455 }')
search_x=$(awk 'BEGIN { print (240 + 5295 / 2) / 7095 }')
search_y=$(awk 'BEGIN { print (3930 + 285 / 2) / 4455 }')

step "clicking List"
click_at "$main" "$list_x" "$list_y"
wait_for 30 "coinslot.dat" test -s "$folder/coinslot.dat"
selected() { [[ $(title_of "$main") == "MAME: "* ]]; }
wait_for 20 "selected game in the title after List" selected
echo "title: $(title_of "$main")"

step "searching for \"Star Bl\""
click_at "$main" "$search_x" "$search_y"
xdotool windowfocus --sync "$main"
xdotool type --delay 30 "Star Bl"
want="MAME: Star Blazer (Pioneer LDV1000) [sblazerp]"
found() { [[ $(title_of "$main") == "$want" ]]; }
wait_for 10 "title \"$want\" (it reads \"$(title_of "$main")\")" found
echo "title: $(title_of "$main")"

step "clicking Quit"
click_at "$main" "$list_x" "$quit_y"
deadline=$((SECONDS + 15))
while kill -0 "$program_pid" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "the program is still running 15s after Quit"
    sleep 0.1
done
status=0
wait "$program_pid" || status=$?
program_pid=
((status == 0)) || fail "the program ended with status $status"

step "checking coinslot.ini"
ini="$folder/coinslot.ini"
[[ -f $ini ]] || fail "no coinslot.ini"
value() { tr -d '\r' <"$ini" | sed -n "s/^$1 = //p"; }
# The list shows the whole database in file order, so the saved position is
# Star Blazer's line in coinslot.dat, counted from 0.
line=$(tr -d '\r' <"$folder/coinslot.dat" | grep -n '|sblazerp|' | cut -d: -f1)
[[ -n $line ]] || fail "sblazerp is not in coinslot.dat"
[[ $(value mameexe) == mame ]] ||
    fail "mameexe is \"$(value mameexe)\", not mame"
[[ $(value lastgame) == $((line - 1)) ]] ||
    fail "lastgame is \"$(value lastgame)\", not $((line - 1))"
echo "mameexe = $(value mameexe), lastgame = $(value lastgame)"
echo "PASSED"
