"""The group logo, 320 x 160: a title card shown centred on the sky colour
before the show, its left edge at x = 160 of a 640-wide screen.

The logo fades in and out over the sky blue, so every half-faded colour is a
mix of the card's colour and that blue. The card is a night blue with white,
ice and cream on it: mixed with the sky they stay clean blues and pale blues,
where a red card or gold lettering would pass through a muddy purple or a
dull green. The group's name is lettered, not set: broad round-pen capitals
that sway a little, with snow settled on their tops.

It is lit like the street: from the upper right. The card casts a soft cool
shadow down and to the left and has a warm dark ink line round it; each
letter casts its own shadow on the card and catches a highlight on its
upper-right side; the snow is white in the light with pale blue under it and
a few sparkles. The card stands 2 px right of the picture's centre to leave
room for its shadow; the picture's corners stay clear."""

import math

import cairo

from font import require_face
from paint import FUR, OUTLINE, colour, ellipse, fill_stroke, hexcolour, rounded_rect, Lcg

CARD_TOP = hexcolour("1f5fa8")
CARD_DARK = hexcolour("0b2554")
ICE = hexcolour("e1f5fe")
CREAM = hexcolour("fff8e1")
HOLLY = hexcolour("1e7a35")
HOLLY_DARK = hexcolour("0d3d19")
ICE_SHADE = hexcolour("b3e5fc")
SNOW_SHADE = hexcolour("b4c6ea")   # snow turned away from the light
SHADOW = hexcolour("4a5a8c")       # the cool colour of every shadow
LETTER_SHADOW = hexcolour("061738")


def sparkle(ctx, x, y, size, alpha=1.0):
    """A four-pointed glint of light on snow or ice."""
    ctx.move_to(x, y - size)
    for px, py in ((0.22, -0.22), (1, 0), (0.22, 0.22), (0, 1), (-0.22, 0.22), (-1, 0),
                   (-0.22, -0.22)):
        ctx.line_to(x + px * size, y + py * size)
    ctx.close_path()
    colour(ctx, (1, 1, 1), alpha)
    ctx.fill()


def snow_lump(ctx, x, y, rx, ry):
    """A lump of snow: pale blue beneath, white on top, lit from the upper right."""
    ellipse(ctx, x - 0.4, y + ry * 0.35, rx, ry)
    fill_stroke(ctx, SNOW_SHADE, OUTLINE, 0.7)
    ellipse(ctx, x + 0.3, y - ry * 0.15, rx * 0.86, ry * 0.72)
    colour(ctx, FUR)
    ctx.fill()


def holly(ctx, x, y, flip):
    for angle in (-0.5, 0.55):
        ctx.save()
        ctx.translate(x, y)
        ctx.scale(flip, 1)
        ctx.rotate(angle)
        ctx.move_to(0, 0)
        for i in range(1, 5):
            ctx.line_to(i * 6 - 3, -5 if i % 2 else -3)
        ctx.line_to(26, 0)
        for i in range(4, 0, -1):
            ctx.line_to(i * 6 - 3, 5 if i % 2 else 3)
        ctx.close_path()
        fill_stroke(ctx, HOLLY, HOLLY_DARK, 1.0)
        ctx.restore()
    for dx, dy in ((-3, 2), (3, 3), (0, -3)):
        ellipse(ctx, x + dx, y + dy, 3.4, 3.4)
        fill_stroke(ctx, hexcolour("e3262f"), hexcolour("6d1010"), 0.8)
        ellipse(ctx, x + dx + 1.1, y + dy - 1.1, 1.1, 0.9)
        colour(ctx, (1, 0.85, 0.85), 0.9)
        ctx.fill()


# The group name's own lettering: each capital drawn as strokes of a broad
# round pen in a box one unit high and `width` wide (y grows downward), with
# the points where snow settles on it.
LETTERS = {
    "T": (0.7, [[(0, 0), (0.7, 0)], [(0.35, 0), (0.35, 1)]], [(0.08, 0), (0.62, 0)]),
    "A": (0.78, [[(0, 1), (0.39, 0), (0.78, 1)], [(0.18, 0.64), (0.6, 0.64)]], [(0.39, 0)]),
    "N": (0.68, [[(0, 1), (0, 0), (0.68, 1), (0.68, 0)]], [(0, 0), (0.68, 0)]),
    "D": (0.7, [[(0, 0), (0, 1)], [(0, 0), (0.3, 0), ("curve", (0.72, 0), (0.72, 1), (0.3, 1)),
                                    (0, 1)]], [(0.2, 0)]),
    "R": (0.68, [[(0, 1), (0, 0), (0.36, 0), ("curve", (0.7, 0), (0.7, 0.52), (0.36, 0.52)),
                  (0, 0.52)], [(0.3, 0.52), (0.68, 1)]], [(0.2, 0)]),
    "I": (0.0, [[(0, 0), (0, 1)]], [(0, 0)]),
    "X": (0.72, [[(0, 0), (0.72, 1)], [(0.72, 0), (0, 1)]], [(0, 0), (0.72, 0)]),
}
# Each letter's tilt (radians) and lift (units): the name sways a little, as
# hand lettering does.
SWAY = [(-0.06, 0.0), (0.04, -0.05), (-0.03, 0.02), (0.05, -0.04), (-0.04, 0.03), (0.02, -0.02),
        (0.06, 0.01)]


def letter_path(ctx, strokes):
    for stroke in strokes:
        ctx.move_to(*stroke[0])
        for point in stroke[1:]:
            if point[0] == "curve":
                ctx.curve_to(*point[1], *point[2], *point[3])
            else:
                ctx.line_to(*point)


def lettered_name(ctx, text, cx, top, height, pen):
    """The name in the logo's lettering, centred on cx: a dark rim, then the
    letters in white fading to ice, then snow settled on their tops."""
    gap = (pen + 5) / height
    total = sum(LETTERS[c][0] for c in text) + gap * (len(text) - 1)
    left = cx - total * height / 2
    placed = []
    x = left
    for c, (tilt, lift) in zip(text, SWAY):
        width, strokes, snow = LETTERS[c]
        placed.append((x, tilt, lift, width, strokes, snow))
        x += (width + gap) * height
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    fill = cairo.LinearGradient(0, top, 0, top + height)
    fill.add_color_stop_rgb(0, 1, 1, 1)
    fill.add_color_stop_rgb(1, *ICE_SHADE)
    for layer in ("shadow", "rim", "letter", "light", "snow"):
        for x, tilt, lift, width, strokes, snow in placed:
            ctx.save()
            ctx.translate(x + width * height / 2, top + (lift + 0.5) * height)
            ctx.rotate(tilt)
            ctx.translate(-width * height / 2, -0.5 * height)
            if layer == "snow":
                for sx, sy in snow:
                    snow_lump(ctx, sx * height, sy * height - pen * 0.35, pen * 0.75, pen * 0.45)
                ctx.restore()
                continue
            if layer == "shadow":
                ctx.translate(-2.5, 3.0)
            elif layer == "light":
                ctx.translate(pen * 0.2, -pen * 0.2)
            ctx.scale(height, height)
            letter_path(ctx, strokes)
            ctx.restore()
            if layer == "shadow":
                colour(ctx, LETTER_SHADOW, 0.55)
                ctx.set_line_width(pen + 4)
            elif layer == "rim":
                colour(ctx, CARD_DARK)
                ctx.set_line_width(pen + 5)
            elif layer == "letter":
                ctx.set_source(fill)
                ctx.set_line_width(pen)
            else:
                # A highlight along the upper right of each stroke.
                colour(ctx, (1, 1, 1), 0.85)
                ctx.set_line_width(pen * 0.28)
            ctx.stroke()


def centred_text(ctx, text, cx, baseline, size, fill, outline, outline_width):
    ctx.select_font_face("Comic Neue", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(size)
    ext = ctx.text_extents(text)
    ctx.move_to(cx - ext.width / 2 - ext.x_bearing, baseline)
    ctx.text_path(text)
    path = ctx.copy_path()
    if outline is not None:
        colour(ctx, outline)
        ctx.set_line_width(outline_width)
        ctx.stroke()
        ctx.append_path(path)
    ctx.set_source(fill)
    ctx.fill()
    return ext


def draw_logo(ctx, width, height):
    require_face()  # the subtitle is set in the glyph sheet's face
    ctx.translate(2, 0)
    # The card's soft shadow, down and to the left.
    for grow, alpha in ((1.5, 0.12), (0.75, 0.14), (0.0, 0.18)):
        rounded_rect(ctx, 4 - 3.5 - grow, 14 + 4 - grow, width - 8 + 2 * grow, height - 26 + 2 * grow,
                     18 + grow)
        colour(ctx, SHADOW, alpha)
        ctx.fill()
    # Card with an inked edge, an ice rim and a paler inner edge.
    rounded_rect(ctx, 4, 14, width - 8, height - 26, 18)
    colour(ctx, OUTLINE)
    ctx.set_line_width(7)
    ctx.stroke()
    rounded_rect(ctx, 4, 14, width - 8, height - 26, 18)
    card = cairo.LinearGradient(0, 14, 0, height - 12)
    card.add_color_stop_rgb(0, *CARD_TOP)
    card.add_color_stop_rgb(1, *CARD_DARK)
    ctx.set_source(card)
    ctx.fill_preserve()
    colour(ctx, ICE)
    ctx.set_line_width(4)
    ctx.stroke()
    rounded_rect(ctx, 11, 21, width - 22, height - 40, 13)
    colour(ctx, hexcolour("90caf9"), 0.7)
    ctx.set_line_width(1.2)
    ctx.stroke()
    # Falling snow on the card.
    rng = Lcg(2026)
    for _ in range(46):
        x, y = rng.range(16, width - 16), rng.range(24, height - 26)
        ellipse(ctx, x, y, 1.3, 1.3)
        colour(ctx, FUR, 0.55)
        ctx.fill()
    # The name in its own lettering, snow on its tops.
    lettered_name(ctx, "TANDRIX", width / 2, 46, 44, 8.5)
    cream = cairo.SolidPattern(*CREAM)
    centred_text(ctx, "presents  snowgig", width / 2, 125, 19, cream, CARD_DARK, 3.5)
    # A line of ice between name and subtitle.
    ctx.move_to(70, 106)
    ctx.line_to(width - 70, 106)
    colour(ctx, ICE, 0.8)
    ctx.set_line_width(1.5)
    ctx.stroke()
    for x in (62, width - 62):
        ctx.save()
        ctx.translate(x, 106)
        ctx.rotate(math.pi / 4)
        ctx.rectangle(-3, -3, 6, 6)
        colour(ctx, ICE)
        ctx.fill()
        ctx.restore()
    holly(ctx, 24, 24, 1)
    holly(ctx, width - 24, 24, -1)
    # Snow drifts on the card's top edge.
    ctx.move_to(40, 16)
    for i in range(13):
        ctx.line_to(40 + i * 20, 8 + 4 * math.sin(i * 1.7))
    ctx.line_to(width - 40, 16)
    ctx.curve_to(width - 60, 22, 60, 22, 40, 16)
    ctx.close_path()
    fill_stroke(ctx, SNOW_SHADE, OUTLINE, 1.0)
    ctx.move_to(44, 14)
    for i in range(13):
        ctx.line_to(41 + i * 20, 7 + 4 * math.sin(i * 1.7))
    ctx.line_to(width - 44, 13)
    ctx.curve_to(width - 60, 16, 60, 16, 44, 14)
    ctx.close_path()
    colour(ctx, FUR)
    ctx.fill()
    # Glints of light on the snow and the name.
    for x, y, size in ((78, 9, 3.2), (196, 8, 2.6), (262, 11, 3.0), (118, 44, 2.4), (232, 46, 2.8)):
        sparkle(ctx, x, y, size)


IMAGES = {"tdx.tga": (320, 160, draw_logo)}
