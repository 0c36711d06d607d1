#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Killed with SIGKILL at random moments of Lists (an old MAME's and a current
# one's, in turn), Audits, favourite toggles and Quits, the program loses
# nothing: coinslot.dat, coinslot.ini and coinslot-audit.txt are each the old
# or a new file, whole; the store passes SQLite's integrity check, keeps the
# favourite and the play, and goes with the database file beside it (its
# stamp is the file's and its facts are that list's), or knows that it does
# not (another stamp: its facts then count as missing). Usage:
# killsafety.sh PROGRAM FAKEMAME (77: Xvfb, xdotool or sqlite3 missing);
# KILLSAFETY_KILLS=N kills N times (default 12), and the counts per file are
# printed at the end.
set -euo pipefail
program=$(realpath "$1")
kills=${KILLSAFETY_KILLS:-12}

# shellcheck source=tools/realwindow.sh
source "$(dirname "$0")/../../tools/realwindow.sh"
real_window_test "$(realpath "$2")" sqlite3
mkdir -p "$work/home"
printf 'mameexe = mame\r\n' >"$folder/coinslot.ini"
export HOME="$work/home" FAKEMAME_LOG="$work/play.log" FAKEMAME_MODERN=1
store="$folder/coinslot.sqlite" dat="$folder/coinslot.dat" ini="$folder/coinslot.ini"
report="$folder/coinslot-audit.txt"
ask() { sqlite3 "$store" "$1"; }
favourites_are() { [[ $(ask 'SELECT count(*) FROM favourite') == "$1" ]]; }
plays_are() { [[ $(ask 'SELECT count(*) FROM play') == "$1" ]]; }
sum() { if [[ -e $1 ]]; then md5sum <"$1" | cut -d' ' -f1; else echo none; fi; }
press() { xdotool windowfocus --sync "$main" key "$@"; }
changed_from() { [[ $(sum "$1") != "$2" ]]; }

# The list's menu (a right click leaves the selection), then Favourite by its key.
toggle_favourite() {
    point_at "$main" 0.4 0.4
    xdotool click 3
    sleep 0.3
    xdotool key v
}

# Every whole file a run can leave, each generation's list and its audit:
# known[<md5>]=<name>; the facts each list goes with: facts[<md5 of list>].
declare -A known facts
remember() { known[$(sum "$1")]=$2; }
step "each generation's list and audit, whole, to tell new files from torn ones"
for modern in 1 ''; do
    export FAKEMAME_MODERN=$modern
    start_main '^MAME'
    before=$(sum "$dat")
    press alt+l
    wait_for 90 "the list" changed_from "$dat" "$before"
    wait_for 90 "the list in the window" title_starts "$main" "MAME: "
    # A current MAME's List goes on to its support files: until its progress
    # dialog has gone, the window takes no other command.
    wait_for 90 "the end of the List" no_window '^List$'
    remember "$dat" "list${modern:+ (current)}"
    facts[$(sum "$dat")]=$(ask 'SELECT count(*) FROM machine')
    before=$(sum "$report")
    press alt+a
    # The progress dialog has the same title as the box: the report tells the end.
    wait_for 90 "the audit report" changed_from "$report" "$before"
    remember "$dat" "audited list${modern:+ (current)}"
    facts[$(sum "$dat")]=$(ask 'SELECT count(*) FROM machine')
    remember "$report" "audit report${modern:+ (current)}"
    kill_program
done
(( ${#known[@]} == 6 )) || fail "the lists and audits are not six different files"

step "marking a favourite and playing a game"
start_main '^MAME'
toggle_favourite
wait_for 10 "a favourite in the catalogue" favourites_are 1
favourite=$(ask 'SELECT name FROM favourite')
press Return
wait_for 20 "a play in the catalogue" plays_are 1
played=$(ask 'SELECT name FROM play')
wait_for 20 "the window back after playing" has_window '^MAME'
press alt+q
wait_for_exit 15
remember "$ini" settings
echo "favourite $favourite, played $played"

# Whole files whose content depends on what came before: settings of any
# values, and the report of an audit of an audited list.
whole() {
    case $2 in
    coinslot.ini) [[ $(tr -d '\r' <"$1" | grep -c '^[a-z]* = ') == "$(wc -l <"$1")" ]] ;;
    coinslot-audit.txt) head -n1 "$1" | grep -q $'^Audit of [0-9,]* games\r$' &&
        [[ $(tail -c2 "$1" | od -An -c | tr -d ' ') == '\r\n' ]] ;;
    *) false ;;
    esac
}
declare -A tally
count() { tally[$1]=$((${tally[$1]:-0} + 1)); }
# old, new or torn: the file as before the kill, another whole one, or neither.
classify() {
    local file=$1 label=$2 before=$3 now
    now=$(sum "$file")
    if [[ $now == "$before" ]]; then
        count "$label old"
    elif [[ -n ${known[$now]:-} ]] || whole "$file" "$label"; then
        count "$label new"
    else
        count "$label torn"
        fail "$what: $label is torn"
    fi
}
check_after_kill() {
    classify "$dat" coinslot.dat "$dat_before"
    classify "$ini" coinslot.ini "$ini_before"
    classify "$report" coinslot-audit.txt "$report_before"
    [[ $(ask 'PRAGMA integrity_check') == ok ]] || fail "$what: the catalogue is damaged"
    [[ $what == *toggles* || $(ask "SELECT count(*) FROM favourite WHERE name = '$favourite'") == 1 ]] ||
        fail "$what: the favourite is gone"
    [[ $(ask "SELECT count FROM play WHERE name = '$played'") -ge 1 ]] || fail "$what: the play is gone"
    # The store and the database: the same stamp and that list's facts, or another stamp.
    local stamp file_stamp
    stamp=$(ask 'SELECT size || " " || modified FROM database_stamp')
    file_stamp="$(stat -c %s "$dat") $(date -r "$dat" +%s%N)"
    if [[ $stamp == "$file_stamp" ]]; then
        [[ $(ask 'SELECT count(*) FROM machine') == "${facts[$(sum "$dat")]}" ]] ||
            fail "$what: the store's stamp is the database's, but its facts are another list's"
        count "store agrees ($kind)"
    else
        count "store knows it describes another file ($kind)"
    fi
}

step "$kills kills at random moments"
for ((kill = 1; kill <= kills; kill++)); do
    dat_before=$(sum "$dat") ini_before=$(sum "$ini") report_before=$(sum "$report")
    # A List asks either MAME; an Audit the one whose list it audits.
    action=$((RANDOM % 8))
    if ((action == 0)); then
        [[ ${known[$dat_before]} == *current* ]] && FAKEMAME_MODERN=1 || FAKEMAME_MODERN=''
    else
        FAKEMAME_MODERN=$((RANDOM % 2))
        [[ $FAKEMAME_MODERN == 1 ]] || FAKEMAME_MODERN=''
    fi
    export FAKEMAME_MODERN FAKEMAME_SLEEP=0.$((RANDOM % 10))
    start_main '^MAME'
    delay=$((RANDOM % 3)).$((RANDOM % 10))
    case $action in
    0) kind=Audit what="killed ${delay}s into an Audit" && press alt+a ;;
    1)
        kind=toggles what="killed during favourite toggles"
        click_at "$main" 0.4 0.4
        press Down Down
        toggle_favourite
        toggle_favourite
        delay=0.0$((RANDOM % 10))
        ;;
    2)
        # Another game selected, so that the settings differ.
        kind=Quit what="killed during Quit"
        click_at "$main" 0.4 0.$((RANDOM % 5 + 1))
        press alt+q
        delay=0.0$((RANDOM % 5))
        ;;
    *) kind=List what="killed ${delay}s into a List${FAKEMAME_MODERN:+ (current)}" && press alt+l ;;
    esac
    sleep "$delay"
    kill -KILL "$program_pid" 2>/dev/null || true # a Quit may have ended it already
    wait "$program_pid" 2>/dev/null || true
    program_pid=
    check_after_kill
    echo "$kill: $what: coinslot.dat $(changed_from "$dat" "$dat_before" && echo new || echo old)"
done
unset FAKEMAME_SLEEP

for key in "${!tally[@]}"; do echo "$key: ${tally[$key]}"; done | sort
echo "PASSED"
