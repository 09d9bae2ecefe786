#!/bin/sh
# Contact sheet of the generated deck: the 78 cards in card order followed by the back,
# as one PNG, for looking over the whole deck at once.
#
#   tools/contact_sheet.sh [program folder] [output.png] [tile width]
#
# Defaults: build/, <program folder>/contact_sheet.png, 140 px tiles. Use a tile width of
# 49 to see the deck as the gallery shows it.
set -eu

dir=${1:-build}
out=${2:-$dir/contact_sheet.png}
tile=${3:-140}

command -v montage >/dev/null 2>&1 || {
    echo "contact_sheet.sh: ImageMagick's montage is needed" >&2
    exit 1
}

files=""
n=1
while [ "$n" -le 78 ]; do
    f="$dir/Imagenes/$n.jpg"
    [ -f "$f" ] || { echo "contact_sheet.sh: missing $f" >&2; exit 1; }
    files="$files $f"
    n=$((n + 1))
done
[ -f "$dir/dorso.png" ] || { echo "contact_sheet.sh: missing $dir/dorso.png" >&2; exit 1; }

# Each tile keeps the card's proportions; labels are the file names.
height=$(( tile * 1240 / 700 ))
# shellcheck disable=SC2086
montage -label '%t' -font DejaVu-Sans -pointsize $(( tile / 10 + 6 )) \
    $files "$dir/dorso.png" \
    -tile 14x -geometry "${tile}x${height}+4+4" -background '#202028' -fill '#e0e0e0' \
    "$out"
echo "$out"
