#!/usr/bin/env bash
# Draws the application icon at every size the program and the Windows build
# use, and packs them into app.ico. The results are committed, so this only
# needs running again after changing the design below.
#
# Each size is drawn on its own pixel grid rather than scaled down from the
# largest one: scaled-down text turns to mush, and the small sizes need their
# own letter sizes to stay legible. The output is byte-for-byte reproducible,
# so re-running it leaves git clean.
set -euo pipefail
# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"

ensure_packages imagemagick fonts-liberation2 fontconfig

font=$(fc-match -f '%{file}' 'Liberation Sans:bold')
if [[ "$font" != *LiberationSans-Bold* ]]; then
    echo "error: Liberation Sans Bold not found (fc-match gave: ${font:-nothing})." >&2
    exit 1
fi

orange="#F28C28"
brand="QM"
product="Glyphorbitaloscopex"
out=resources/icons
mkdir -p "$out"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# text_layer FILE POINTSIZE ANTIALIAS TEXT
# White text on transparent, trimmed to its ink so it can be placed exactly;
# ImageMagick's own text gravity centres the font's advance box, which puts
# the letters a pixel or two off centre at small sizes.
text_layer()
{
    local file=$1 pt=$2 aa=$3 text=$4
    local aa_arg=-antialias
    # ImageMagick turns a setting off with "+", not "-".
    [[ "$aa" == sharp ]] && aa_arg=+antialias
    convert -background none -fill white -font "$font" "$aa_arg" -pointsize "$pt" \
        "label:$text" -trim +repage "$file"
}

height_of() { convert "$1" -format '%h' info:; }

# draw SIZE RIM_INSET BRAND_PT BRAND_AA BRAND_Y NAME_PT NAME_Y
# The rim is one pixel wide below 128 px and two at 128. BRAND_AA is "aa" or
# "sharp": at 16 px unsmoothed letters read better than grey blurs. A BRAND_Y
# of "centre" centres the brand mark; a NAME_PT of 0 leaves the product name
# out, since below 48 px it is only a smudge.
draw()
{
    local size=$1 inset=$2 brand_pt=$3 brand_aa=$4 brand_y=$5 name_pt=$6 name_y=$7
    local rim=1
    ((size >= 128)) && rim=2
    local last=$((size - 1))
    local outer_a=$inset outer_b=$((last - inset))
    local inner_a=$((inset + rim)) inner_b=$((last - inset - rim))

    text_layer "$work/brand.png" "$brand_pt" "$brand_aa" "$brand"
    if [[ "$brand_y" == centre ]]; then
        brand_y=$(((size - $(height_of "$work/brand.png")) / 2))
    fi
    local layers=("$work/brand.png" -gravity north -geometry "+0+$brand_y" -composite)
    if [[ "$name_pt" != 0 ]]; then
        text_layer "$work/name.png" "$name_pt" aa "$product"
        layers+=("$work/name.png" -gravity north -geometry "+0+$name_y" -composite)
    fi

    convert -size "${size}x${size}" "xc:$orange" \
        -fill white -draw "rectangle $outer_a,$outer_a $outer_b,$outer_b" \
        -fill "$orange" -draw "rectangle $inner_a,$inner_a $inner_b,$inner_b" \
        "${layers[@]}" \
        -alpha off -type TrueColor -depth 8 \
        -strip -define png:exclude-chunks=date,time \
        "PNG24:$out/app-$size.png"
}

#    size inset brand_pt brand_aa brand_y name_pt name_y
draw 128  4     66       aa       20      10      95
draw  64  2     33       aa       10      5       47
draw  48  2     25       aa       7       4       35
draw  32  1     16       aa       centre  0       0
draw  24  1     12       aa       centre  0       0
draw  16  0     8        sharp    centre  0       0

convert "$out/app-16.png" "$out/app-24.png" "$out/app-32.png" \
    "$out/app-48.png" "$out/app-64.png" "$out/app-128.png" "$out/app.ico"

echo "Icons written to $out/"
