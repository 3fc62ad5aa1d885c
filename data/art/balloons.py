"""The speech-bubble atlas, 256 x 256: four white bubbles with black rims,
each inside its own region (x, y from the top-left of the picture, width,
height); everything around them is transparent, so linear filtering at a
region's edge picks up nothing of its neighbours.

  dot     (2, 198, 17, 17)
  small   (76, 192, 30, 25)
  medium  (142, 181, 38, 42)
  big     (50, 1, 201, 137)

Stored bottom-up, a region whose top is y and height h starts at stored row
256 - y - h: the dot at row 41, small 39, medium 33, big 118. The big bubble
keeps a flat white middle from 8 px inside its left edge to 8 px inside its
right edge, where the quotes go."""

import cairo

from paint import colour, ellipse, rounded_rect

INK = (0.05, 0.05, 0.08)
PAPER = (1.0, 1.0, 1.0)
SHADE = (0.83, 0.88, 0.95)

REGIONS = {
    "dot": (2, 198, 17, 17),
    "small": (76, 192, 30, 25),
    "medium": (142, 181, 38, 42),
    "big": (50, 1, 201, 137),
}


def bubble(ctx, shape, x, y, w, h):
    """Fills shape (which traces the bubble) white with a rim and a soft
    shade along its lower edge."""
    shape()
    path = ctx.copy_path()
    colour(ctx, PAPER)
    ctx.fill()
    ctx.save()
    ctx.append_path(path)
    ctx.clip()
    shade = cairo.LinearGradient(0, y + h * 0.7, 0, y + h)
    shade.add_color_stop_rgba(0, SHADE[0], SHADE[1], SHADE[2], 0.0)
    shade.add_color_stop_rgba(1, SHADE[0], SHADE[1], SHADE[2], 1.0)
    ctx.set_source(shade)
    ctx.paint()
    ctx.restore()
    ctx.append_path(path)
    colour(ctx, INK)
    ctx.set_line_width(2.0)
    ctx.stroke()


def draw_atlas(ctx, width, height):
    for name, (x, y, w, h) in REGIONS.items():
        inset = 2.0
        if name == "big":
            def shape(x=x, y=y, w=w, h=h):
                rounded_rect(ctx, x + inset, y + inset, w - 2 * inset, h - 2 * inset, 36)
        else:
            def shape(x=x, y=y, w=w, h=h):
                ellipse(ctx, x + w / 2, y + h / 2, w / 2 - inset, h / 2 - inset)
        bubble(ctx, shape, x, y, w, h)


IMAGES = {"balloons.tga": (256, 256, draw_atlas)}
