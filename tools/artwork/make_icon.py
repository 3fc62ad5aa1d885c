#!/usr/bin/python3
"""make_icon.py OUTDIR ICON_SOURCE.py
make_icon.py --png OUTDIR ICON_SOURCE.py SIZE...

Draws the program's icon at every size the source lists (SIZES, and
draw_icon(ctx, size) on a cleared, transparent square) and writes into OUTDIR:
- snowgig-N.png for each size N;
- snowgig.ico holding every size: 32-bit bitmaps with their transparency mask
  below 256 px, the 256 px picture as PNG, as Windows expects;
- icon-sheet.png: every size magnified to the same height without smoothing,
  on a light and on a dark ground, to judge how each one reads."""

import io
import os
import struct
import sys

import cairo

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tga  # noqa: E402
from render_art import load_source  # noqa: E402


def render(size, draw):
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, size, size)
    ctx = cairo.Context(surface)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    draw(ctx, size)
    surface.flush()
    return surface


def png_bytes(surface):
    out = io.BytesIO()
    surface.write_to_png(out)
    return out.getvalue()


def bitmap_entry(surface):
    """An icon bitmap: header with the doubled height of colour and mask, the
    straight BGRA rows bottom-up, then the 1-bit mask (set where transparent),
    each mask row padded to four bytes."""
    size = surface.get_width()
    rows = tga.straight_bgra_rows(surface)
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(size):
            if row[x * 4 + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    pixels = b"".join(reversed(rows))
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + bytes(mask)


def ico_bytes(surfaces):
    entries = [png_bytes(s) if s.get_width() >= 256 else bitmap_entry(s) for s in surfaces]
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for surface, data in zip(surfaces, entries):
        side = surface.get_width() % 256  # 0 stands for 256
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in entries:
        out += data
    return bytes(out)


def contact_sheet(surfaces, cell=128, gap=8):
    grounds = ((0.94, 0.94, 0.94), (0.16, 0.16, 0.18))
    width = gap + len(surfaces) * (cell + gap)
    height = gap + len(grounds) * (cell + gap)
    sheet = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    ctx = cairo.Context(sheet)
    ctx.set_source_rgb(0.5, 0.5, 0.5)
    ctx.paint()
    for row, ground in enumerate(grounds):
        for column, surface in enumerate(surfaces):
            x, y = gap + column * (cell + gap), gap + row * (cell + gap)
            ctx.save()
            ctx.rectangle(x, y, cell, cell)
            ctx.set_source_rgb(*ground)
            ctx.fill()
            ctx.translate(x, y)
            zoom = cell / surface.get_width()
            ctx.scale(zoom, zoom)
            ctx.set_source_surface(surface, 0, 0)
            ctx.get_source().set_filter(cairo.FILTER_NEAREST)
            ctx.paint()
            ctx.restore()
    return sheet


def main(argv):
    png_only = argv[1:2] == ["--png"]
    if png_only:
        argv = argv[:1] + argv[2:]
    sizes = argv[3:]
    if len(argv) < 3 or (sizes and not png_only) or (png_only and not sizes):
        sys.stderr.write("usage: make_icon.py OUTDIR ICON_SOURCE.py\n"
                         "       make_icon.py --png OUTDIR ICON_SOURCE.py SIZE...\n")
        return 2
    if not all(size.isdigit() and 0 < int(size) <= 4096 for size in sizes):
        sys.stderr.write("make_icon.py: sizes are whole numbers of pixels up to 4096, not %s\n"
                         % " ".join(sizes))
        return 2
    outdir, source = argv[1], argv[2]
    module = load_source(source)
    if not hasattr(module, "SIZES") or not hasattr(module, "draw_icon"):
        sys.stderr.write("make_icon.py: %s has no SIZES or no draw_icon\n" % source)
        return 1
    os.makedirs(outdir, exist_ok=True)
    surfaces = [render(size, module.draw_icon)
                for size in ([int(size) for size in sizes] if png_only else module.SIZES)]
    for surface in surfaces:
        surface.write_to_png(os.path.join(outdir, "snowgig-%d.png" % surface.get_width()))
    if png_only:
        return 0
    with open(os.path.join(outdir, "snowgig.ico"), "wb") as f:
        f.write(ico_bytes(surfaces))
    contact_sheet(surfaces).write_to_png(os.path.join(outdir, "icon-sheet.png"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
