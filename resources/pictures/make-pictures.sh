#!/usr/bin/env bash
# Draws the program's pictures (splash, background tile, window icon) with ImageMagick.
# The outputs are committed; run this again only to change them.
set -euo pipefail
cd "$(dirname "$0")"
font=DejaVu-Sans
bold=DejaVu-Sans-Bold

# Splash: a dark blue gradient with the product name and a stylised handheld; one picture per
# language (the Chinese one is shown when the program runs in Chinese).
splash() {  # output, subtitle font, subtitle, company font, company
    convert -size 480x280 gradient:'#0b2a5b'-'#1f5fa8' \
        -fill '#ffffff22' -draw "circle 400,70 470,70" -fill '#ffffff14' -draw "circle 60,250 150,250" \
        -fill '#d9e6f5' -draw "roundrectangle 48,70 118,230 10,10" \
        -fill '#0b2a5b' -draw "rectangle 58,90 108,130" \
        -fill '#8fb3de' -draw "rectangle 62,94 104,126" \
        -fill '#0b2a5b' -draw "circle 70,155 74,155" -draw "circle 83,155 87,155" -draw "circle 96,155 100,155" \
        -draw "circle 70,170 74,170" -draw "circle 83,170 87,170" -draw "circle 96,170 100,170" \
        -draw "circle 70,185 74,185" -draw "circle 83,185 87,185" -draw "circle 96,185 100,185" \
        -fill '#d9e6f5' -draw "rectangle 100,30 106,72" \
        -font "$bold" -pointsize 40 -fill white -annotate +150+130 'LH-740' \
        -font "$2" -pointsize 20 -fill '#d9e6f5' -annotate +152+162 "$3" \
        -font "$4" -pointsize 14 -fill '#a9c4e6' -annotate +152+200 "$5" \
        -fill '#ffffff55' -draw "line 150,176 440,176" \
        -type TrueColor "BMP3:$1"
}
splash startup.bmp "$font" 'Program Software' "$font" 'Vornex Communications'
splash startup-zh.bmp Noto-Sans-CJK-SC '写频软件' Noto-Sans-CJK-SC 'Vornex 通信'

# Background: a quiet tile with a faint diagonal pattern, so the tiling does not show seams.
convert -size 96x96 xc:'#e6ebf2' \
    -stroke '#dde4ee' -strokewidth 1 \
    -draw "line 0,48 48,0" -draw "line 48,96 96,48" -draw "line 0,96 96,0" \
    -draw "line -48,48 0,0" \
    -type TrueColor BMP3:background.bmp

# Icon: a handheld radio on a blue disc, drawn at 768 pixels and scaled down: 16, 32 and 48
# pixels in the window icon, 48, 128 and 256 in the desktop's icon theme.
icon() {  # size, output
    convert -size 768x768 xc:none \
        -draw "scale 4,4 fill '#1f5fa8' circle 96,96 96,4" \
        -draw "scale 4,4 fill white roundrectangle 66,52 126,168 12,12" \
        -draw "scale 4,4 fill white rectangle 108,18 118,56" \
        -draw "scale 4,4 fill '#1f5fa8' rectangle 76,64 116,96" \
        -draw "scale 4,4 fill '#1f5fa8' circle 84,118 90,118 circle 108,118 114,118 circle 84,142 90,142 circle 108,142 114,142" \
        -resize "$1x$1" -depth 8 "$2"
}
for s in 48 32 16; do
    icon $s icon-$s.png
done
convert icon-16.png icon-32.png icon-48.png title.ico
rm -f icon-16.png icon-32.png icon-48.png
for s in 48 128 256; do
    icon $s lh740-$s.png
done
