#!/bin/sh
# Re-renders the toolbar and application icon PNGs from their SVG sources.
# Developer tool only; the build uses the committed PNGs.
# Needs rsvg-convert (Debian: librsvg2-bin); uses optipng if present.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
icons="$here/icons"
appsvg="$here/resonex.svg"

render() { # svg size out
    rsvg-convert -w "$2" -h "$2" -o "$3" "$1"
    if command -v optipng >/dev/null 2>&1; then optipng -quiet -o7 -strip all "$3"; fi
}

for name in new open save print secondary primary capacitor topload power; do
    for size in 24 48; do
        render "$icons/$name.svg" "$size" "$icons/$name-$size.png"
    done
done
# The window icons (32, 64, 128) and the sizes the hicolor theme installs.
for size in 16 22 24 32 48 64 128 256; do
    render "$appsvg" "$size" "$icons/resonex-$size.png"
done
echo "rendered icons into $icons"
