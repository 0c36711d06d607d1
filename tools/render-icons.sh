#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Renders the checked-in PNG icons (48 and 128 px) from the SVG. Run it after
# changing data/icons/org.coinslot.coinslot.svg and commit the PNGs with it.
# Needs ImageMagick (Debian imagemagick).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
id=org.coinslot.coinslot
for size in 48 128; do
    mkdir -p "$size"
    # Render large and scale down, for smooth edges at every size.
    convert -background none -density 384 "$id.svg" -resize "${size}x${size}" \
        -depth 8 -strip "PNG32:$size/$id.png"
    echo "data/icons/$size/$id.png"
done
