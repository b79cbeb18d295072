#!/usr/bin/env bash
# Draws the fourteen 16x16 marker images (image i for marker code i) into
# resources/markers. Needs ImageMagick and the DejaVu fonts; the images are
# committed, so the build does not need either.
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/resources/markers"
mkdir -p "$out"
bold=DejaVu-Sans-Bold

# badge <file> <shape> <fill> <stroke> <glyph> <glyph colour> [pointsize]
badge() {
  local file=$1 shape=$2 fill=$3 stroke=$4 glyph=$5 colour=$6 size=${7:-11}
  local draw
  case "$shape" in
    circle)   draw="circle 7.5,7.5 7.5,0.5" ;;
    square)   draw="roundrectangle 0.5,0.5 14.5,14.5 3,3" ;;
    triangle) draw="polygon 7.5,0.5 15,14.5 0,14.5" ;;
    diamond)  draw="polygon 7.5,0 15,7.5 7.5,15 0,7.5" ;;
  esac
  convert -size 16x16 xc:none -fill "$fill" -stroke "$stroke" -strokewidth 1 -draw "$draw" \
    -stroke none -fill "$colour" -font "$bold" -pointsize "$size" -gravity center \
    -annotate +0+1 "$glyph" -define png:exclude-chunks=date,time "PNG32:$out/$file"
}

badge marker-00.png circle   '#2e9e3e' '#1d6b29' '✓' white        # Confirmed
badge marker-01.png circle   '#e0a030' '#9a6a14' '~' white        # Unconfirmed
badge marker-02.png square   '#3fae4a' '#23702b' 'S' white        # In Stock
badge marker-03.png square   '#9a9a9a' '#5e5e5e' '∅' '#c01818' 12 # No Implant
badge marker-04.png circle   '#d02a2a' '#8a1414' '✕' white        # Bad Cluster
badge marker-05.png square   '#f5e06a' '#a89428' '≡' '#5a4d00' 12 # Note!
badge marker-06.png square   '#3358b8' '#1c3577' 'U' white        # Unremovable
badge marker-07.png square   '#6d6d6d' '#3d3d3d' 'T' white        # Trash
badge marker-08.png triangle '#f2c230' '#9a7a10' '!' black 10     # Notification!
badge marker-09.png square   '#e07b28' '#93490f' 'W' white 10     # Needs Work
badge marker-10.png circle   '#3a7bd5' '#214c8c' '?' white        # Query
badge marker-11.png diamond  '#e03030' '#8c1010' '!' white 10     # Conflict!
badge marker-12.png circle   '#8a4fc0' '#583080' '?' white        # Question?
badge marker-13.png square   '#ffffff' '#c01818' '0' '#c01818'    # No Stock
echo "wrote $(ls "$out" | wc -l) images to $out"
