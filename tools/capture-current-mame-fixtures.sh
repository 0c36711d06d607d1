#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Captures the current-MAME fixtures in tests/fixtures/current-mame/ from a
# real MAME (Debian's 0.251 was used): ./tools/capture-current-mame-fixtures.sh [mame]
#
# Captured as MAME prints them:
#   listxml.xml        -listxml for the machines below, plus the devices MAME
#                      adds for them (prolog, DOCTYPE, root and closing tag kept)
#   listfull.txt, listclones.txt, listsource.txt
#                      the same machines in the text listings (-listsource
#                      prints no header line)
#   showconfig.txt     -showconfig, with an empty HOME so no personal ini counts
#
# Hand-made, and marked here only:
#   - listxml.xml gets one extra machine, "zzpipe", just before the devices: no
#     runnable machine of 0.251 has a "|" in its description (only two devices
#     do), and the import must turn it into "/". Its sourcefile is
#     "handmade/pipe.cpp".
#   - verifyroms.txt (the -verifyroms * report for these machines) is assembled:
#     this machine has no ROMs, so the "is good" verdicts for the sets listed in
#     GOOD below are written by this script in MAME's form; "is bad" for puckman
#     (a puckman.zip made here, whose two files hold the wrong bytes), its
#     detail lines and the "is best available" verdicts (sets whose only ROMs
#     were never dumped, devices among them) come from a real run. The
#     closing "N romsets found, M were OK." line is counted here and written to
#     verifyroms-closing.txt: a real MAME prints it on stderr when a set is bad,
#     on stdout otherwise.
set -euo pipefail
mame="${1:-/usr/games/mame}"
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$here/tests/fixtures/current-mame"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$work/home" "$work/roms"

patterns=(puckman 'puckm*' 'pacman*' 'mspac*' 'dkong*' 'galag*' sf2 sf2ce sf2ua neogeo pgm
          'asuka*' 3in1semi attache attache816 cc10 cc10a tmc1800 osc1000b dsp16 dsp16a)
GOOD=(dkong galaga mspacman pacman sf2 sf2ua)

HOME="$work/home" "$mame" -listxml "${patterns[@]}" >"$work/listxml.xml"
awk '
    /^\t<machine .*isdevice="yes"/ && !added {
        print "\t<machine name=\"zzpipe\" sourcefile=\"handmade/pipe.cpp\">"
        print "\t\t<description>Hand-made | not from MAME</description>"
        print "\t\t<year>2024</year>"
        print "\t\t<manufacturer>fixture</manufacturer>"
        print "\t</machine>"
        added = 1
    }
    { print }
' "$work/listxml.xml" >"$out/listxml.xml"

HOME="$work/home" "$mame" -listfull "${patterns[@]}" >"$out/listfull.txt"
# -listclones takes one pattern at most: keep the header and the excerpt's clones.
grep -o '<machine name="[^"]*"' "$out/listxml.xml" | cut -d'"' -f2 | sort >"$work/names.txt"
HOME="$work/home" "$mame" -listclones |
    awk -v names="$work/names.txt" 'BEGIN { while ((getline n < names) > 0) keep[n] = 1 }
                                    NR == 1 || keep[$1]' >"$out/listclones.txt"
HOME="$work/home" "$mame" -listsource "${patterns[@]}" >"$out/listsource.txt"
HOME="$work/home" "$mame" -showconfig >"$out/showconfig.txt"

# A puckman.zip whose first two files hold the wrong bytes: MAME calls it bad.
head -c 2048 /dev/zero | tr '\0' '\022' >"$work/pm1_prg1.6e"
cp "$work/pm1_prg1.6e" "$work/pm1_prg2.6k"
(cd "$work" && python3 -c 'import sys, zipfile
with zipfile.ZipFile("roms/puckman.zip", "w") as z:
    for n in sys.argv[1:]: z.write(n)' pm1_prg1.6e pm1_prg2.6k)
# The real verdicts for every set, kept for the machines of the excerpt.
HOME="$work/home" "$mame" -rompath "$work/roms" -verifyroms '*' >"$work/all.txt" 2>/dev/null || true
{
    # Each line tagged with its set and its place, so that whole blocks (the
    # detail lines, then the verdict) can be sorted by set name.
    awk -v names="$work/names.txt" '
        BEGIN { while ((getline n < names) > 0) keep[n] = 1 }
        / romsets found, / { next }
        /^romset / {
            if (keep[$2]) {
                for (i = 1; i <= count; ++i) print $2 "\t" NR "\t" block[i]
                print $2 "\t" NR "\t" $0
            }
            count = 0
            next
        }
        { block[++count] = $0 }
    ' "$work/all.txt"
    for set in "${GOOD[@]}"; do
        parent=$(grep -o "<machine name=\"$set\"[^>]*cloneof=\"[^\"]*\"" "$out/listxml.xml" |
                 sed 's/.*cloneof="\([^"]*\)"/\1/' || true)
        printf '%s\t0\tromset %s%s is good\n' "$set" "$set" "${parent:+ [$parent]}"
    done
} | LC_ALL=C sort -t$'\t' -k1,1 -k2,2n -s | cut -f3- >"$out/verifyroms.txt"
found=$(grep -c '^romset ' "$out/verifyroms.txt")
ok=$(grep -c '^romset .* is \(good\|best available\)$' "$out/verifyroms.txt")
echo "$found romsets found, $ok were OK." >"$out/verifyroms-closing.txt"
echo "Fixtures written to $out"
