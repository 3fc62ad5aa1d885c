#!/usr/bin/python3
"""scene_preview.py ARTDIR OUT.png

Assembles still frames of the show at 640 x 480 from the TGA files in ARTDIR,
placing every picture the way the program's frame drawing does (origins,
pivots, mirroring, atlas regions, glyph rectangles), so that feet, tyres, the
driver's head, the bubble text and the banner can be checked by eye before
the program itself runs. The frames sit side by side in one PNG."""

import math
import os
import sys

import cairo

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "data", "art"))
import tga  # noqa: E402
from font import GLYPHS  # noqa: E402

WIDTH, HEIGHT = 640, 480
SKY = (43 / 255, 181 / 255, 1.0)
BUBBLES = [("big", 50, 118, 201, 137, 85, -162), ("medium", 142, 33, 38, 42, 47, -42),
           ("small", 76, 39, 30, 25, 17, -22), ("dot", 2, 41, 17, 17, 0, -10)]
QUOTES = ["The band.. the\n    BAND!", "Man, you come\n right out of a\n  comic book",
          "Bullshit Mr Jim-man!", "Whatchoo talkin\n   bout Gordon"]
QUOTE_OFFSETS = [(125, -110), (125, -120), (94, -100), (121, -110)]
BANNERS = ["Emile van der Mark and the afro-nordic percussion consortium",
           "Merry Christmas and a Happy New Year!",
           "On vocals we got Barnabus \"Sweet Beans\" Holloway,"]


class Art:
    def __init__(self, folder):
        self.folder = folder
        self.cache = {}

    def __getitem__(self, name):
        if name not in self.cache:
            self.cache[name] = tga.read_surface(os.path.join(self.folder, name))
        return self.cache[name]


def tinted(ctx, surface, grey):
    """Paints the current source modulated by a grey level, as GL_MODULATE does."""
    if grey >= 1.0:
        ctx.paint()
        return
    ctx.push_group()
    ctx.paint()
    ctx.set_operator(cairo.OPERATOR_ATOP)
    ctx.set_source_rgba(0, 0, 0, 1.0 - grey)
    ctx.paint()
    ctx.pop_group_to_source()
    ctx.paint()


def image_quad(ctx, surface, mirrored=False, grey=1.0):
    ctx.save()
    if mirrored:
        ctx.translate(surface.get_width(), 0)
        ctx.scale(-1, 1)
    ctx.set_source_surface(surface, 0, 0)
    tinted(ctx, surface, grey)
    ctx.restore()


def pivoted_quad(ctx, surface, grey=1.0):
    ctx.save()
    ctx.translate(-surface.get_width() / 2, -surface.get_height() / 4)
    image_quad(ctx, surface, grey=grey)
    ctx.restore()


def atlas_quad(ctx, surface, u, v, du, dv):
    """A region of a 256-texel atlas given in texels from the first stored row."""
    top = surface.get_height() - v - dv
    ctx.save()
    ctx.rectangle(0, 0, du, dv)
    ctx.clip()
    ctx.set_source_surface(surface, -u, -top)
    ctx.paint()
    ctx.restore()


def draw_text(ctx, font, text, rgb):
    table = {g[0]: g for g in GLYPHS}
    pen = 0.0
    ctx.save()
    for ch in text:
        if ch == " ":
            ctx.translate(10, 0)
            pen += 10
        elif ch == "\n":
            ctx.translate(-pen, 20)
            pen = 0
        elif ch in table:
            _, tx, ty, w, h, oy = table[ch]
            ctx.save()
            ctx.translate(0, oy)
            ctx.rectangle(0, 0, w, h)
            ctx.clip()
            ctx.set_source_rgb(*rgb)
            ctx.mask_surface(font, -tx, -(ty - h + 1))
            ctx.restore()
            ctx.translate(w, 0)
            pen += w
    ctx.restore()


def city_strip(ctx, art, scroll, block, y0, y1, grey):
    x = -scroll
    for k in range(3):
        surface = art["city%d.tga" % ((block + k) % 5)]
        ctx.save()
        ctx.rectangle(max(x, 0), y0, 512 - max(0, -x), y1 - y0)
        ctx.clip()
        ctx.translate(x, y0)
        ctx.scale(1, (y1 - y0) / 512.0)
        ctx.set_source_surface(surface, 0, 0)
        ctx.get_source().set_filter(cairo.FILTER_BILINEAR)
        tinted(ctx, surface, grey)
        ctx.restore()
        x += 512


def car(ctx, art, x, y, bob, speed, frame, head_angle, banner):
    car_img = art["car.tga"]
    right = speed > 0
    ctx.save()
    ctx.translate(x, y + bob)
    image_quad(ctx, car_img, mirrored=right)
    ctx.save()
    ctx.translate(0, -bob)
    ctx.translate(23 if right else 21, 64)
    tyre = art["tyre%d.tga" % frame]
    image_quad(ctx, tyre, mirrored=True)
    ctx.translate(180, 0)
    image_quad(ctx, tyre, mirrored=True)
    ctx.restore()
    ctx.save()
    ctx.translate(150 if right else 90, 5)
    ctx.rotate(math.radians(-head_angle if right else head_angle))
    image_quad(ctx, art["santa-head.tga"], mirrored=right)
    ctx.restore()
    if banner:
        n = len(banner)
        h = car_img.get_height()
        if right:
            ctx.translate(-10 * n, (h + 30) * 0.5)
        else:
            ctx.translate(car_img.get_width() + 10, (h + 30) * 0.5)
        draw_text(ctx, art["font.tga"], banner, (1, 1, 1))
    ctx.restore()


def scene(ctx, art, t, stage, quote, cars, front=(0, 4), back=(200, 2), walk=0.0):
    ctx.set_source_rgb(*SKY)
    ctx.paint()
    sun, ray = art["sun.tga"], art["sunray.tga"]
    ctx.save()
    ctx.translate(500 + 50 * math.sin(0.5 * t), 40 + 20 * math.cos(0.5 * t) * math.sin(0.5 * t))
    ctx.save()
    ctx.rotate(math.radians(7 * math.sin(t)))
    image_quad(ctx, sun)
    ctx.restore()
    ctx.translate(sun.get_width() * 0.5 + ray.get_width() * 0.5, sun.get_height() * 0.5 - 2.5)
    for k in range(8):
        ctx.save()
        ctx.rotate(math.radians(45 * k + 20 * math.sin(t)))
        ctx.translate(0, 40 + 5 * math.sin(t))
        image_quad(ctx, ray)
        ctx.restore()
    ctx.restore()
    city_strip(ctx, art, back[0], back[1], 60, 420, 0.4)
    city_strip(ctx, art, front[0], front[1], 0, HEIGHT, 1.0)
    santa = art["santa.tga"]
    ws = santa.get_width()
    ctx.save()
    ctx.translate(WIDTH * 0.5 - ws * 1.5, 220)
    for sign, grey in ((-1, 0.4), (1, 1.0)):
        ctx.save()
        ctx.translate(30, 85)
        ctx.rotate(math.radians(sign * 30 * walk))
        pivoted_quad(ctx, art["leg.tga"], grey=grey)
        ctx.restore()
    image_quad(ctx, santa)
    ctx.save()
    ctx.translate(25, 50)
    ctx.rotate(math.radians(-70 if stage >= 0 and front[1] == 4 else -10 * walk))
    pivoted_quad(ctx, art["hand.tga"])
    ctx.restore()
    balloons = art["balloons.tga"]
    pieces = BUBBLES[max(0, 3 - stage):] if stage >= 0 else []
    for _, u, v, du, dv, px, py in pieces:
        ctx.save()
        ctx.translate(ws + px, py)
        atlas_quad(ctx, balloons, u, v, du, dv)
        ctx.restore()
    if stage == 4:
        ox, oy = QUOTE_OFFSETS[quote]
        ctx.translate(ws + ox, oy)
        draw_text(ctx, art["font.tga"], QUOTES[quote], (0, 0, 0))
    ctx.restore()
    for c in sorted(cars, key=lambda c: c[3] < 0):
        car(ctx, art, *c)


def logo(ctx, art):
    ctx.set_source_rgb(*SKY)
    ctx.paint()
    image = art["tdx.tga"]
    ctx.translate(160, (HEIGHT - image.get_height()) * 0.5)
    image_quad(ctx, image)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: scene_preview.py ARTDIR OUT.png\n")
        return 2
    art = Art(argv[1])
    h = art["car.tga"].get_height()
    w = art["car.tga"].get_width()
    frames = [
        lambda ctx: scene(ctx, art, 1.0, 4, 1, [
            (150, HEIGHT - (h + 100), 1, 1.2, 1, 8, BANNERS[0][:24]),
            (330, HEIGHT - (h + 50), 2, -1.0, 2, -8, None)]),
        lambda ctx: scene(ctx, art, 2.5, 4, 2, [
            (-120, HEIGHT - (h + 90), 0, 0.9, 3, 5, None),
            (40, HEIGHT - (h + 50), 3, -1.5, 0, 6, BANNERS[1])], front=(300, 1), back=(40, 3), walk=0.8),
        lambda ctx: scene(ctx, art, 4.0, 3, 0, [
            (WIDTH - w - 20, HEIGHT - (h + 100), 0, 1.7, 2, -4, BANNERS[2])], front=(0, 4), walk=0.0),
        lambda ctx: logo(ctx, art),
    ]
    sheet = cairo.ImageSurface(cairo.FORMAT_RGB24, 2 * WIDTH + 30, 2 * HEIGHT + 30)
    out = cairo.Context(sheet)
    out.set_source_rgb(0.15, 0.15, 0.18)
    out.paint()
    for i, frame in enumerate(frames):
        out.save()
        out.translate(10 + (i % 2) * (WIDTH + 10), 10 + (i // 2) * (HEIGHT + 10))
        out.rectangle(0, 0, WIDTH, HEIGHT)
        out.clip()
        frame(out)
        out.restore()
    sheet.write_to_png(argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
