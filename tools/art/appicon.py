#!/usr/bin/env python3
"""Writes the application icon's SVG sources, one per icon size, into the given folder.

Small sizes drop the card's contacts and use a larger card whose edges and arrow fall on whole pixels,
so the mark stays crisp at 16 and 24 pixels.
"""

import os
import sys

from brand import tile
from svgkit import Svg

SIZES = (16, 24, 32, 48, 64, 256)


# size: (card width and height as shares of the tile, arrow shaft half-width as a share of the card)
PIXEL_FITTED = {16: ((10 / 16, 12 / 16), 1 / 10), 24: ((14 / 24, 18 / 24), 1 / 14)}


def icon_svg(size):
    svg = Svg(size, size)
    if size in PIXEL_FITTED:
        card, shaft = PIXEL_FITTED[size]
        svg.add(*tile(svg, 0, 0, size, detail=False, card=card, shaft=shaft))
    else:
        margin = 0 if size <= 32 else size / 32
        svg.add(*tile(svg, margin, margin, size - 2 * margin, detail=size >= 48))
    return svg.text()


def main(argv):
    if len(argv) != 2:
        sys.exit("usage: appicon.py SVG_DIR")
    os.makedirs(argv[1], exist_ok=True)
    for size in SIZES:
        with open(os.path.join(argv[1], f"icon-{size}.svg"), "w", encoding="utf-8") as f:
            f.write(icon_svg(size))


if __name__ == "__main__":
    main(sys.argv)
