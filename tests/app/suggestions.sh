#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The search suggestions in the real program under Xvfb: after a List from the
# fake current MAME, "galagga" typed into the search box opens the drop-down;
# Down and Enter choose its first suggestion, so the caption names [galaga];
# the drop-down is gone and the next Enter plays galaga. Usage: suggestions.sh
# PROGRAM FAKEMAME (77: Xvfb or xdotool missing).
set -euo pipefail
program=$(realpath "$1")

# shellcheck source=tools/realwindow.sh
source "$(dirname "$0")/../../tools/realwindow.sh"
real_window_test "$(realpath "$2")"
mkdir -p "$work/home"
printf 'mameexe = mame\r\n' >"$folder/coinslot.ini"
export HOME="$work/home" FAKEMAME_LOG="$work/play.log" FAKEMAME_MODERN=1
played() { grep -qx "$1" "$work/play.log"; }
no_window() { ! has_window "$1"; }

start_main '^MAME'
step "clicking List"
click_at "$main" "$buttons_x" "$list_y"
wait_for 30 "selected game in the title after List" title_starts "$main" "MAME: "

step "typing \"galagga\""
click_at "$main" "$search_x" "$search_y"
xdotool windowfocus --sync "$main"
xdotool type --delay 30 galagga
wait_for 10 "the suggestions" has_window '^Suggestions$'
[[ $(title_of "$main") != *"[galaga]" ]] || fail "the search box alone found galaga"

step "pressing Down and Enter"
xdotool key Down
sleep 0.3
xdotool key Return
want="MAME: Galaga (Namco rev. B) [galaga]"
wait_for 10 "title \"$want\"" title_starts "$main" "$want"
wait_for 10 "the suggestions closed" no_window '^Suggestions$'
[[ ! -e $work/play.log ]] || fail "Enter played while it chose: $(cat "$work/play.log")"

step "pressing Enter again"
xdotool key Return
wait_for 20 "galaga played" played galaga
wait_for 20 "the window back after playing" has_window '^MAME'
main=$(window_named '^MAME')

step "clicking Quit"
click_at "$main" "$buttons_x" "$quit_y"
status=0
wait_for_exit 15 || status=$?
((status == 0)) || fail "the program ended with status $status"
echo "PASSED"
