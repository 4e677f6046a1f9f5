#!/usr/bin/env bash
# Draws the main window's tool button images into toolbar.bmp: one 16 x 16 cell per button in
# band order, magenta where the button shows through. Run it again after changing a drawing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
im=convert
command -v convert-im6.q16 >/dev/null && im=convert-im6.q16

args=()
cell() {  # index, draw primitives in cell coordinates
  args+=(-draw "translate $((16 * $1)),0 $2")
}

page='fill white stroke #404040 rectangle 2,1 11,14'
cell 0 'fill none stroke #107010 stroke-width 2 polyline 2,8 6,12 13,3'
cell 1 'fill none stroke #c01010 stroke-width 2 line 3,3 12,12 line 12,3 3,12'
cell 2 'fill #2850a0 stroke #102860 rectangle 1,1 14,14 fill white stroke none rectangle 4,2 11,6 fill #c0c0c0 rectangle 5,10 10,14 fill #2850a0 rectangle 6,11 7,13'
cell 3 "$page fill #10a010 stroke none rectangle 11,5 13,15 rectangle 8,9 15,11"
cell 4 "$page fill none stroke #808080 line 4,4 9,4 line 4,7 9,7 fill #f0c020 stroke #806000 polygon 14,3 15,4 8,11 7,10 fill #404040 stroke none rectangle 5,12 6,13"
cell 5 'fill #c8c8c8 stroke #404040 rectangle 4,4 11,14 line 2,3 13,3 rectangle 6,1 9,2 line 6,6 6,12 line 9,6 9,12'
cell 6 'fill #4868b0 stroke #203878 rectangle 1,2 14,5 rectangle 1,10 14,13 fill #000000 stroke none point 2,7 point 4,7 point 6,7 point 8,7 point 10,7 point 12,7'
cell 7 'fill #2868c8 stroke #103070 polygon 7,1 8,1 14,7 14,8 10,8 10,14 5,14 5,8 1,8 1,7'
cell 8 'fill #2868c8 stroke #103070 polygon 7,14 8,14 14,8 14,7 10,7 10,1 5,1 5,7 1,7 1,8'
cell 9 'fill #20a020 stroke #106010 polygon 4,2 13,8 4,14'
cell 10 'fill white stroke #404040 rectangle 1,2 14,13 fill #2868c8 stroke none rectangle 3,4 4,5 rectangle 3,7 4,8 rectangle 3,10 4,11 fill #606060 rectangle 6,4 12,5 rectangle 6,7 12,8 rectangle 6,10 12,11'
cell 11 'fill #2868c8 stroke #103070 circle 7,7 7,0 fill white stroke none rectangle 6,3 8,4 rectangle 6,6 8,11 rectangle 5,11 9,11'
cell 12 'fill #2868c8 stroke #103070 circle 7,7 7,0 fill white stroke none rectangle 5,3 9,3 rectangle 4,4 5,5 rectangle 9,4 10,6 rectangle 8,7 9,7 rectangle 7,8 8,9 rectangle 7,11 8,12'
cell 13 'fill #f0c848 stroke #806010 rectangle 1,4 14,13 rectangle 1,2 6,4 fill #20a020 stroke #106010 polygon 6,6 11,9 6,12'
cell 14 'fill white stroke #404040 rectangle 3,1 14,14 fill white stroke #000000 rectangle 0,7 8,15 fill none stroke #000000 line 2,13 5,10 fill #000000 stroke none polygon 4,9 7,9 7,12'
"$im" -size 240x16 xc:'#ff00ff' +antialias "${args[@]}" -type truecolor BMP3:toolbar.bmp
