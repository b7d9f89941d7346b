#!/bin/sh
# Renders the weapon pictures data/dlls/cvardll/guns/*.jpg from the vector drawings in items/.
#
# Every row of pictures.tsv names a JPEG, the drawing it shows and the label printed under the
# drawing. The drawing's default label is replaced by that label, the SVG is rendered at
# 205 x 65 pixels and written as a baseline RGB JPEG of quality 90.
#
# Usage: tools/pictures/build.sh [--items]
#   --items  first redraw items/*.svg with make_items.py (needs python3)
#
# Installs nothing. Debian packages it needs:
#   librsvg2-bin (rsvg-convert), imagemagick (convert), libjpeg-turbo-progs (cjpeg),
#   fonts-dejavu-core (DejaVu Sans, the label font).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$root/data/dlls/cvardll/guns"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

if [ "${1:-}" = "--items" ]; then
    python3 "$here/make_items.py" "$here/items"
fi

for tool in rsvg-convert convert cjpeg; do
    command -v "$tool" >/dev/null 2>&1 || { echo "build.sh: $tool not found" >&2; exit 1; }
done

mkdir -p "$out"
count=0
tab=$(printf '\t')
while IFS="$tab" read -r file item label; do
    case "$file" in '' | '#'*) continue ;; esac
    src="$here/items/$item.svg"
    if [ ! -f "$src" ]; then
        echo "build.sh: $file: no drawing $src" >&2
        exit 1
    fi
    # The label goes into XML text and then into a sed replacement: escape for both.
    esc=$(printf '%s' "$label" | sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' \
                                     -e 's/[\\&|]/\\&/g')
    sed "s|\(<text id=\"label\"[^>]*>\)[^<]*\(</text>\)|\1$esc\2|" "$src" >"$tmp/pic.svg"
    rsvg-convert --width 205 --height 65 --format png --output "$tmp/pic.png" "$tmp/pic.svg"
    convert "$tmp/pic.png" -alpha off -type TrueColor "ppm:$tmp/pic.ppm"
    cjpeg -quality 90 -optimize -outfile "$tmp/pic.jpg" "$tmp/pic.ppm"
    mv "$tmp/pic.jpg" "$out/$file.jpg"
    count=$((count + 1))
done <"$here/pictures.tsv"

echo "build.sh: $count pictures written to $out"
