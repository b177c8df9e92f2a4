#!/usr/bin/python3
"""Prints the outline of a line of text as SVG path data, so the artwork needs no font to render."""
# The logos carry their lettering as outlines: any SVG renderer then draws it the same on every
# machine, whatever fonts it has. Needs Debian's python3-fonttools and the font file; only the
# people who change the lettering need either.
import sys

from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont

USAGE = """usage: text-to-path.py FONT_FILE SIZE_PX X BASELINE_Y [TRACKING_PX] TEXT
  FONT_FILE    e.g. /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf (fonts-dejavu-core)
  SIZE_PX      em size in pixels
  X            left edge of the first glyph's advance box
  BASELINE_Y   the baseline, in SVG coordinates (y grows downwards)
  TRACKING_PX  extra space between glyphs (default 0)
Prints the path data on stdout and the advance width of the line on stderr."""


def main(argv):
    if len(argv) not in (6, 7):
        sys.exit(USAGE)
    font_file, size, x, baseline = argv[1], float(argv[2]), float(argv[3]), float(argv[4])
    tracking = float(argv[5]) if len(argv) == 7 else 0.0
    text = argv[-1]

    font = TTFont(font_file)
    glyphs = font.getGlyphSet()
    cmap = font.getBestCmap()
    scale = size / font["head"].unitsPerEm

    pen = SVGPathPen(glyphs, ntos=lambda v: f"{v:.2f}".rstrip("0").rstrip("."))
    cursor = x
    for i, ch in enumerate(text):
        if ord(ch) not in cmap:
            sys.exit(f"text-to-path.py: {font_file} has no glyph for {ch!r}")
        glyph = glyphs[cmap[ord(ch)]]
        # Font units grow upwards, SVG's y downwards.
        glyph.draw(TransformPen(pen, (scale, 0, 0, -scale, cursor, baseline)))
        cursor += glyph.width * scale + (tracking if i < len(text) - 1 else 0)
    print(pen.getCommands())
    print(f"advance width {cursor - x:.2f}", file=sys.stderr)


if __name__ == "__main__":
    main(sys.argv)
