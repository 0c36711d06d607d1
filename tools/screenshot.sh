#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Remakes the README's screenshot, data/screenshots/main-window.png: builds
# the program (build/release) and the fake MAME, starts the program under
# Xvfb in a scratch folder, builds its database with List, searches for a
# game and captures the window. Needs xvfb, xdotool and imagemagick.
#
#   tools/screenshot.sh [OUTPUT.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/data/screenshots/main-window.png}")
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing (Debian packages xvfb, xdotool, imagemagick)" >&2
        exit 1
    }
done

cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCOINSLOT_TESTS=OFF -DCOINSLOT_BENCH=OFF >/dev/null
cmake --build "$root/build/release" --target coinslot

# shellcheck source=tools/realwindow.sh
source "$root/tools/realwindow.sh"
work=$(mktemp -d)
trap 'cleanup_real_window; rm -rf "$work"' EXIT

# A working folder with the fake MAME, already chosen in the settings.
folder="$work/games"
mkdir -p "$folder" "$work/tmp"
g++ -std=c++20 -O1 "$root/tests/fakemame/fakemame.cpp" -o "$folder/mame"
printf 'mameexe = mame\r\n' >"$folder/coinslot.ini"
export TEMP="$work/tmp"

start_xvfb
start_program "$root/build/release/coinslot" --folder "$folder"
wait_for 20 "main window titled \"MAME\"" has_window '^MAME$'
main=$(window_named '^MAME$')

step "building the database"
click_at "$main" "$buttons_x" "$list_y"
wait_for 30 "coinslot.dat" test -s "$folder/coinslot.dat"
wait_for 20 "selected game in the title" title_starts "$main" "MAME: "

step "searching"
click_at "$main" "$search_x" "$search_y"
xdotool windowfocus --sync "$main"
xdotool type --delay 30 "Out Run (s"
wait_for 10 "Out Run in the title" title_starts "$main" "MAME: Out Run (sitdown"
# Let the list scroll and repaint before the capture.
sleep 0.5

# There is no window manager under Xvfb, so the window has no title bar of
# its own: draw one above it with the window's real title.
mkdir -p "$(dirname "$out")"
import -window "$main" "$work/window.png"
convert "$work/window.png" -background '#d6d6d6' -gravity north -splice 0x26 \
    -font DejaVu-Sans -pointsize 13 -fill '#202020' -annotate +0+5 "$(title_of "$main")" \
    -bordercolor '#9a9a9a' -border 1 -strip "PNG24:$out"
echo "wrote $out ($(identify -format '%wx%h' "$out"))"

click_at "$main" "$buttons_x" "$quit_y"
wait_for_exit 15
