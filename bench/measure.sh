#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The speed and memory figures of the front end against their floors, in one
# command. Builds what it needs in Release (build/measure), then measures in
# alternating pairs (the floor first in odd pairs, the front end first in
# even ones) and prints, per figure, the medians and the median of the
# pairwise ratios:
#
# - startup: start -> first real paint (CPU time) and peak RSS, at 9,500,
#   39,372 and 1,000,000 games: the front end against two floors showing the
#   same descriptions from the same file, all under Xvfb, whole processes: a
#   bare Qt program (bench/floor, a QListView over a QStringListModel), and
#   the best case of a plain Qt one (a QListView of uniform item sizes over a
#   minimal model whose rows are places in the file's one buffer). The first
#   paint is reported by a probe loaded into each unchanged program
#   (bench/firstpaint, LD_PRELOAD);
# - steps: keystroke -> repaint (a search that matches nothing, and one that
#   selects and scrolls) at 39,372 games and filter -> clear at 1,000,000,
#   inside one process (bench/list), against the same work done the bare Qt
#   way, under the environment's locale as the program uses it; and keystroke
#   -> the search suggestions painted, for a few texts, at 39,372 games with
#   that MAME's facts (when MAME is installed) and at 1,000,000 made-up ones,
#   with the wall time beside the CPU time and the first keystroke's (which
#   makes the suggestions' index);
# - list: List with the installed MAME, click -> database written, against
#   `mame -listxml >/dev/null` alone; the first List of a run (which asks
#   MAME which MAME it is) and a second one (which knows), in a front end
#   started again with the list the first one made. Beside it the peak RSS
#   of each List against the RSS of that second front end after its start
#   (before its List). Then the same memory figures with the fake MAME of the
#   tests printing a made-up listing of 1,000,000 machines. The MAME part is
#   skipped when MAME is not installed.
# - details: the details view's start -> first paint (CPU time) at 39,372
#   games against the plain list's, the same program with the view switched
#   on in its settings and off, in alternating pairs; then, from the Google
#   Benchmarks of bench/DetailsBench.cpp, the table's sort by year and by
#   manufacturer at 39,372 and 1,000,000 games and an arrow key in the table
#   to the end of its repaint, the pane's new text included.
#
#   bench/measure.sh [PAIRS [PART...]]   PAIRS defaults to 7, PARTs to all four
#
# Environment: MAME (default /usr/games/mame), LIST_PAIRS (default 3),
# LIST_MILLION_PAIRS (default 1; 0 leaves the million out). The 39,372-game
# database is built from that MAME's -listxml when it is there, else made up.
# Needs cmake, ninja, Xvfb and xdotool.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pairs=${1:-7}
shift || true
parts=("$@")
((${#parts[@]})) || parts=(startup steps list details)
list_pairs=${LIST_PAIRS:-3}
million_pairs=${LIST_MILLION_PAIRS:-1}
mame=${MAME:-/usr/games/mame}
build="$root/build/measure"
wants() { [[ " ${parts[*]} " == *" $1 "* ]]; }

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOINSLOT_TESTS=OFF \
    -DCOINSLOT_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target coinslot coinslot_floor coinslot_bestfloor \
    coinslot_firstpaint coinslot_benchdata coinslot_listbench fakemame >/dev/null
probe="$build/bench/libcoinslot_firstpaint.so"

# shellcheck source=tools/realwindow.sh
source "$root/tools/realwindow.sh"
work=$(mktemp -d)
trap 'cleanup_real_window; rm -rf "$work"' EXIT
load() { cut -d' ' -f1-3 /proc/loadavg; }
echo "load average at the start: $(load); locale: ${LC_ALL:-${LANG:-C}}; $(nproc) cores"
# A display of our own that outlives its clients (-noreset: a reset between
# two runs would refuse the next one), started again should it go away.
ensure_display() {
    if [[ -n ${DISPLAY:-} ]] && xdotool getdisplaygeometry >/dev/null 2>&1; then
        return
    fi
    if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    start_xvfb >/dev/null
}
ensure_display
export TEMP="$work/tmp"
mkdir -p "$TEMP"

# median: the median of the numbers on standard input.
median() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# field NAME FILE: the value of NAME=... on the first line of FILE that has it.
field() { grep -o "$1=[0-9.]*" "$2" | head -n1 | cut -d= -f2; }
results="$work/results"
row() { printf '%-50s %10s %10s %7s %8s\n' "$@" | tee -a "$results" >/dev/null; }
row figure ours floor ratio target

# The databases, each in a working folder of its own with settings that
# select a game in the middle of the list.
databases=(9500 39372 1000000)
for size in "${databases[@]}"; do
    folder="$work/games-$size"
    mkdir -p "$folder"
    if [[ $size == 39372 && -x $mame ]]; then
        # The same games with their facts in the store, for the suggestions.
        mkdir -p "$work/facts-$size"
        "$mame" -listxml 2>/dev/null |
            "$build/bench/coinslot_benchdata" listxml "$folder/coinslot.dat" "$work/facts-$size/coinslot.sqlite"
        cp "$folder/coinslot.dat" "$work/facts-$size/"
        printf '#!/bin/sh\n' >"$work/facts-$size/mame"
        chmod +x "$work/facts-$size/mame"
        printf 'mameexe = mame\r\n' >"$work/facts-$size/coinslot.ini"
    else
        "$build/bench/coinslot_benchdata" synthetic "$size" "$folder/coinslot.dat"
    fi >/dev/null
    printf '#!/bin/sh\n' >"$folder/mame"
    chmod +x "$folder/mame"
done
rows() { wc -l <"$work/games-$1/coinslot.dat"; }
settings() { printf 'mameexe = mame\r\nlastgame = %d\r\n%s' "$(($(rows "$1") / 2))" "${extra_settings:-}" >"$work/games-$1/coinslot.ini"; }

# start_once WHO SIZE: one start of the front end (ours), the bare floor
# (floor) or the best-case floor (best) up to its first real paint; appends
# "cpu rss exit-cpu wall-ms" to $work/WHO-SIZE.
start_once() {
    local who=$1 size=$2 folder="$work/games-$2" report="$work/report"
    rm -f "$report"
    settings "$size"
    ensure_display
    local command=("$build/coinslot" --folder "$folder")
    [[ $who == floor ]] && command=("$build/bench/coinslot_floor" "$folder/coinslot.dat" "$(($(rows "$size") / 2))")
    [[ $who == best ]] && command=("$build/bench/coinslot_bestfloor" "$folder/coinslot.dat" "$(($(rows "$size") / 2))")
    local start=$EPOCHREALTIME
    COINSLOT_FIRST_PAINT_REPORT="$report" LD_PRELOAD="$probe" timeout 120 "${command[@]}" \
        >/dev/null 2>&1 || true
    if ! grep -q '^exit' "$report" 2>/dev/null; then
        echo "$who did not report its first paint at $size games" >&2
        exit 1
    fi
    local cpu end_us
    cpu=$(field cpu-ms "$report")
    end_us=$(field wall-end-us "$report")
    echo "$cpu $(field peak-rss-kb "$report") $(grep '^exit' "$report" | cut -d= -f2)" \
        "$(awk -v s="$start" -v e="$end_us" 'BEGIN { printf "%.1f", e / 1000 - s * 1000 }')" \
        >>"$work/$who-$size"
}
# column N FILE: the median of column N.
column() { awk -v n="$1" '{ print $n }' "$2" | median; }
# ratio N SIZE [FLOOR]: the median of the pairwise ratios ours/FLOOR (default
# floor) of column N.
ratio() {
    paste -d' ' "$work/ours-$2" "$work/${3:-floor}-$2" |
        awk -v n="$1" -v m="$(($1 + 4))" '{ if ($m > 0) printf "%.3f\n", $n / $m }' | median
}

if wants startup; then
    for size in "${databases[@]}"; do
        echo "start-up at $size games: $pairs rounds of three"
        for i in $(seq "$pairs"); do
            if ((i % 2)); then
                start_once floor "$size"
                start_once best "$size"
                start_once ours "$size"
            else
                start_once ours "$size"
                start_once best "$size"
                start_once floor "$size"
            fi
        done
    done
    for size in "${databases[@]}"; do
        target=1.05
        [[ $size == 1000000 ]] && target=1.25
        row "start -> first paint, $size games (CPU ms)" "$(column 1 "$work/ours-$size")" \
            "$(column 1 "$work/floor-$size")" "$(ratio 1 "$size")" "<= $target"
        target=""
        [[ $size != 9500 ]] && target="<= 1.10"
        row "  against the best-case floor" "" "$(column 1 "$work/best-$size")" \
            "$(ratio 1 "$size" best)" "$target"
    done
    for size in 39372 1000000; do
        target=1.15
        [[ $size == 1000000 ]] && target=1.30
        for who in ours floor best; do awk '{ print $2 / 1024 }' "$work/$who-$size" >"$work/$who-rss"; done
        row "peak RSS at first paint, $size games (MB)" "$(median <"$work/ours-rss")" \
            "$(median <"$work/floor-rss")" "$(ratio 2 "$size")" "<= $target"
        row "  against the best-case floor" "" "$(median <"$work/best-rss")" \
            "$(ratio 2 "$size" best)" "<= 1.10"
    done
    for size in "${databases[@]}"; do
        for who in ours floor best; do awk '{ print $3 - $1 }' "$work/$who-$size" >"$work/$who-exit"; done
        row "first paint -> exit, $size games (CPU ms)" "$(median <"$work/ours-exit")" \
            "$(median <"$work/floor-exit")" "" ""
        row "  the best-case floor's" "" "$(median <"$work/best-exit")" "" ""
        row "start -> first paint, $size games (wall ms)" "$(column 4 "$work/ours-$size")" \
            "$(column 4 "$work/floor-$size")" "$(ratio 4 "$size")" ""
        row "  against the best-case floor" "" "$(column 4 "$work/best-$size")" \
            "$(ratio 4 "$size" best)" ""
    done
fi

if wants steps; then
    echo "keystroke and filter steps: $((pairs * 5)) pairs each"
    measure_step() { # STEP SIZE TARGET DESCRIPTION [DRIVER]
        settings "$2"
        ensure_display
        local line
        line=$("$build/bench/coinslot_listbench" "$1" "$work/games-$2" $((pairs * 5)) ${5:-} 2>/dev/null)
        read -r _ ours floor ratio locale <<<"$line"
        row "$4, $2 ($locale, CPU ms)" "$ours" "$floor" "$ratio" "$3"
    }
    measure_step keystroke 39372 "<= 1.2" "keystroke -> repaint, no match"
    measure_step select 39372 "" "keystroke -> repaint, select and scroll"
    measure_step filter 1000000 "<= 1.5" "filter drv12, then clear it" drv12
    # suggest FOLDER TARGET QUERY: the last letter of QUERY typed, then Backspace.
    measure_suggest() {
        ensure_display
        local line
        line=$("$build/bench/coinslot_listbench" suggest "$1" $((pairs * 5)) "$3" 2>/dev/null)
        read -r _ ours floor ratio locale wall first <<<"$line"
        row "suggestions for \"$3\", $(rows "${1##*-}") ($locale, CPU ms)" "$ours" "$floor" "$ratio" "$2"
        row "  the same, wall ms; the first keystroke's" "$wall" "$first" "" ""
    }
    if [[ -d $work/facts-39372 ]]; then
        for query in galagga "donky kong" "street fighter ii" rally-x pacman "king of fighters 98"; do
            measure_suggest "$work/facts-39372" "<= 16 ms" "$query"
        done
    fi
    settings 1000000
    measure_suggest "$work/games-1000000" "" "dragn ninja"
fi

# The program's resident memory now, and its high-water mark (reset by
# reset_peak), in MB.
rss_now() { awk '/^VmRSS:/ { printf "%.1f\n", $2 / 1024 }' "/proc/$program_pid/status"; }
rss_peak() { awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$program_pid/status"; }
reset_peak() { echo 5 >"/proc/$program_pid/clear_refs"; }
# Waits until the program has used no CPU for half a second.
wait_idle() {
    local before now=-1 rounds=0
    until [[ ${before:-} == "$now" ]] || ((++rounds > 240)); do
        before=$now
        sleep 0.5
        now=$(awk '{ print $14 + $15 }' "/proc/$program_pid/stat")
    done
}

# list_once FILE FOLDER: clicks List in the program running in FOLDER and
# waits for the database; appends "wall-s cpu-s peak-rss-mb" to $work/FILE,
# the peak being the highest resident memory from the click until the
# program is idle again.
list_once() {
    local file=$1 folder=$2 start ticks
    point_at "$(window_named '^MAME')" "$buttons_x" "$list_y"
    rm -f "$folder/coinslot.dat"
    wait_idle
    reset_peak
    ticks=$(awk '{ print $14 + $15 }' "/proc/$program_pid/stat")
    start=$EPOCHREALTIME
    xdotool click 1
    until [[ -e $folder/coinslot.dat ]]; do sleep 0.01; done
    local wall cpu
    wall=$(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { printf "%.3f", e - s }')
    cpu=$(awk -v t="$ticks" -v c="$(getconf CLK_TCK)" '{ printf "%.2f", ($14 + $15 - t) / c }' \
        "/proc/$program_pid/stat")
    wait_idle # the progress dialog closes, the list is shown
    echo "$wall $cpu $(rss_peak)" >>"$work/$file"
}
# start_in FOLDER: starts the front end there and waits until it is idle.
start_in() {
    ensure_display
    start_program "$build/coinslot" --folder "$1"
    wait_for 60 "the main window" has_window '^MAME'
    wait_idle
}
quit_program() {
    click_at "$(window_named '^MAME')" "$buttons_x" "$quit_y"
    wait_for_exit 60 || true
}
# list_pair PAIR FOLDER TAG [MAME-ALONE]: the first List of a front end
# started without a database, then a second List in a front end started
# again with the list the first made, whose RSS after its start is noted
# ("start-TAG"). With MAME-ALONE (a command), that command is timed beside
# each List, before it in odd pairs and after it in even ones.
list_pair() {
    local i=$1 folder=$2 tag=$3 alone=${4:-}
    mame_once() {
        [[ -n $alone ]] || return 0
        local start=$EPOCHREALTIME
        $alone >/dev/null 2>&1
        awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { printf "%.3f\n", e - s }' >>"$work/$1"
    }
    rm -f "$folder/coinslot.dat" "$folder"/coinslot.sqlite*
    ((i % 2)) && mame_once "mame-first-$tag"
    start_in "$folder"
    list_once "list-first-$tag" "$folder"
    ((i % 2)) || mame_once "mame-first-$tag"
    quit_program
    ((i % 2)) && mame_once "mame-again-$tag"
    start_in "$folder"
    rss_now >>"$work/start-$tag"
    list_once "list-again-$tag" "$folder"
    ((i % 2)) || mame_once "mame-again-$tag"
    quit_program
}
# list_rows TAG GAMES [TIME-TARGET]: the rows of the figures of list_pair.
list_rows() {
    local tag=$1 games=$2 time_target=${3:-} kind label
    row "RSS after a start with $games games (MB)" "$(median <"$work/start-$tag")" "" "" ""
    for kind in first again; do
        label="List of $games, click -> database written"
        [[ $kind == first ]] && label="$label, first of a run" || label="$label, second"
        if [[ -s $work/mame-$kind-$tag ]]; then
            paste -d' ' "$work/list-$kind-$tag" "$work/mame-$kind-$tag" |
                awk '{ printf "%.3f\n", $1 / $4 }' >"$work/ratios"
            row "$label (s)" "$(column 1 "$work/list-$kind-$tag")" \
                "$(median <"$work/mame-$kind-$tag")" "$(median <"$work/ratios")" "$time_target"
        else
            row "$label (s)" "$(column 1 "$work/list-$kind-$tag")" "" "" ""
        fi
        row "  the front end's CPU meanwhile (s)" "$(column 2 "$work/list-$kind-$tag")" "" "" ""
        # The peak against the RSS after a start with the same list.
        local start_rss
        start_rss=$(median <"$work/start-$tag")
        awk -v r="$start_rss" '{ printf "%.3f\n", $3 / r }' "$work/list-$kind-$tag" >"$work/ratios"
        row "  peak RSS during it, against after a start (MB)" "$(column 3 "$work/list-$kind-$tag")" \
            "$start_rss" "$(median <"$work/ratios")" "<= 1.20"
    done
}

if wants list && [[ -x $mame ]]; then
    echo "List with $mame: $list_pairs pairs"
    folder="$work/list"
    mkdir -p "$folder"
    printf 'mameexe = %s\r\n' "$mame" >"$folder/coinslot.ini.template"
    for i in $(seq "$list_pairs"); do
        cp "$folder/coinslot.ini.template" "$folder/coinslot.ini"
        list_pair "$i" "$folder" real "$mame -listxml"
    done
    list_rows real "$(wc -l <"$folder/coinslot.dat" | tr -d ' ') (MAME)" "<= 1.05"
fi
if wants list && ((million_pairs > 0)); then
    echo "List with the fake MAME's 1,000,000 machines: $million_pairs pairs"
    folder="$work/million"
    mkdir -p "$folder"
    export FAKEMAME_MODERN=1 FAKEMAME_MACHINES=1000000
    for i in $(seq "$million_pairs"); do
        printf 'mameexe = %s\r\n' "$build/bench/fakemame" >"$folder/coinslot.ini"
        list_pair "$i" "$folder" million "$build/bench/fakemame -listxml"
    done
    unset FAKEMAME_MODERN FAKEMAME_MACHINES
    list_rows million "1,000,000 (fake)"
fi

if wants details; then
    echo "details view at 39372 games: $pairs pairs"
    # details_once VIEW: one start with the details view on (details) or
    # off (plain); appends its line to $work/view-VIEW.
    details_once() {
        extra_settings=""
        [[ $1 == details ]] && extra_settings=$'details = True\r\n'
        start_once ours 39372
        extra_settings=""
        tail -n1 "$work/ours-39372" >>"$work/view-$1"
    }
    for i in $(seq "$pairs"); do
        if ((i % 2)); then
            details_once plain
            details_once details
        else
            details_once details
            details_once plain
        fi
    done
    paste -d' ' "$work/view-details" "$work/view-plain" |
        awk '{ if ($5 > 0) printf "%.3f\n", $1 / $5 }' >"$work/view-ratios"
    row "start -> first paint, details on vs off (CPU ms)" "$(column 1 "$work/view-details")" \
        "$(column 1 "$work/view-plain")" "$(median <"$work/view-ratios")" "<= 1.10"

    # The Google Benchmarks: CPU time per iteration, in their own units.
    cmake --build "$build" -j2 --target coinslot_bench >/dev/null
    "$build/bench/coinslot_bench" --benchmark_format=csv \
        --benchmark_filter='BM_SortTableByColumn|BM_DetailsArrowKeyToRepaint' \
        2>/dev/null >"$work/details.csv"
    benchmark() { # NAME: "cpu_time unit" of the benchmark NAME
        awk -F, -v n="\"$1\"" '$1 == n { printf "%.1f %s", $4, $5 }' "$work/details.csv"
    }
    for games in 39372 1000000; do
        target="<= 50 ms"
        [[ $games == 1000000 ]] && target="<= 1000 ms"
        for column in 1:year 2:manufacturer; do
            read -r time unit <<<"$(benchmark "BM_SortTableByColumn/games:$games/column:${column%%:*}")"
            row "sort the table by ${column#*:}, $games games ($unit)" "$time" "" "" "$target"
        done
    done
    read -r time unit <<<"$(benchmark "BM_DetailsArrowKeyToRepaint/games:39372")"
    row "arrow key -> repaint with the pane, 39372 games ($unit)" "$time" "" "" "<= 16 ms"
fi

echo
cat "$results"
echo "load average at the end: $(load)"
