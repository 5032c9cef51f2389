#!/bin/sh
# Renders the skin images, the application icon, skin.rc and skin_ids.h from the SVG generator.
# Needs python3, rsvg-convert (librsvg2-bin) and ImageMagick. Run from anywhere; writes into resources/.
set -eu
export PYTHONDONTWRITEBYTECODE=1

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
out="$repo/resources/skin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$here/skin.py" "$work/svg" "$repo/resources/skin.rc" "$repo/resources/skin_ids.h"
python3 "$here/appicon.py" "$work/icon"

# Every output is forced to 8-bit RGBA (colour type 6) without time stamps, so a re-render of
# unchanged sources gives identical files.
to_rgba() {
    convert "$1" -strip -define png:exclude-chunks=date,time -define png:color-type=6 -depth 8 "PNG32:$2"
}

mkdir -p "$out"
rm -f "$out"/*.png
while read -r name width height; do
    rsvg-convert -w "$width" -h "$height" -o "$work/$name.png" "$work/svg/$name.svg"
    to_rgba "$work/$name.png" "$out/$name.png"
done < "$work/svg/manifest.txt"

icons=""
for size in 16 24 32 48 64 256; do
    rsvg-convert -w "$size" -h "$size" -o "$work/icon-$size-raw.png" "$work/icon/icon-$size.svg"
    to_rgba "$work/icon-$size-raw.png" "$work/icon-$size.png"
    icons="$icons $work/icon-$size.png"
done
# shellcheck disable=SC2086 # the list is one path per size
convert $icons "$repo/resources/yarrowkeep.ico"

python3 "$here/check_skin.py" "$repo/resources"
