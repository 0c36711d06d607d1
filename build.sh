#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Sets up what the front end needs on Debian 12, builds it, and then either
# starts it (run), runs the whole test suite under the sanitizers (test), makes
# the Debian package in build/release and checks it with lintian (package), or
# fuzzes the parsers (fuzz). Missing packages are installed as root; anyone else
# is told which are missing and how to install them.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev xdg-utils)
# The embedded catalogue of machine facts, favourites and plays: Qt SQL's SQLite driver,
# and SQLite's own header for its bulk writes.
packages+=(libqt6sql6-sqlite libsqlite3-dev)
# Artwork inside MAME's zip files (snap.zip ...).
packages+=(libzip-dev)
# The MAME that most people run today, for the end-to-end test and for use.
packages+=(mame)
# The real-window smoke test and the validators of the desktop entry and metainfo.
packages+=(xvfb xdotool desktop-file-utils appstream)
# The details view's real-window test reads the window as a screen reader does
# (AT-SPI), on a session bus of its own.
packages+=(dbus-daemon at-spi2-core python3-dbus)
# The kill test looks into the catalogue with SQLite's own shell.
packages+=(sqlite3)
# The Debian package: dpkg-shlibdeps computes its dependencies, and CPack uses file.
packages+=(dpkg-dev file)
# The package's checker.
[[ "${1:-}" == package ]] && packages+=(lintian)
# The fuzzers: clang with libFuzzer.
[[ "${1:-}" == fuzz ]] && packages+=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    if ((EUID != 0)); then
        # Only root installs packages: say what to run and stop.
        echo "These packages are missing: ${missing[*]}" >&2
        echo "Install them as root, then run this again:" >&2
        echo "    apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

case "${1:-}" in
run)
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCOINSLOT_TESTS=OFF -DCOINSLOT_BENCH=OFF
    cmake --build build/release
    # The front end works in its working folder: MAME_DIR, else ./run.
    dir="${MAME_DIR:-run}"
    mkdir -p "$dir"
    cd "$dir"
    exec "$OLDPWD/build/release/coinslot"
    ;;
test)
    cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCOINSLOT_SANITIZE=ON
    cmake --build build/asan
    export QT_QPA_PLATFORM=offscreen
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir build/asan --output-on-failure -j2
    ;;
package)
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCOINSLOT_TESTS=OFF -DCOINSLOT_BENCH=OFF
    cmake --build build/release
    (cd build/release && cpack -G DEB)
    deb="$(ls -t build/release/coinslot_*.deb | head -n 1)"
    echo "$deb"
    # An error fails the package; the warnings left are listed in docs/development.md.
    lintian --fail-on error "$deb"
    ;;
fuzz)
    # Fuzzes each fuzz/<Name>Fuzz.cpp for the given seconds (default 30), starting
    # from fuzz/corpus/<Name>; new inputs go to build/fuzz/corpus/<Name>, and an
    # input that breaks a target to build/fuzz/artifacts/.
    seconds="${2:-30}"
    CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCOINSLOT_FUZZ=ON -DCOINSLOT_TESTS=OFF -DCOINSLOT_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="-O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    cmake --build build/fuzz --target fuzzers
    mkdir -p build/fuzz/artifacts
    status=0
    for source in fuzz/*Fuzz.cpp; do
        name="$(basename "$source" Fuzz.cpp)"
        mkdir -p "build/fuzz/corpus/$name"
        echo "== $name: $seconds s"
        "build/fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="build/fuzz/artifacts/$name-" \
            "build/fuzz/corpus/$name" "fuzz/corpus/$name" || status=1
    done
    exit "$status"
    ;;
*)
    echo "usage: $0 run|test|package|fuzz [seconds]" >&2
    exit 2
    ;;
esac
