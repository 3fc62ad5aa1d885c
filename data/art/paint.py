"""Small drawing helpers shared by the picture sources."""

import math

OUTLINE = (0.12, 0.06, 0.06)
SANTA_RED = (0.82, 0.10, 0.12)
SANTA_RED_DARK = (0.55, 0.04, 0.07)
FUR = (0.97, 0.97, 0.95)
FUR_SHADE = (0.82, 0.84, 0.88)
SKIN = (1.0, 0.80, 0.68)
CHEEK = (0.98, 0.55, 0.52)
BOOT = (0.10, 0.09, 0.10)
GOLD = (0.98, 0.80, 0.20)


def hexcolour(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def colour(ctx, rgb, alpha=1.0):
    ctx.set_source_rgba(rgb[0], rgb[1], rgb[2], alpha)


def fill_stroke(ctx, fill, line=OUTLINE, width=1.2):
    colour(ctx, fill)
    if line is None:
        ctx.fill()
        return
    ctx.fill_preserve()
    colour(ctx, line)
    ctx.set_line_width(width)
    ctx.stroke()


def ellipse(ctx, cx, cy, rx, ry):
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(rx, ry)
    ctx.new_sub_path()
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()


def rounded_rect(ctx, x, y, w, h, r):
    r = min(r, w / 2, h / 2)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def polygon(ctx, points):
    ctx.move_to(*points[0])
    for p in points[1:]:
        ctx.line_to(*p)
    ctx.close_path()


class Lcg:
    """A fixed pseudo-random sequence, so every build draws the same picture."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def unit(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state / float(0x7FFFFFFF)

    def range(self, lo, hi):
        return lo + (hi - lo) * self.unit()

    def choice(self, items):
        return items[int(self.unit() * len(items)) % len(items)]


# The scene's one light: warm pale sunlight from the upper right, cool
# blue-violet shade. Shaded and lit colours are the local colour mixed towards
# these, never towards grey or black.
KEY_LIGHT = (1.0, 0.949, 0.839)
COOL_SHADE = (0.290, 0.353, 0.549)
SNOW_LIGHT = (0.98, 0.98, 0.97)
SNOW_SHADE = (0.72, 0.80, 0.93)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def lit(rgb, amount=0.25):
    """The colour on a face turned to the sun."""
    return mix(rgb, KEY_LIGHT, amount)


def shaded(rgb, amount=0.45):
    """The colour in shade: darker and cooler, with the shade's blue mixed in."""
    return mix(tuple(c * (1.0 - 0.35 * amount) for c in rgb), COOL_SHADE, amount)
