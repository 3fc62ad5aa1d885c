#!/usr/bin/python3
"""contact_sheet.py OUT.png IMAGE.tga...

Lays every picture out on one sheet, each on a checkerboard so its
transparency shows, with its file name and size under it. The pictures are
read back from the TGA files, so the sheet shows what the pack holds."""

import os
import sys

import cairo

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tga  # noqa: E402

SHEET_WIDTH = 1600
GAP = 16
LABEL = 18


def checkerboard(ctx, x, y, w, h):
    ctx.save()
    ctx.rectangle(x, y, w, h)
    ctx.clip()
    ctx.set_source_rgb(0.46, 0.48, 0.53)
    ctx.paint()
    ctx.set_source_rgb(0.36, 0.38, 0.43)
    for j in range(int(h // 8) + 1):
        for i in range(int(w // 8) + 1):
            if (i + j) % 2:
                ctx.rectangle(x + i * 8, y + j * 8, 8, 8)
    ctx.fill()
    ctx.restore()


def layout(sizes):
    """Rows of (index, x, y) placing pictures left to right, wrapping at the sheet's width."""
    places, x, y, row_height = [], GAP, GAP, 0
    for i, (w, h) in enumerate(sizes):
        if x + w + GAP > SHEET_WIDTH and x > GAP:
            x, y, row_height = GAP, y + row_height + LABEL + GAP, 0
        places.append((i, x, y))
        x += max(w, 150) + GAP
        row_height = max(row_height, h)
    return places, y + row_height + LABEL + GAP


def main(argv):
    if len(argv) < 3:
        sys.stderr.write("usage: contact_sheet.py OUT.png IMAGE.tga...\n")
        return 2
    pictures = []
    for path in argv[2:]:
        with open(path, "rb") as f:
            try:
                width, height, rows = tga.decode(f.read())
            except ValueError as error:
                sys.stderr.write("contact_sheet.py: %s: %s\n" % (path, error))
                return 1
        pictures.append((os.path.basename(path), tga.to_surface(width, height, rows)))
    places, height = layout([(s.get_width(), s.get_height()) for _, s in pictures])
    sheet = cairo.ImageSurface(cairo.FORMAT_RGB24, SHEET_WIDTH, int(height))
    ctx = cairo.Context(sheet)
    ctx.set_source_rgb(0.16, 0.17, 0.20)
    ctx.paint()
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(12)
    for i, x, y in places:
        name, surface = pictures[i]
        w, h = surface.get_width(), surface.get_height()
        checkerboard(ctx, x, y, w, h)
        ctx.set_source_surface(surface, x, y)
        ctx.paint()
        ctx.set_source_rgb(0.9, 0.9, 0.9)
        ctx.move_to(x, y + h + 13)
        ctx.show_text("%s  %dx%d" % (name, w, h))
    sheet.write_to_png(argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
