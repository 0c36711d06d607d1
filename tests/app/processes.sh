#!/usr/bin/env bash
# The real program and what is not its own: a planted link among the listing
# folders, a lock and a partial write left by a killed run, a second front end
# in the same folder, and the end of a Play by SIGTERM and by SIGKILL, after
# which no process of MAME's group may be left.
#
#   processes.sh PROGRAM FAKEMAME
#
# Exits 77 (skipped) only when Xvfb or xdotool is not installed.
set -euo pipefail
program=$(realpath "$1")
fakemame=$(realpath "$2")
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done

# shellcheck source=tools/realwindow.sh
source "$(dirname "$0")/../../tools/realwindow.sh"
work=$(mktemp -d)
pids=()
cleanup() {
    cleanup_real_window
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(realpath "$(dirname "$0")")/realwindow.supp"
export LSAN_OPTIONS

# A process that runs no more: its pid names the planted link and the lock.
sh -c 'exit 0' &
dead=$!
wait "$dead"
folder="$work/games" private="$work/private"
mkdir -p "$folder" "$private" "$work/tmp"
ln -s "$fakemame" "$folder/mame"
echo one >"$private/a" && echo two >"$private/b"
ln -s "$private" "$work/tmp/coinslot-$dead-abcdef"
printf 'mameexe = mame\r\nlastgame = 0\r\n' >"$folder/coinslot.ini"
printf 'Game A|a||drv\r\nGame B|b||drv\r\n' >"$folder/coinslot.dat"
printf 'partial' >"$folder/coinslot.dat.0badc0de"
touch -d '1 hour ago' "$folder/coinslot.dat.0badc0de"
printf '%s\ncoinslot\n%s\n' "$dead" "$(hostname)" >"$folder/coinslot.lock"
export TEMP="$work/tmp" FAKEMAME_PIDS="$work/pids" FAKEMAME_PLAY_SLEEP=60

alive() { # a process that runs, not a zombie waiting to be reaped
    [[ -r /proc/$1/stat ]] && [[ $(cut -d' ' -f3 "/proc/$1/stat") != Z ]]
}
none_alive() { for pid in "$@"; do ! alive "$pid" || return 1; done; }
# Starts the program and plays the first game; sets game_pids.
start_and_play() {
    rm -f "$FAKEMAME_PIDS"
    start_program "$program" --folder "$folder"
    wait_for 20 "main window" has_window '^MAME: Game A'
    main=$(window_named '^MAME: Game A')
    [[ ${1:-} == second ]] && second_front_end
    xdotool windowfocus --sync "$main" key Return
    wait_for 10 "the game's pids" test -s "$FAKEMAME_PIDS"
    read -ra game_pids <"$FAKEMAME_PIDS"
    pids+=("${game_pids[@]}")
}
second_front_end() {
    step "a second front end in the same folder"
    cp "$folder/coinslot.ini" "$work/ini-before"
    "$program" --folder "$folder" >"$work/second.out" 2>"$work/second.err" &
    local second=$!
    local box=''
    for _ in $(seq 100); do
        box=$(xdotool search --all --onlyvisible --pid "$second" --name '^coinslot$' | head -n1) || true
        [[ -n $box ]] && break
        sleep 0.1
    done
    [[ -n $box ]] || fail "no \"already running\" box"
    [[ -n ${SHOTS:-} ]] && import -window root "$SHOTS/16-already-running.png"
    xdotool windowfocus --sync "$box" key Return
    local status=0
    wait "$second" || status=$?
    ((status == 1)) || fail "the second front end ended with status $status"
    grep -qx 'coinslot is already running in this folder.' "$work/second.err" ||
        fail "stderr: $(cat "$work/second.err")"
    cmp -s "$folder/coinslot.ini" "$work/ini-before" || fail "the second front end touched the settings"
}

start_xvfb
step "SIGTERM during a Play that ignores SIGTERM"
FAKEMAME_IGNORE_TERM=1 start_and_play second
[[ $(cat "$private/a" "$private/b") == $'one\ntwo' ]] || fail "the linked folder was emptied"
[[ ! -e $folder/coinslot.dat.0badc0de ]] || fail "the partial write is still there"
alive "${game_pids[0]}" || fail "the game is not running"
kill -TERM "$program_pid"
status=0
wait_for_exit 15 || status=$?
((status == 0)) || fail "SIGTERM: status $status"
wait_for 5 "the game's group to end" none_alive "${game_pids[@]}"
(($(grep -c ' = ' "$folder/coinslot.ini") == 16)) || fail "the settings were not saved"

step "SIGKILL during a Play: the game ends with the front end"
start_and_play
kill -KILL "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=
wait_for 5 "the game to end" none_alive "${game_pids[0]}"
echo "PASSED"
