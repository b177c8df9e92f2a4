#!/bin/sh
# Renders every PNG of the game's artwork from its SVG source beside it.
# Needs rsvg-convert, from Debian's librsvg2-bin (apt-get install librsvg2-bin). Only whoever
# changes the artwork runs this: the PNGs are committed, so building the game never needs it.
set -eu

cd "$(dirname "$0")"

if ! command -v rsvg-convert >/dev/null 2>&1; then
    echo "render-artwork.sh: rsvg-convert not found; install Debian's librsvg2-bin" >&2
    exit 1
fi

# source, output, width, height: the sizes are the ones the windows lay out around.
render() {
    rsvg-convert --width "$3" --height "$4" --output "$2" "$1"
    echo "$2 (${3}x$4)"
}

# The window icon goes by device pixels: 16 and 32, and 64 for a 32-pixel icon on a screen with
# two device pixels to a logical pixel. A 16-pixel icon there takes the 32-pixel image.
render icons/tintwise.svg     icons/tintwise-64.png  64  64
render icons/tintwise.svg     icons/tintwise-32.png  32  32
render icons/tintwise-16.svg  icons/tintwise-16.png  16  16

# Each logo also gets an "@2x" twin at twice the size, for such screens.
render logos/maker.svg        logos/maker.png       288  90
render logos/maker.svg        logos/maker@2x.png    576 180
render logos/product.svg      logos/product.png     278  84
render logos/product.svg      logos/product@2x.png  556 168
