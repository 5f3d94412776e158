#!/usr/bin/env bash
# Draws the application icon at every size the program and the Windows build
# use, and packs them into app.ico; then the About window's logo and the
# backgrounds of the About window and the author page. The results are
# committed, so this only needs running again after changing the design below.
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
about=resources/about
mkdir -p "$out" "$about"

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

# draw FILE SIZE RIM_INSET BRAND_PT BRAND_AA BRAND_Y NAME_PT NAME_Y
# The rim is one pixel wide below 128 px, and from there a sixty-fourth of the
# size, so that it keeps its weight as the icon grows. BRAND_AA is "aa" or
# "sharp": at 16 px unsmoothed letters read better than grey blurs. A BRAND_Y
# of "centre" centres the brand mark; a NAME_PT of 0 leaves the product name
# out, since below 48 px it is only a smudge.
draw()
{
    local file=$1 size=$2 inset=$3 brand_pt=$4 brand_aa=$5 brand_y=$6 name_pt=$7 name_y=$8
    local rim=1
    ((size >= 128)) && rim=$((size / 64))
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
        "PNG24:$file"
}

# The 256 px picture is for Windows alone, which shows it in Explorer's large
# views and at twice the usual pixel density.
#    file               size inset brand_pt brand_aa brand_y name_pt name_y
draw "$work/app-256.png" 256 8     132      aa       40      20      190
draw "$out/app-128.png" 128  4     66       aa       20      10      95
draw "$out/app-64.png"   64  2     33       aa       10      5       47
draw "$out/app-48.png"   48  2     25       aa       7       4       35
draw "$out/app-32.png"   32  1     16       aa       centre  0       0
draw "$out/app-24.png"   24  1     12       aa       centre  0       0
draw "$out/app-16.png"   16  0     8        sharp    centre  0       0

# ImageMagick stores the 256 px picture as PNG, as Windows expects at that
# size, and the smaller ones as bitmaps, which every reader of icons knows.
# Windows reads a PNG in an icon only as 32-bit RGBA, where ImageMagick would
# otherwise choose a palette.
convert -define png:format=png32 "$out/app-16.png" "$out/app-24.png" "$out/app-32.png" \
    "$out/app-48.png" "$out/app-64.png" "$out/app-128.png" "$work/app-256.png" "$out/app.ico"

# The backgrounds are PNG rather than JPEG: Qt reads PNG without a plugin, so
# the pictures cannot go missing from a deployment.
png_out() { echo -alpha off -type TrueColor -depth 8 -strip -define png:exclude-chunks=date,time; }

# flower CX CY RADIUS ANGLE: five round yellow petals about an orange heart.
flower()
{
    local cx=$1 cy=$2 r=$3 angle=$4 i draw=""
    for ((i = 0; i < 5; i++)); do
        draw+="push graphic-context translate $cx,$cy rotate $((angle + i * 72)) "
        draw+="fill #F6CF2E ellipse 0,-$((r * 6 / 10)) $((r * 3 / 10)),$((r / 2)) 0,360 "
        draw+="pop graphic-context "
    done
    echo "$draw fill #E39A2A circle $cx,$cy $((cx + r * 22 / 100)),$cy "
}

# daisy CX CY RADIUS PETALS: narrow white petals about a yellow heart.
daisy()
{
    local cx=$1 cy=$2 r=$3 petals=$4 i draw=""
    for ((i = 0; i < petals; i++)); do
        draw+="push graphic-context translate $cx,$cy rotate $((i * 360 / petals)) "
        draw+="fill white stroke #D9D2B0 stroke-width 1 "
        draw+="ellipse 0,-$((r * 55 / 100)) $((r * 9 / 100)),$((r * 42 / 100)) 0,360 "
        draw+="pop graphic-context "
    done
    echo "$draw fill #F2B51C stroke #D99A10 circle $cx,$cy $((cx + r * 18 / 100)),$cy "
}

# fade FILE SCALE OPACITY DRAWING: a drawing laid out on the 600 x 400 grid,
# drawn SCALE times as large on a transparent layer and faded so that text
# over it stays easy to read.
fade()
{
    local s=$2
    convert -size $((600 * s))x$((400 * s)) xc:none -draw "scale $s,$s $4" \
        -channel A -evaluate multiply "$3" +channel "$1"
}

# The About window: a green band down the left edge behind the logo and the
# "X", an orange band along the top behind the title and the arrow, a pale
# cream field with faded flowers in its lower left, and a bevelled rim.
# about_background FILE SCALE
about_background()
{
    local s=$2
    fade "$work/flowers.png" "$s" 0.35 "$(flower 150 330 40 0) $(flower 228 366 28 20) \
        $(flower 118 252 22 40) $(flower 205 290 18 10) $(flower 290 378 16 50)"
    # shellcheck disable=SC2046  # png_out is a list of options
    convert -size $((600 * s))x$((400 * s)) xc:#FBF3DC "$work/flowers.png" -composite \
        \( -size $((510 * s))x$((65 * s)) gradient:#F59A38-#E87D1E \) \
        -geometry +$((90 * s))+0 -composite \
        \( -size $((90 * s))x$((400 * s)) gradient:#4CA24E-#2F7D37 \) -geometry +0+0 -composite \
        -raise $((4 * s))x$((4 * s)) $(png_out) "PNG24:$1"
}

# The author page: green at the top to yellow at the bottom over an embossed
# texture, two faded daisies on the right, and a bevelled rim. The texture is
# seeded noise, so it comes out the same every time; it is made once on the
# 600 x 400 grid and enlarged for the larger picture, so both show one pattern.
convert -size 600x400 xc: -seed 7 +noise Random -colorspace gray -blur 0x1.5 \
    -shade 120x40 -auto-level +level 40%,60% "$work/texture.png"
# author_background FILE SCALE
author_background()
{
    local s=$2
    fade "$work/daisies.png" "$s" 0.45 "$(daisy 500 225 85 18) $(daisy 565 335 55 14)"
    # shellcheck disable=SC2046
    convert -size $((600 * s))x$((400 * s)) gradient:#5DAE4F-#F3E15A \
        \( "$work/texture.png" -resize $((100 * s))% \) -compose overlay -composite \
        "$work/daisies.png" -compose over -composite \
        -raise $((4 * s))x$((4 * s)) $(png_out) "PNG24:$1"
}

# Each picture also comes twice as large, "@2x" in Qt's naming, for screens
# with two device pixels to the pixel. It is drawn afresh on its own grid,
# not enlarged from the smaller one, which would only double its pixels.
#    file                 size inset brand_pt brand_aa brand_y name_pt name_y
draw "$about/logo.png"    70   2     34       aa       12      6       52
draw "$about/logo@2x.png" 140  4     68       aa       24      12      104
about_background "$about/about-background.png" 1
about_background "$about/about-background@2x.png" 2
author_background "$about/author-background.png" 1
author_background "$about/author-background@2x.png" 2

echo "Icons written to $out/, About pictures to $about/"
