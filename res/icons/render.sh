#!/usr/bin/env bash
# Renders the application icon's PNGs from mainframe.svg: the sizes the program embeds for its
# window and About box, and the ones installed into the desktop's icon theme. The PNGs are
# checked in so that building needs no SVG renderer; run this after changing the drawing.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"

if ! command -v rsvg-convert >/dev/null; then
    echo "render.sh: rsvg-convert not found; install librsvg2-bin" >&2
    exit 1
fi

for size in 16 32 48 64 128 256; do
    rsvg-convert --width="$size" --height="$size" --format=png \
        --output="mainframe$size.png" mainframe.svg
done
