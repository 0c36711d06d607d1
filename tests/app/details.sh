#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The details view in the real program under Xvfb, read as a screen reader
# reads it (AT-SPI): a current MAME's games listed, Pac-Man found, Ctrl+D,
# then the table has a Year column and the pane tells Pac-Man's year; the
# Menu key opens the list's menu; Ctrl+D again and Quit leave the settings
# without the view's keys. Usage: details.sh PROGRAM FAKEMAME (77: Xvfb,
# xdotool, dbus-run-session or python3-dbus missing; SMOKE_KEEP=1 keeps the
# scratch folder).
set -euo pipefail

# A session bus of its own, which starts the accessibility bus when asked.
if [[ -z ${COINSLOT_OWN_SESSION:-} ]]; then
    command -v dbus-run-session >/dev/null || { echo "SKIPPED: dbus-run-session is not installed" && exit 77; }
    COINSLOT_OWN_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi
program=$(realpath "$1")
here=$(dirname "$(realpath "$0")")

# shellcheck source=tools/realwindow.sh
source "$here/../../tools/realwindow.sh"
real_window_test "$(realpath "$2")"
/usr/bin/python3 -c 'import dbus' 2>/dev/null || { echo "SKIPPED: python3-dbus is not installed" && exit 77; }
export FAKEMAME_MODERN=1 HOME="$work/home" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
mkdir -p "$HOME"
printf 'mameexe = mame\r\n' >"$folder/coinslot.ini"

# What a screen reader finds in the program's windows, one line an object.
accessible() { /usr/bin/python3 "$here/accessible.py" "$program_pid" >"$work/accessible" 2>&1; }
finds() { accessible && grep -qE "$1" "$work/accessible"; }

start_main '^MAME$'
step "clicking List"
click_at "$main" "$buttons_x" "$list_y"
wait_for 30 "coinslot.dat" test -s "$folder/coinslot.dat"
wait_for 20 "selected game in the title after List" title_starts "$main" "MAME: "

step "searching for [pacman]"
click_at "$main" "$search_x" "$search_y"
xdotool windowfocus --sync "$main"
xdotool type --delay 30 "[pacman]"
wait_for 10 "Pac-Man in the title" title_starts "$main" "MAME: Pac-Man (Midway) [pacman]"

step "Ctrl+D"
xdotool windowfocus --sync "$main" key ctrl+d
wait_for 10 "a Year column" finds '^column: Year$'
wait_for 10 "Pac-Man's year in the pane" finds '^label: 1980$'
grep -qx 'label: Pac-Man (Midway)' "$work/accessible" || fail "no Pac-Man (Midway) in the pane"
eval "$(xdotool getwindowgeometry --shell "$main")"
((WIDTH >= 960 && HEIGHT >= 600)) || fail "the window is ${WIDTH}x$HEIGHT, not at least 960x600"

step "the Menu key"
# The program's windows on the screen: the main one, and a menu while it is open.
windows() { xdotool search --all --onlyvisible --pid "$program_pid" '' 2>/dev/null | wc -l; }
windows_are() { (($(windows) == $1)); }
windows_are 1 || fail "$(windows) windows before the Menu key"
# From the search box back to the table, where the Menu key opens the list's menu.
xdotool windowfocus --sync "$main" key shift+Tab Menu
wait_for 10 "the list's menu" windows_are 2
xdotool key Escape
wait_for 10 "the menu to close" windows_are 1

step "Ctrl+D again, then Quit"
xdotool windowfocus --sync "$main" key ctrl+d
wait_for 10 "the window back at its size" bash -c \
    "[[ \$(xdotool getwindowgeometry '$main' | grep -o '[0-9]*x[0-9]*') == 473x297 ]]"
click_at "$main" "$buttons_x" "$quit_y"
wait_for_exit 15
(($(grep -c ' = ' "$folder/coinslot.ini") == 16)) || fail "coinslot.ini: $(cat "$folder/coinslot.ini")"
echo "PASSED"
