#!/usr/bin/env bash
# Draws the program's icon into morvelin.ico at every size Windows asks for (16, 20, 24, 32, 48
# and 256 pixels): a white M on a blue rounded square, drawn on a 256-unit grid and scaled, so
# each size is drawn, not blown up. Run it again after changing the drawing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
im=convert
command -v convert-im6.q16 >/dev/null && im=convert-im6.q16

art='fill #2b6cb0 roundrectangle 8,8 247,247 44,44
     fill white polygon 52,60 92,60 128,148 164,60 204,60 204,196 170,196 170,114 140,186 116,186 86,114 86,196 52,196'
images=()
for size in 256 48 32 24 20 16; do
  # Drawn four times as large and boxed down: even edges at the smallest sizes.
  big=$((size * 4))
  scale=$(awk "BEGIN { print $big / 256 }")
  "$im" -size ${big}x${big} xc:none -draw "scale $scale,$scale $art" \
    -filter box -resize ${size}x${size} -define png:exclude-chunks=date,time "png32:icon-$size.png.tmp"
  images+=("png32:icon-$size.png.tmp")
done
"$im" "${images[@]}" morvelin.ico
rm -f icon-*.png.tmp
