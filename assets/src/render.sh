#!/bin/sh
# Regenerates the SVG sources and the PNGs the program loads.
# Needs: python3-fonttools fonts-noto-cjk librsvg2-bin optipng (optional).
set -e
cd "$(dirname "$0")/.."
/usr/bin/python3 src/draw.py
for svg in src/side/*.svg src/page0/*.svg src/records/*.svg src/login_girl.svg src/spinner.svg; do
  png=${svg#src/}
  png=${png%.svg}.png
  mkdir -p "$(dirname "$png")"
  rsvg-convert -o "$png" "$svg"
done
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" -o "icon/kobrelan-$size.png" icon/kobrelan.svg
done
if command -v optipng >/dev/null; then
  find . -name '*.png' -exec optipng -quiet -o5 -strip all {} +
fi
