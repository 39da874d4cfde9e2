#!/usr/bin/env bash
# Draws the program icon, a magnifying glass whose lens shows a mouse pointer enlarged to
# visible pixels, and writes res/glimmerlux.ico with 16, 24, 32, 48, 64 and 256 pixel images.
# Needs ImageMagick 6 (`convert`). Run from anywhere; the result is committed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The lens content, one character per enlarged pixel: . and , two background blues
# (checkered so the pixels read as pixels), X the pointer's outline, W its body.
pixels=(
  ".,.,.,.,.,.,"
  ",.,.X.,.,.,."
  ".,.,XX.,.,.,"
  ",.,.XWX.,.,."
  ".,.,XWWX.,.,"
  ",.,.XWWWX.,."
  ".,.,XWWWWX.,"
  ",.,.XWWWWWX."
  ".,.,XWWXXXX,"
  ",.,.XWX.,.,."
  ".,.,XX.,.,.,"
  ",.,.X.,.,.,."
)
declare -A colour=([.]="#3d8fd6" [,]="#58a8ec" [X]="#14202e" [W]="#ffffff")
grid=${#pixels[@]}
cell=66
side=$((grid * cell))
draw=()
for y in "${!pixels[@]}"; do
  row="${pixels[$y]}"
  for ((x = 0; x < ${#row}; x++)); do
    draw+=(-fill "${colour[${row:$x:1}]}" -draw "point $x,$y")
  done
done
lines=""
for ((i = 1; i < grid; i++)); do
  lines+="M $((i * cell)),0 L $((i * cell)),$side M 0,$((i * cell)) L $side,$((i * cell)) "
done
convert -size "${grid}x${grid}" xc:none "${draw[@]}" -scale "${side}x${side}" \
  -stroke "#00000040" -strokewidth 6 -fill none -draw "path '$lines'" "$work/lens-square.png"

# Master drawing at 1024 x 1024: lens centre (420, 420), inner radius 330.
convert -size 1024x1024 xc:none "$work/lens-square.png" -geometry +$((420 - side / 2))+$((420 - side / 2)) -composite \
  \( -size 1024x1024 xc:black -fill white -draw "circle 420,420 420,90" \) \
  -alpha off -compose CopyOpacity -composite "$work/lens.png"
convert -size 1024x1024 xc:none \
  -stroke "#2b2f36" -strokewidth 150 -draw "line 680,680 930,930" \
  -stroke "#555c66" -strokewidth 170 -draw "line 650,650 700,700" \
  "$work/lens.png" -composite \
  -fill none -stroke "#2b2f36" -strokewidth 84 -draw "circle 420,420 420,48" \
  -stroke "#8a939e" -strokewidth 18 -draw "circle 420,420 420,48" \
  -stroke "#ffffff90" -strokewidth 34 -draw "arc 150,150 690,690 200,250" \
  "$work/master.png"

images=()
for size in 256 64 48 32 24 16; do
  convert "$work/master.png" -filter Lanczos -resize "${size}x${size}" -depth 8 -define png:exclude-chunk=date,time "PNG32:$work/icon-$size.png"
  images+=("$work/icon-$size.png")
done
convert "${images[@]}" "$root/res/glimmerlux.ico"
echo "wrote $root/res/glimmerlux.ico"
