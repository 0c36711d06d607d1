#!/usr/bin/env bash
# The real-window smoke test: starts the program under Xvfb and drives it with
# xdotool as a person would. On a first start it picks the fake MAME in the
# "Select MAME executable" dialog, clicks List, waits for the database, types
# a search, clicks Quit and checks what coinslot.ini remembers.
#
#   smoke.sh PROGRAM FAKEMAME
#
# Exits 77 (skipped) only when Xvfb or xdotool is not installed. Set
# SMOKE_KEEP=1 to keep the scratch folder (with a screenshot on failure).
set -euo pipefail
program=$(realpath "$1")
fakemame=$(realpath "$2")

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (Debian packages xvfb and xdotool)"
        exit 77
    fi
done

# shellcheck source=tools/realwindow.sh
source "$(dirname "$0")/../../tools/realwindow.sh"
work=$(mktemp -d)
cleanup() {
    cleanup_real_window
    if [[ ${SMOKE_KEEP:-} == 1 ]]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

start_xvfb
# In a sanitizer build: D-Bus, which Qt reaches in a real X session, keeps
# some memory until the end; that is not the program's leak.
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(realpath "$(dirname "$0")")/realwindow.supp"
export LSAN_OPTIONS
# The working folder holds the fake MAME as ./mame; the listings go to TEMP.
folder="$work/games"
mkdir -p "$folder" "$work/tmp"
ln -s "$fakemame" "$folder/mame"
export TEMP="$work/tmp"
start_program "$program" --folder "$folder"

step "picking the fake MAME in the executable dialog"
wait_for 20 "\"Select MAME executable\" dialog" has_window '^Select MAME executable$'
xdotool windowfocus --sync "$(window_named '^Select MAME executable$')"
sleep 0.3
xdotool type --delay 15 "$folder/mame"
xdotool key Return
wait_for 10 "main window titled \"MAME\"" has_window '^MAME$'
main=$(window_named '^MAME$')
echo "main window $main: $(xdotool getwindowgeometry "$main" | tr '\n' ' ')"

step "clicking List"
click_at "$main" "$buttons_x" "$list_y"
wait_for 30 "coinslot.dat" test -s "$folder/coinslot.dat"
wait_for 20 "selected game in the title after List" title_starts "$main" "MAME: "
echo "title: $(title_of "$main")"

step "searching for \"Star Bl\""
click_at "$main" "$search_x" "$search_y"
xdotool windowfocus --sync "$main"
xdotool type --delay 30 "Star Bl"
want="MAME: Star Blazer (Pioneer LDV1000) [sblazerp]"
wait_for 10 "title \"$want\"" title_starts "$main" "$want"
echo "title: $(title_of "$main")"

step "clicking Quit"
click_at "$main" "$buttons_x" "$quit_y"
status=0
wait_for_exit 15 || status=$?
((status == 0)) || fail "the program ended with status $status"

step "checking coinslot.ini"
ini="$folder/coinslot.ini"
[[ -f $ini ]] || fail "no coinslot.ini"
value() { tr -d '\r' <"$ini" | sed -n "s/^$1 = //p"; }
# The list shows the whole database in file order, so the saved position is
# Star Blazer's line in coinslot.dat, counted from 0.
line=$(tr -d '\r' <"$folder/coinslot.dat" | grep -n '|sblazerp|' | cut -d: -f1)
[[ -n $line ]] || fail "sblazerp is not in coinslot.dat"
[[ $(value mameexe) == mame ]] || fail "mameexe is \"$(value mameexe)\", not mame"
[[ $(value lastgame) == $((line - 1)) ]] ||
    fail "lastgame is \"$(value lastgame)\", not $((line - 1))"
echo "mameexe = $(value mameexe), lastgame = $(value lastgame)"
echo "PASSED"
