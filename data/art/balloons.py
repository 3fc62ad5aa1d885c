"""The speech-bubble atlas, 256 x 256: four inked paper balloons, each inside
its own region (x, y from the top-left of the picture, width, height);
everything around them is transparent, and every region keeps its outermost
row and column clear, so linear filtering at a region's edge picks up
nothing of its neighbours.

  dot     (2, 198, 17, 17)
  small   (76, 192, 30, 25)
  medium  (142, 181, 38, 42)
  big     (50, 1, 201, 137)

Stored bottom-up, a region whose top is y and height h starts at stored row
256 - y - h: the dot at row 41, small 39, medium 33, big 118.

Each balloon is a hand-drawn oval of paper: white where the light falls from
the upper right, a soft cool shade towards its lower left, a warm dark line
that is thin on the lit side and heavy on the shaded side, and a soft cool
shadow cast down and to the left. The big balloon keeps its paper opaque and
near white over the band where the quotes go: from 9 px inside its left edge
to 16 px inside its right edge, between 39 and 93 px from its top."""

import math

import cairo

from paint import OUTLINE, Lcg, colour

PAPER = (1.0, 1.0, 1.0)
SHADE = (0.84, 0.88, 0.97)      # the paper turned away from the light
SHADOW = (0.29, 0.35, 0.55)     # the cool shadow the balloon casts
LIT_LINE = 1.0                  # ink on the lit upper right
SHADE_LINE = 2.3                # how far further the ink reaches at the lower left

REGIONS = {
    "dot": (2, 198, 17, 17),
    "small": (76, 192, 30, 25),
    "medium": (142, 181, 38, 42),
    "big": (50, 1, 201, 137),
}

# Each balloon's oval inside its region: centre (from the region's top-left),
# half width and half height, the squareness of the oval (2 is an ellipse)
# and the seed of its hand-drawn wobble.
OVALS = {
    "dot": (8.8, 7.9, 6.0, 5.6, 2.0, 11),
    "small": (15.5, 11.8, 12.2, 9.2, 2.1, 12),
    "medium": (19.6, 20.2, 15.6, 17.0, 2.1, 13),
    "big": (100.0, 65.5, 96.0, 61.5, 2.35, 14),
}


def oval(ctx, cx, cy, rx, ry, power, seed, dx=0.0, dy=0.0):
    """A superellipse with a slight, smooth wobble, as a brush draws it."""
    rng = Lcg(seed)
    waves = [(k, rng.range(0, 2 * math.pi), rng.range(0.004, 0.011)) for k in (2, 3, 5)]
    steps = 160
    for i in range(steps):
        t = 2 * math.pi * i / steps
        c, s = math.cos(t), math.sin(t)
        wobble = 1 + sum(a * math.sin(k * t + p) for k, p, a in waves)
        x = cx + dx + rx * wobble * math.copysign(abs(c) ** (2 / power), c)
        y = cy + dy + ry * wobble * math.copysign(abs(s) ** (2 / power), s)
        if i == 0:
            ctx.move_to(x, y)
        else:
            ctx.line_to(x, y)
    ctx.close_path()


def balloon(ctx, name):
    x, y, w, h = REGIONS[name]
    cx, cy, rx, ry, power, seed = OVALS[name]
    size = min(rx, ry)
    scale = min(1.0, size / 20)  # small puffs get a lighter line and shadow

    def shape(dx=0.0, dy=0.0):
        ctx.new_path()
        oval(ctx, x + cx, y + cy, rx, ry, power, seed, dx, dy)

    ctx.save()
    # Nothing on the region's outermost texels.
    ctx.rectangle(x + 1, y + 1, w - 2, h - 2)
    ctx.clip()
    # The cast shadow: a few offset copies, fainter the further out, so its
    # edge is soft.
    reach = 1.0 + 2.6 * scale
    for step, alpha in ((1.0, 0.14), (0.75, 0.14), (0.5, 0.16)):
        shape(-reach * step, reach * 1.3 * step)
        colour(ctx, SHADOW, alpha)
        ctx.fill()
    # The ink: the oval pushed down-left and filled, and the oval stroked, so
    # that the paper laid over them leaves a line that swells on the shaded side.
    heavy = SHADE_LINE * (0.6 + 0.4 * scale)
    shape(-heavy * 0.75, heavy * 0.75)
    colour(ctx, OUTLINE)
    ctx.fill()
    shape()
    ctx.set_line_width(2 * LIT_LINE * (0.75 + 0.25 * scale))
    ctx.stroke()
    # The paper, shaded cool away from the light.
    shape()
    path = ctx.copy_path()
    paper = cairo.RadialGradient(x + cx + rx * 0.3, y + cy - ry * 0.35, 0,
                                 x + cx + rx * 0.3, y + cy - ry * 0.35, max(rx, ry) * 1.45)
    paper.add_color_stop_rgb(0, *PAPER)
    paper.add_color_stop_rgb(0.62, *PAPER)
    paper.add_color_stop_rgb(1, *SHADE)
    ctx.set_source(paper)
    ctx.fill()
    # Cool light bounced up from the snow along the lower-left inner edge:
    # a pale band just inside the heavy line.
    ctx.append_path(path)
    ctx.clip()
    shape(-1.4 * scale - 0.6, 1.4 * scale + 0.6)
    ctx.set_line_width(1.2 * scale + 0.4)
    colour(ctx, SHADE, 0.9)
    ctx.stroke()
    ctx.restore()


def draw_atlas(ctx, width, height):
    for name in REGIONS:
        balloon(ctx, name)


IMAGES = {"balloons.tga": (256, 256, draw_atlas)}
