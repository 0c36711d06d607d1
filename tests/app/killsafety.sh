#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Killed with SIGKILL during Lists and favourite toggles, the program loses
# nothing: the database is the old or the new one, whole; the catalogue passes
# SQLite's integrity check and keeps the favourite and the play. Usage:
# killsafety.sh PROGRAM FAKEMAME (77: Xvfb, xdotool or sqlite3 missing).
set -euo pipefail
program=$(realpath "$1")

# shellcheck source=tools/realwindow.sh
source "$(dirname "$0")/../../tools/realwindow.sh"
real_window_test "$(realpath "$2")" sqlite3
mkdir -p "$work/home"
printf 'mameexe = mame\r\n' >"$folder/coinslot.ini"
export HOME="$work/home" FAKEMAME_LOG="$work/play.log" FAKEMAME_MODERN=1
catalogue="$folder/coinslot.sqlite"
ask() { sqlite3 "$catalogue" "$1"; }
favourites_are() { [[ $(ask 'SELECT count(*) FROM favourite') == "$1" ]]; }
plays_are() { [[ $(ask 'SELECT count(*) FROM play') == "$1" ]]; }

# The list's menu (a right click leaves the selection), then Favourite by its key.
toggle_favourite() {
    point_at "$main" 0.4 0.4
    xdotool click 3
    sleep 0.3
    xdotool key v
}
check_after_kill() {
    local what=$1 dat="$folder/coinslot.dat" sum
    sum=$(md5sum <"$dat")
    # The new one: the old-mode fake MAME's 82 games, each line whole.
    [[ $sum == "$old_sum" || ($(grep -c $'^[^|]\+|[^|]\+|[^|]*|[^|]\+\r$' "$dat") == 82 &&
        $(wc -l <"$dat") == 82) ]] || fail "$what: coinslot.dat is neither old nor new"
    [[ $(ask 'PRAGMA integrity_check') == ok ]] || fail "$what: the catalogue is damaged"
    [[ $(ask "SELECT count(*) FROM favourite WHERE name = '$favourite'") == 1 ]] ||
        fail "$what: the favourite is gone"
    [[ $(ask "SELECT count FROM play WHERE name = '$played'") == 1 ]] || fail "$what: the play is gone"
    echo "$what: database $([[ $sum == "$old_sum" ]] && echo old || echo new), catalogue whole"
}

step "building the database, marking a favourite and playing a game"
start_main '^MAME'
click_at "$main" "$buttons_x" "$list_y"
wait_for 30 "selected game in the title" title_starts "$main" "MAME: "
toggle_favourite
wait_for 10 "a favourite in the catalogue" favourites_are 1
favourite=$(ask 'SELECT name FROM favourite')
xdotool key Return
wait_for 20 "a play in the catalogue" plays_are 1
played=$(ask 'SELECT name FROM play')
wait_for 20 "the window back after playing" has_window '^MAME'
kill_program
old_sum=$(md5sum <"$folder/coinslot.dat")
echo "favourite $favourite, played $played"

step "killing the program during List"
export FAKEMAME_MODERN='' FAKEMAME_SLEEP=1
for delay in 0.4 1.4 3.0; do
    start_main '^MAME'
    click_at "$main" "$buttons_x" "$list_y"
    sleep "$delay"
    kill_program
    check_after_kill "killed ${delay}s into List"
done

step "killing the program during favourite toggles"
unset FAKEMAME_SLEEP
select_another() {
    start_main '^MAME'
    xdotool windowfocus --sync "$main"
    click_at "$main" 0.4 0.4
    xdotool key Down Down
}
# Toggling reaches the catalogue at all: on, then off again.
select_another
toggle_favourite
wait_for 10 "a second favourite" favourites_are 2
toggle_favourite
wait_for 10 "the second favourite gone" favourites_are 1
kill_program
for toggles in 1 2 3; do
    select_another
    for ((i = 0; i < toggles; i++)); do toggle_favourite; done
    sleep "0.0$((RANDOM % 10))"
    kill_program
    check_after_kill "killed after $toggles favourite toggles"
done
echo "PASSED"
