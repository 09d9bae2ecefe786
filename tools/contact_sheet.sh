#!/bin/sh
# Contact sheet of the generated deck: the 78 cards in card order followed by the back,
# as one PNG, for looking over the whole deck at once.
#
#   tools/contact_sheet.sh [program folder] [output.png] [tile width]
#
# Defaults: build/, contact_sheet.png in the current folder (the program folder itself stays
# as the build made it), 140 px tiles. A tile width of 49 shows the deck at gallery size.
set -eu

dir=${1:-build}
out=${2:-contact_sheet.png}
tile=${3:-140}

command -v montage >/dev/null 2>&1 || {
    echo "contact_sheet.sh: ImageMagick's montage is needed" >&2
    exit 1
}

# The cards in order, then the back, as the positional parameters (safe with blanks in paths).
set --
n=1
while [ "$n" -le 78 ]; do
    f="$dir/Imagenes/$n.jpg"
    [ -f "$f" ] || { echo "contact_sheet.sh: missing $f" >&2; exit 1; }
    set -- "$@" "$f"
    n=$((n + 1))
done
[ -f "$dir/dorso.png" ] || { echo "contact_sheet.sh: missing $dir/dorso.png" >&2; exit 1; }
set -- "$@" "$dir/dorso.png"

# Each tile keeps the card's proportions; labels are the file names.
height=$(( tile * 1240 / 700 ))
montage -label '%t' -font DejaVu-Sans -pointsize $(( tile / 10 + 6 )) "$@" \
    -tile 14x -geometry "${tile}x${height}+4+4" -background '#202028' -fill '#e0e0e0' \
    "$out"
echo "$out"
