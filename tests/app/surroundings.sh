#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The real program under Xvfb in surroundings that are not the usual ones: a
# lock file that holds garbage; a working folder and a HOME whose names are not
# UTF-8, where List, Audit, Mame and Quit write the files named by the same
# bytes, make no twin folder named with U+FFFD and report no failure; and a
# file-size limit (ulimit -f), under which List and Audit fail like on a full
# disk and the program goes on and saves its settings. Usage: surroundings.sh
# PROGRAM FAKEMAME (77: Xvfb or xdotool missing).
set -euo pipefail
program=$(realpath "$1")
fakemame=$(realpath "$2")

# shellcheck source=tools/realwindow.sh
source "$(dirname "$0")/../../tools/realwindow.sh"
real_window_test "$fakemame"
odd="$work/caf"$'\xe9'"-"$'\xff' # not UTF-8
twin="$work/caf"$'\xef\xbf\xbd'"-"$'\xef\xbf\xbd' # the same with U+FFFD
mkdir "$odd"
ln -s "$fakemame" "$odd/mame"
folder=$odd
printf 'mameexe = mame\r\n' >"$folder/coinslot.ini"
no_box() {
    sleep 1
    ! has_window "^$1\$" || fail "a \"$1\" box says something went wrong"
}
press() { xdotool windowfocus --sync "$main" key "$@"; }
# Quits by Alt+Q: status 0 and the settings saved, all sixteen.
quit_saving() {
    press alt+q
    local status=0
    wait_for_exit 15 || status=$?
    ((status == 0)) || fail "$1 ended with status $status"
    (($(grep -c ' = ' "$folder/coinslot.ini") == 16)) || fail "$1: the settings were not saved"
}
# Waits for the message box titled TITLE and closes it with Return.
close_box() {
    wait_for 30 "the $1 box" has_window "^$1\$"
    sleep 0.5 # mapped, not yet viewable: focusing it now fails
    xdotool windowfocus --sync "$(window_named "^$1\$")" key Return
}
# Under the limit the store cannot be written either, which the start tells in
# a "Load" box (while it is open, no key reaches the window).
close_load_box() {
    local deadline=$((SECONDS + 5))
    while ((SECONDS < deadline)); do
        if has_window '^Load$'; then
            close_box Load
            return
        fi
        sleep 0.2
    done
}

step "a lock that holds garbage is taken over"
printf '\xff\xfe garbage\n\n' >"$folder/coinslot.lock"
start_main '^MAME$'

step "List in a folder whose name is not UTF-8"
press alt+l
wait_for 30 "the new list" title_starts "$main" "MAME: "
no_box List
(($(wc -l <"$folder/coinslot.dat") == 82)) || fail "coinslot.dat has not the 82 games"

step "Audit there"
click_at "$main" "$search_x" "$search_y"
xdotool type --delay 30 "[segajw]" # a game that the audit removes
wait_for 10 "Joker's Wild selected" title_starts "$main" "MAME: Joker's Wild"
press alt+a
# The progress dialog has the same title as the box: the report tells the end.
wait_for 30 "the audit report" test -s "$folder/coinslot-audit.txt"
close_box Audit
# The list is the audited one: the first game that is left is selected.
wait_for 10 "another game selected" bash -c "! xdotool getwindowname $main | grep -q \"Joker's\""
(($(wc -l <"$folder/coinslot.dat") < 82)) || fail "the audit did not thin coinslot.dat"

step "Quit there"
quit_saving "Quit there"

step "Mame with a HOME whose name is not UTF-8"
export HOME="$work/home-"$'\xe9' FAKEMAME_MODERN=1 PATH="$work/bin:$PATH"
mkdir "$HOME" "$work/bin"
printf '#!/bin/sh\nprintf %%s "$1" >"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
printf 'mameexe = %s\r\n' "$fakemame" >"$folder/coinslot.ini"
start_main '^MAME'
press alt+m
wait_for 20 "the editor opened" test -s "$work/opened"
[[ $(cat "$work/opened") == "$HOME/.mame/mame.ini" ]] || fail "the editor got $(cat "$work/opened")"
[[ -s $HOME/.mame/mame.ini ]] || fail "MAME's ini was not made in HOME"
kill_program
unset FAKEMAME_MODERN
export HOME="$work"
leftovers=$(find "$work" -name '*'$'\xef\xbf\xbd''*')
[[ ! -e $twin && -z $leftovers ]] || fail "a twin folder named with U+FFFD: $leftovers"

step "List under a file-size limit"
folder="$work/games"
printf 'mameexe = mame\r\n' >"$folder/coinslot.ini"
# 1 KB: the settings fit; the listings, the audit report and the database do not.
limited() { start_program bash -c 'ulimit -f 1; exec "$0" "$@"' "$program" --folder "$folder"; }
limited
wait_for 30 "main window" has_window '^MAME$'
main=$(window_named '^MAME$')
close_load_box
press alt+l
close_box List
[[ ! -e $folder/coinslot.dat ]] || fail "a database was written past the limit"
quit_saving "Quit under the limit"

step "Audit under a file-size limit"
start_main '^MAME'
press alt+l
wait_for 30 "the new list" title_starts "$main" "MAME: "
kill_program
cp "$folder/coinslot.dat" "$work/listed"
limited
wait_for 30 "main window" has_window '^MAME'
main=$(window_named '^MAME')
close_load_box
press alt+a
sleep 3 # past the progress dialog, titled "Audit" too: the run fails at once
close_box Audit
cmp -s "$folder/coinslot.dat" "$work/listed" || fail "the database changed"
quit_saving "Quit after the Audit under the limit"
echo "PASSED"
