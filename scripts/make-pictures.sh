#!/usr/bin/env bash
# Makes the program's own pictures with ImageMagick and writes them to
# src/app/win32/res/, where the resource scripts pick them up:
#   quorvin.ico    program icon, 16, 24, 32, 48 and 256 pixels
#   titleband.jpg  title band of the main window, 639x50, under white text
#   banner.jpg     banner of the about box, 360x50
#   homepage.jpg   the maker's logo for the main window, 200x40
#   update.ico     the update link's image, 16x16
# The results are committed; run this again only to change a picture.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/src/app/win32/res"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

dark='#0b2450'
mid='#17488f'
light='#2f6fc4'
font=DejaVu-Sans-Bold
# No dates or tool names inside the files, so that a rerun gives the same bytes.
strip=(-strip -define png:exclude-chunks=date,time)

# The icon: a blue rounded square with two white arrows passing each other
# (one set of settings swapped for another). Drawn large, then scaled down.
convert -size 256x256 xc:none \
  \( -size 240x240 gradient:"$light"-"$dark" \) -geometry +8+8 -compose over -composite \
  \( -size 256x256 xc:none -fill white -draw 'roundrectangle 8,8 247,247 44,44' \) \
  -compose dst-in -composite -compose over \
  -fill white -stroke none \
  -draw 'polygon 52,92 160,92 160,64 210,110 160,156 160,128 52,128' \
  -draw 'polygon 204,164 96,164 96,136 46,182 96,228 96,200 204,200' \
  -depth 8 "${strip[@]}" "$work/icon256.png"
for size in 16 24 32 48; do
  convert "$work/icon256.png" -filter Lanczos -resize ${size}x${size} -depth 8 "${strip[@]}" "$work/icon$size.png"
done
convert "$work/icon16.png" "$work/icon24.png" "$work/icon32.png" "$work/icon48.png" \
  "$work/icon256.png" "$out/quorvin.ico"

# The title band: a left-to-right gradient from dark to mid blue with a few
# faint diagonal stripes on the right; white text reads on all of it.
convert -size 50x639 gradient:"$dark"-"$mid" -rotate -90 \
  \( -size 639x50 xc:none -fill none -stroke 'rgba(255,255,255,0.07)' -strokewidth 14 \
     -draw 'line 470,60 520,-10' -draw 'line 520,60 570,-10' -draw 'line 570,60 620,-10' \) \
  -composite -quality 92 "${strip[@]}" "$out/titleband.jpg"

# The about banner: the same colours with the product's name.
convert -size 50x360 gradient:"$dark"-"$light" -rotate -90 \
  -font "$font" -pointsize 24 -fill white -annotate +58+33 'Quorvin' \
  -font DejaVu-Sans -pointsize 11 -fill '#c8d8f0' -annotate +186+32 'network settings, switched' \
  \( "$work/icon256.png" -resize 36x36 \) -geometry +12+7 -composite \
  -quality 92 "${strip[@]}" "$out/banner.jpg"

# The maker's logo: a blue ring with a notch and the name beside it.
convert -size 200x40 xc:white \
  -fill none -stroke "$mid" -strokewidth 5 -draw 'arc 6,6 34,34 40,320' \
  -fill "$dark" -stroke none -draw 'circle 20,20 20,15' \
  -font "$font" -pointsize 15 -fill "$dark" -annotate +42+20 'Corvane' \
  -font DejaVu-Sans -pointsize 11 -fill "$mid" -annotate +42+33 'Software' \
  -quality 92 "${strip[@]}" "$out/homepage.jpg"

# The update link's image: a green disc with a white arrow pointing down.
convert -size 64x64 xc:none -fill '#2e9b3e' -draw 'circle 32,32 32,2' \
  -fill white -draw 'polygon 25,14 39,14 39,32 48,32 32,50 16,32 25,32' \
  -filter Lanczos -resize 16x16 "${strip[@]}" "$work/update16.png"
convert "$work/update16.png" "$out/update.ico"

ls -l "$out"
