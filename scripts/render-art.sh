#!/usr/bin/env bash
# Renders the UI art from its SVG sources in resources/UI/src into the files the resource
# bundle ships (resources/UI/*.png|svg|gif and resources/Merivane/Merivane.ico). Run it
# after editing a source and commit the results: the build itself needs no renderer.
# Needs rsvg-convert (librsvg2-bin), ImageMagick and a Chinese font: bash scripts/setup.sh --art.
set -euo pipefail
cd "$(dirname "$0")/../resources"
src=UI/src
out=UI
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for tool in rsvg-convert convert; do
    command -v "$tool" >/dev/null || { echo "render-art: $tool is missing" >&2; exit 1; }
done

# Glyph templates: @FG@ is the glyph colour, @BG@/@BGO@ the hover disc and its opacity.
variant() { # template output fg bg bg-opacity
    sed -e "s/@FG@/$3/g" -e "s/@BG@/$4/g" -e "s/@BGO@/$5/g" "$src/tpl/$1.svg" >"$2"
}
for name in System_Setting System_Help System_Minimized System_Close; do
    variant "$name" "$out/$name.svg" "#666666" "#FFFFFF" 0
    if [ "$name" = System_Close ]; then
        variant "$name" "$out/${name}_hover.svg" "#FFFFFF" "#FF6A5C" 1
    else
        variant "$name" "$out/${name}_hover.svg" "#29DDD3" "#E0F8F6" 1
    fi
done
for name in Home Clear Wechat QQ LargeFile Repeat Privacy; do
    variant "Operation_$name" "$out/Operation_$name.svg" "#456767" none 0
    variant "Operation_$name" "$out/Operation_${name}_hover.svg" "#29DDD3" none 0
done
variant SoftUinst "$tmp/SoftUinstNor.svg" "#456767" none 0
variant SoftUinst "$tmp/SoftUinstSel.svg" "#29DDD3" none 0
rsvg-convert -o "$out/SoftUinstNor.png" "$tmp/SoftUinstNor.svg"
rsvg-convert -o "$out/SoftUinstSel.png" "$tmp/SoftUinstSel.svg"

# Plain pictures, rendered at the size their SVG declares.
for svg in "$src"/*.svg; do
    name=$(basename "$svg" .svg)
    case "$name" in WaitLoading | Merivane) continue ;; esac
    rsvg-convert -o "$out/$name.png" "$svg"
done

# The waiting animation: 16 frames of the arc turned by 22.5 degrees each. GIF keeps only
# on/off transparency, so the frames are laid on white and white becomes transparent: the
# soft edges then blend into the light pages the icon sits on.
frames=()
for i in $(seq 0 15); do
    angle=$(awk "BEGIN { print $i * 22.5 }")
    sed "s/@ANGLE@/$angle/" "$src/WaitLoading.svg" >"$tmp/wait$i.svg"
    rsvg-convert -b white -o "$tmp/wait$i.png" "$tmp/wait$i.svg"
    frames+=("$tmp/wait$i.png")
done
convert -delay 5 -dispose background "${frames[@]}" -transparent white -loop 0 "$out/WaitLoading.gif"

# The application icon in the usual Windows sizes, largest first: readers that take only
# the first entry (a QML Image) then scale down from the sharpest one.
sizes=()
for s in 256 128 64 48 32 24 16; do
    rsvg-convert -w "$s" -h "$s" -o "$tmp/icon$s.png" "$src/Merivane.svg"
    sizes+=("$tmp/icon$s.png")
done
mkdir -p Merivane
convert "${sizes[@]}" Merivane/Merivane.ico
echo "render-art: done"
