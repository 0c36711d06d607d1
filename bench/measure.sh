#!/usr/bin/env bash
# The speed and memory figures of the front end against their floors, in one
# command. Builds what it needs in Release (build/measure), then measures,
# in alternating pairs of whole processes (floor first in odd pairs, ours
# first in even ones), and prints medians and the median of the pairwise
# ratios:
#
# - start -> first real paint (CPU time) and peak RSS, at 9,500, 39,372 and
#   1,000,000 games: the front end against a bare Qt program (bench/floor)
#   showing the same descriptions from the same file, both under Xvfb;
# - keystroke -> repaint and filter -> clear, inside one process
#   (coinslot_listbench), against the same work done the bare Qt way;
# - List with the installed MAME, click -> database written, against
#   `mame -listxml >/dev/null` alone (skipped when MAME is not installed).
#
#   bench/measure.sh [PAIRS]        PAIRS defaults to 7
#
# Environment: MAME (default /usr/games/mame), LIST_PAIRS (default 3). The
# 39,372-game database is built from that MAME's -listxml when it is there,
# else made up. Needs cmake, ninja, Xvfb and xdotool.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pairs=${1:-7}
list_pairs=${LIST_PAIRS:-3}
mame=${MAME:-/usr/games/mame}
build="$root/build/measure"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOINSLOT_TESTS=OFF \
    -DCOINSLOT_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target coinslot coinslot_floor coinslot_benchdata coinslot_listbench \
    >/dev/null

work=$(mktemp -d)
xvfb_pid='' program_pid=''
cleanup() {
    if [[ -n $program_pid ]]; then kill "$program_pid" 2>/dev/null || true; fi
    if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

load() { cut -d' ' -f1-3 /proc/loadavg; }
echo "load average at the start: $(load); locale: ${LC_ALL:-${LANG:-C}}; $(nproc) cores"

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 150); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb TEMP="$work/tmp"
unset WAYLAND_DISPLAY
mkdir -p "$work/tmp"

# median: the median of the numbers on standard input.
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# field NAME FILE: the value of NAME=... on the line of FILE that starts with its first word.
field() { grep -o "$1=[0-9.]*" "$2" | head -n1 | cut -d= -f2; }

# The databases, each in a working folder of its own with settings that
# select a game in the middle of the list.
databases=(9500 39372 1000000)
for size in "${databases[@]}"; do
    folder="$work/games-$size"
    mkdir -p "$folder"
    if [[ $size == 39372 && -x $mame ]]; then
        "$mame" -listxml 2>/dev/null | "$build/bench/coinslot_benchdata" listxml "$folder/coinslot.dat"
    else
        "$build/bench/coinslot_benchdata" synthetic "$size" "$folder/coinslot.dat"
    fi
    printf '#!/bin/sh\n' >"$folder/mame"
    chmod +x "$folder/mame"
done
rows() { wc -l <"$work/games-$1/coinslot.dat"; }

# start_once WHO SIZE: one start of the front end (ours) or the floor up to
# its first real paint; appends "cpu rss exit-cpu wall-ms" to $work/WHO-SIZE.
start_once() {
    local who=$1 size=$2 folder="$work/games-$2" report="$work/report" middle
    middle=$(($(rows "$2") / 2))
    rm -f "$report"
    printf 'mameexe = mame\r\nlastgame = %d\r\n' "$middle" >"$folder/coinslot.ini"
    local start=$EPOCHREALTIME
    if [[ $who == ours ]]; then
        COINSLOT_FIRST_PAINT_REPORT="$report" timeout 120 "$build/coinslot" --folder "$folder" \
            >/dev/null 2>&1 || true
    else
        COINSLOT_FIRST_PAINT_REPORT="$report" timeout 120 "$build/bench/coinslot_floor" \
            "$folder/coinslot.dat" "$middle" >/dev/null 2>&1 || true
    fi
    if ! grep -q '^exit' "$report" 2>/dev/null; then
        echo "$who did not report its first paint at $size games" >&2
        exit 1
    fi
    local end_us cpu
    end_us=$(field wall-end-us "$report")
    cpu=$(field cpu-ms "$report")
    echo "$cpu $(field peak-rss-kb "$report") $(grep '^exit' "$report" | grep -o 'cpu-ms=[0-9.]*' | cut -d= -f2) $(awk -v s="$start" -v e="$end_us" 'BEGIN { printf "%.1f", e / 1000 - s * 1000 }')" \
        >>"$work/$who-$size"
}

for size in "${databases[@]}"; do
    echo "start-up at $size games: $pairs pairs"
    for i in $(seq "$pairs"); do
        if ((i % 2)); then
            start_once floor "$size"
            start_once ours "$size"
        else
            start_once ours "$size"
            start_once floor "$size"
        fi
    done
done

# column N FILE: the median of column N.
column() { awk -v n="$1" '{ print $n }' "$2" | median; }
# ratio N WHO SIZE: the median of the pairwise ratios ours/floor of column N.
ratio() {
    paste -d' ' "$work/ours-$2" "$work/floor-$2" | awk -v n="$1" -v m="$(($1 + 4))" \
        '{ if ($m > 0) print $n / $m }' | median
}
exit_cost() { awk '{ print $3 - $1 }' "$work/$1-$2" | median; }

printf '\n%-48s %12s %12s %8s %8s\n' figure ours floor ratio target
row() { printf '%-48s %12s %12s %8s %8s\n' "$@"; }
for size in "${databases[@]}"; do
    target=1.05
    [[ $size == 1000000 ]] && target=1.25
    row "start -> first paint, $size games (CPU ms)" "$(column 1 "$work/ours-$size")" \
        "$(column 1 "$work/floor-$size")" "$(ratio 1 "$size")" "<= $target"
done
for size in 39372 1000000; do
    target=1.15
    [[ $size == 1000000 ]] && target=1.30
    row "peak RSS at first paint, $size games (MB)" \
        "$(awk '{ print $2 / 1024 }' "$work/ours-$size" | median)" \
        "$(awk '{ print $2 / 1024 }' "$work/floor-$size" | median)" "$(ratio 2 "$size")" "<= $target"
done
for size in "${databases[@]}"; do
    row "first paint -> exit, $size games (CPU ms)" "$(exit_cost ours "$size")" \
        "$(exit_cost floor "$size")" "" ""
    row "start -> first paint, $size games (wall ms)" "$(column 4 "$work/ours-$size")" \
        "$(column 4 "$work/floor-$size")" "$(ratio 4 "$size")" ""
done
echo "load average at the end: $(load)"
