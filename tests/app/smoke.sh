#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The real program under Xvfb, driven with xdotool as a person would: a first
# start among a planted link, a stale lock and a partial write; the executable
# dialog, List, a search, Quit and what coinslot.ini remembers; a second front
# end in the folder; a Play ended by SIGTERM and by SIGKILL, leaving no process
# of MAME's group; SIGHUP and SIGINT saving the settings as Quit does. Usage:
# smoke.sh PROGRAM FAKEMAME (77: Xvfb or xdotool missing; SMOKE_KEEP=1 keeps the
# scratch folder).
set -euo pipefail
program=$(realpath "$1")

# shellcheck source=tools/realwindow.sh
source "$(dirname "$0")/../../tools/realwindow.sh"
real_window_test "$(realpath "$2")"

# A process that runs no more: its pid names the planted link and the lock.
sh -c 'exit 0' &
dead=$!
wait "$dead"
private="$work/private"
mkdir -m 700 "$private" # as private as a folder of the front end's own
echo one >"$private/a" && echo two >"$private/b"
ln -s "$private" "$work/tmp/coinslot-$dead-abcdef"
printf 'partial' >"$folder/coinslot.dat.0badc0de"
touch -d '1 hour ago' "$folder/coinslot.dat.0badc0de"
printf '%s\ncoinslot\n%s\n' "$dead" "$(hostname)" >"$folder/coinslot.lock"
start_program "$program" --folder "$folder"

step "picking the fake MAME in the executable dialog"
wait_for 20 "\"Select MAME executable\" dialog" has_window '^Select MAME executable$'
xdotool windowfocus --sync "$(window_named '^Select MAME executable$')"
sleep 0.3
xdotool type --delay 15 "$folder/mame"
xdotool key Return
wait_for 10 "main window titled \"MAME\"" has_window '^MAME$'
main=$(window_named '^MAME$')
[[ $(cat "$private/a" "$private/b") == $'one\ntwo' ]] || fail "the linked folder was emptied"
[[ ! -e $folder/coinslot.dat.0badc0de ]] || fail "the partial write is still there"

step "clicking List"
click_at "$main" "$buttons_x" "$list_y"
wait_for 30 "coinslot.dat" test -s "$folder/coinslot.dat"
wait_for 20 "selected game in the title after List" title_starts "$main" "MAME: "

step "searching for \"Star Bl\""
click_at "$main" "$search_x" "$search_y"
xdotool windowfocus --sync "$main"
xdotool type --delay 30 "Star Bl"
want="MAME: Star Blazer (Pioneer LDV1000) [sblazerp]"
wait_for 10 "title \"$want\"" title_starts "$main" "$want"

step "clicking Quit"
click_at "$main" "$buttons_x" "$quit_y"
status=0
wait_for_exit 15 || status=$?
((status == 0)) || fail "the program ended with status $status"
ini="$folder/coinslot.ini"
value() { tr -d '\r' <"$ini" | sed -n "s/^$1 = //p"; }
# The list shows the whole database in file order, so the saved position is
# Star Blazer's line in coinslot.dat, counted from 0.
line=$(tr -d '\r' <"$folder/coinslot.dat" | grep -n '|sblazerp|' | cut -d: -f1)
[[ -n $line ]] || fail "sblazerp is not in coinslot.dat"
[[ $(value mameexe) == mame ]] || fail "mameexe is \"$(value mameexe)\", not mame"
[[ $(value lastgame) == $((line - 1)) ]] ||
    fail "lastgame is \"$(value lastgame)\", not $((line - 1))"

export FAKEMAME_PIDS="$work/pids" FAKEMAME_PLAY_SLEEP=60
# Plays the saved game; sets game_pids.
play_game() {
    rm -f "$FAKEMAME_PIDS"
    xdotool windowfocus --sync "$main" key Return
    wait_for 10 "the game's pids" test -s "$FAKEMAME_PIDS"
    read -ra game_pids <"$FAKEMAME_PIDS"
    other_pids+=("${game_pids[@]}")
}
box_of() { box=$(xdotool search --all --onlyvisible --pid "$1" --name '^coinslot$' | head -n1) && [[ -n $box ]]; }

step "a second front end in the same folder"
FAKEMAME_IGNORE_TERM=1 start_main '^MAME: Star Blazer'
cp "$ini" "$work/ini-before"
"$program" --folder "$folder" >"$work/second.out" 2>"$work/second.err" &
second=$!
other_pids+=("$second")
wait_for 10 "\"already running\" box" box_of "$second"
xdotool windowfocus --sync "$box" key Return
status=0
wait "$second" || status=$?
((status == 1)) || fail "the second front end ended with status $status"
grep -qx 'coinslot is already running in this folder.' "$work/second.err" ||
    fail "stderr: $(cat "$work/second.err")"
cmp -s "$ini" "$work/ini-before" || fail "the second front end touched the settings"

# The settings file goes before each signal: only the window's close on the
# signal writes it again.
step "SIGTERM during a Play that ignores SIGTERM"
play_game
alive "${game_pids[0]}" || fail "the game is not running"
rm "$ini"
kill -TERM "$program_pid"
status=0
wait_for_exit 15 || status=$?
((status == 0)) || fail "SIGTERM: status $status"
wait_for 5 "the game's group to end" none_alive "${game_pids[@]}"
[[ -f $ini && $(grep -c ' = ' "$ini") == 16 ]] || fail "SIGTERM: the settings were not saved"

for signal in HUP INT; do
    step "SIG$signal ends it as Quit does"
    start_main '^MAME: Star Blazer'
    rm "$ini"
    kill -"$signal" "$program_pid"
    status=0
    wait_for_exit 15 || status=$?
    ((status == 0)) || fail "SIG$signal: status $status"
    [[ -f $ini && $(grep -c ' = ' "$ini") == 16 ]] || fail "SIG$signal: the settings were not saved"
done

step "SIGKILL during a Play: the game ends with the front end"
start_main '^MAME: Star Blazer'
play_game
kill_program
wait_for 5 "the game to end" none_alive "${game_pids[0]}"
echo "PASSED"
