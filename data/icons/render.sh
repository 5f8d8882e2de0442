#!/usr/bin/env bash
# Renders the program icon's PNG sizes from quillmora.svg (needs rsvg-convert,
# Debian package librsvg2-bin). The PNGs are committed, so building needs no
# SVG renderer; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" quillmora.svg -o "png/$size.png"
done
