#!/usr/bin/env bash
# Renders the PNG item icons from their SVG sources in src/ (authoring time only; the PNGs
# are committed). Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for svg in src/*.svg; do
    name=$(basename "$svg" .svg)
    rsvg-convert -w 100 -h 100 "$svg" -o "$name.png"
done
