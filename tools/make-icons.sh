#!/usr/bin/env bash
# Renders Ludra's icon (resources/icons/ludra.svg) to the PNG sizes a desktop
# asks for. The PNGs are committed, so building Ludra needs no SVG renderer.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" ludra.svg -o "ludra-$size.png"
done
