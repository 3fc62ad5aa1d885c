#!/usr/bin/python3
"""text_preview.py FONT.tga CITY.tga OUT.png

Writes banner lines and quotes the way the show draws them, at 640 x 480 and
at 1024 x 768: white over the pavement and over the road (each row taken from
a city block), black over the big bubble's paper, at a whole-pixel and at a
half-pixel position, enlarged four times. Prints how much white and dark
edge a glyph holds on average, and, for each ground, the contrast of the
letters' white and of their dark edge against that ground."""

import os
import sys

import cairo

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "art"))
import tga  # noqa: E402
from font import GLYPHS  # noqa: E402

BANNER = "Welcome to this fine piece of snowgig."
QUOTE = "Bullshit Mr Jim-man! vocals Holloway"
ZOOM = 4
# Rows of a city block under the two banner lanes on a 640 x 480 screen: a
# car driving right tows its line over the pavement, one driving left over
# the road.
GROUNDS = (("pavement", 346), ("road", 396))


def text_width(text):
    width = 0.0
    for ch in text:
        glyph = next((g for g in GLYPHS if g[0] == ch), None)
        width += 10 if ch == " " else (glyph[3] if glyph else 0)
    return width


def draw_text(ctx, font, text, x, y, scale, black):
    """Each glyph as one bilinearly filtered quad, as the program draws it."""
    pen = x
    for ch in text:
        if ch == " ":
            pen += 10 * scale
            continue
        glyph = next((g for g in GLYPHS if g[0] == ch), None)
        if glyph is None:
            continue
        _, tex_x, tex_y, width, height, offset_y = glyph
        top = tex_y - height + 1
        ctx.save()
        qx, qy = pen, y + offset_y * scale
        ctx.rectangle(qx, qy, width * scale, height * scale)
        ctx.clip()
        pattern = cairo.SurfacePattern(font)
        pattern.set_filter(cairo.FILTER_BILINEAR)
        matrix = cairo.Matrix()
        matrix.translate(tex_x, top)
        matrix.scale(1 / scale, 1 / scale)
        matrix.translate(-qx, -qy)
        pattern.set_matrix(matrix)
        if black:
            ctx.set_source_rgb(0, 0, 0)
            ctx.mask(pattern)
        else:
            ctx.set_source(pattern)
            ctx.paint()
        ctx.restore()
        pen += width * scale


def luminance(rgb):
    def linear(c):
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def row_colour(surface, row):
    data = surface.get_data()
    stride = surface.get_stride()
    sums = [0.0, 0.0, 0.0]
    for x in range(surface.get_width()):
        b, g, r = data[row * stride + x * 4:row * stride + x * 4 + 3]
        for i, v in enumerate((r, g, b)):
            sums[i] += v / 255.0
    return tuple(s / surface.get_width() for s in sums)


def main(argv):
    if len(argv) != 4:
        sys.stderr.write(__doc__)
        return 2
    font = tga.read_surface(argv[1])
    city = tga.read_surface(argv[2])
    paper = (1.0, 1.0, 1.0)
    edge = ink = None
    # The font's own white and dark edge: the brightest and darkest opaque texels.
    data, stride = font.get_data(), font.get_stride()
    for y in range(font.get_height()):
        for x in range(font.get_width()):
            b, g, r, a = data[y * stride + x * 4:y * stride + x * 4 + 4]
            if a == 255:
                rgb = (r / 255.0, g / 255.0, b / 255.0)
                if ink is None or luminance(rgb) > luminance(ink):
                    ink = rgb
                if edge is None or luminance(rgb) < luminance(edge):
                    edge = rgb
    # How heavy the letters and their edge are: opaque texels per glyph,
    # white (the letter) and dark (its edge), counted by coverage.
    white = dark = 0.0
    for _, tex_x, tex_y, width, height, _ in GLYPHS:
        for y in range(int(tex_y - height + 1), int(tex_y + 1)):
            for x in range(int(tex_x), int(tex_x + width + 0.99)):
                b, g, r, a = data[y * stride + x * 4:y * stride + x * 4 + 4]
                if a:
                    lit = r / a
                    white += a / 255.0 * lit
                    dark += a / 255.0 * (1 - lit)
    print("per glyph: white %.1f texels, dark edge %.1f texels" % (white / len(GLYPHS), dark / len(GLYPHS)))
    lines = []
    for name, row in GROUNDS:
        ground = row_colour(city, int(row * 512 / 480))
        lines.append((name, ground))
        print("%-8s white %.1f:1, dark edge %.1f:1" % (
            name, contrast(ink, ground), contrast(edge, ground)))
    sizes = ((640, 1.0), (1024, 1.6))
    width = int(max(text_width(BANNER), text_width(QUOTE)) * 1.6 + 20) * ZOOM
    band = 26
    rows = [(name, ground, False) for name, ground in lines] + [("paper", paper, True)]
    height = len(sizes) * len(rows) * 2 * band * 1.6 * ZOOM
    out = cairo.ImageSurface(cairo.FORMAT_RGB24, width, int(height))
    ctx = cairo.Context(out)
    ctx.scale(ZOOM, ZOOM)
    y = 0.0
    for _, scale in sizes:
        for _, ground, black in rows:
            for shift in (0.0, 0.5):
                ctx.rectangle(0, y, width, band * scale)
                ctx.set_source_rgb(*ground)
                ctx.fill()
                draw_text(ctx, font, QUOTE if black else BANNER, 6 + shift, y + 6 * scale + shift, scale,
                          black)
                y += band * scale
    out.write_to_png(argv[3])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
