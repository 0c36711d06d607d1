#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Killed with SIGKILL during List, Audit and Play, the real program leaves
# nothing of MAME's process group alive 3 s later: not a MAME that ignores
# SIGTERM, nor a child of it that ignores SIGTERM too. Usage: orphans.sh
# PROGRAM FAKEMAME (77: Xvfb or xdotool missing).
set -euo pipefail
program=$(realpath "$1")

# shellcheck source=tools/realwindow.sh
source "$(dirname "$0")/../../tools/realwindow.sh"
real_window_test "$(realpath "$2")"
printf 'mameexe = mame\r\n' >"$folder/coinslot.ini"
press() { xdotool windowfocus --sync "$main" key "$@"; }

step "a database to audit and play from"
start_main '^MAME$'
press alt+l
wait_for 30 "the new list" title_starts "$main" "MAME: "
kill_program

export FAKEMAME_IGNORE_TERM=1 FAKEMAME_PIDS="$work/pids"
for command in List Audit Play; do
    step "SIGKILL during $command"
    rm -f "$FAKEMAME_PIDS"
    # MAME and its child sleep a minute in the middle of the run.
    case $command in
    Play) export FAKEMAME_PLAY_SLEEP=60 ;;
    *) export FAKEMAME_SLEEP=60 FAKEMAME_CHILD=60 ;;
    esac
    start_main '^MAME'
    case $command in
    List) press alt+l ;;
    Audit) press alt+a ;;
    Play) press Return ;;
    esac
    wait_for 10 "MAME's and its child's pids" test -s "$FAKEMAME_PIDS"
    read -ra pids <"$FAKEMAME_PIDS"
    other_pids+=("${pids[@]}")
    alive "${pids[0]}" && alive "${pids[1]}" || fail "MAME or its child is not running"
    kill_program
    sleep 3
    for pid in "${pids[@]}"; do
        ! alive "$pid" || fail "process $pid of the $command run is alive 3 s after the front end"
    done
    echo "$command: MAME ${pids[0]} and its child ${pids[1]} ended with the front end"
    unset FAKEMAME_PLAY_SLEEP FAKEMAME_SLEEP FAKEMAME_CHILD
done
echo "PASSED"
