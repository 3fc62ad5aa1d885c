"""Five city blocks, 512 x 512 each, that join seamlessly in ring order
0-1-2-3-4-0: every block is a row of buildings exactly 512 px wide standing on
the same pavement and street, whose patterns repeat every 64 px or less.

Rows (from the top of the picture; on a 640 x 480 screen the front layer shows
the block at 480/512 of its size, row r at y = 0.9375 r):
  0 ..          sky, transparent, above the roofs (roofs from row 60 to 250)
  .. 352        facades
  352 .. 389    pavement, where Santa walks (his soles at y = 359, row 383)
  389 .. 396    kerb
  396 .. 512    street: cars driving right stand at rows 405 and 416, cars
                driving left at rows 459 and 469, a dashed line between them
                below the banner text that the cars driving left tow
Block 4 is where Santa stops to talk: the music hall with tonight's gig.

The back layer shows the same blocks darker, at 360/512 of their height from
y = 60, scrolling at half the front layer's speed, so every back roof passes
every front roof. The roof rows and the chimneys are chosen so that no back
chimney, tank or gable tip stands alone on a front roof, no back roof hugs a
front one and no thin strip of a back wall lingers beside a front wall
(tools/artwork/city_overlap.py lists any that do)."""

import math

import cairo

from paint import (FUR, FUR_SHADE, GOLD, OUTLINE, Lcg, colour, ellipse,
                   fill_stroke, hexcolour, polygon, rounded_rect, snow_cap,
                   vertical_gradient)

PAVEMENT_TOP = 352
KERB_TOP = 389
STREET_TOP = 396
LANE_LINE = 452
SIZE = 512

LIT = hexcolour("ffd36b")
LIT_DEEP = hexcolour("f29b2e")
DARK_GLASS = hexcolour("2a3b5c")


def window(ctx, rng, x, y, w, h, frame=hexcolour("efe6d8"), lit_share=0.6):
    rounded_rect(ctx, x - 1.5, y - 1.5, w + 3, h + 3, 1.5)
    fill_stroke(ctx, frame, OUTLINE, 0.8)
    lit = rng.unit() < lit_share
    ctx.rectangle(x, y, w, h)
    ctx.set_source(vertical_gradient(y, y + h, LIT if lit else DARK_GLASS,
                                     LIT_DEEP if lit else hexcolour("1b2640")))
    ctx.fill()
    ctx.move_to(x + w / 2, y)
    ctx.line_to(x + w / 2, y + h)
    ctx.move_to(x, y + h * 0.45)
    ctx.line_to(x + w, y + h * 0.45)
    colour(ctx, frame)
    ctx.set_line_width(1.2)
    ctx.stroke()
    if lit and rng.unit() < 0.3:
        # A candle arch or a small tree behind the glass.
        ellipse(ctx, x + w / 2, y + h * 0.75, 2.2, 2.2)
        fill_stroke(ctx, hexcolour("fff8e1"), None)
    ctx.rectangle(x - 2.5, y + h + 1, w + 5, 2.5)
    fill_stroke(ctx, FUR, FUR_SHADE, 0.5)


def bricks(ctx, x0, top, w, bottom, base, mortar):
    ctx.rectangle(x0, top, w, bottom - top)
    colour(ctx, base)
    ctx.fill()
    colour(ctx, mortar, 0.35)
    ctx.set_line_width(0.7)
    row = 0
    y = top + 4
    while y < bottom:
        ctx.move_to(x0, y)
        ctx.line_to(x0 + w, y)
        shift = 6 if row % 2 else 0
        x = x0 + shift
        while x < x0 + w:
            ctx.move_to(x, y)
            ctx.line_to(x, y - 4)
            x += 12
        y += 4
        row += 1
    ctx.stroke()


def door(ctx, x, w, h, paint, wreath=True):
    y = PAVEMENT_TOP - h
    rounded_rect(ctx, x, y, w, h + 4, 3)
    fill_stroke(ctx, paint, OUTLINE, 1.0)
    ctx.move_to(x + w / 2, y + 2)
    ctx.line_to(x + w / 2, PAVEMENT_TOP)
    colour(ctx, OUTLINE, 0.5)
    ctx.set_line_width(0.8)
    ctx.stroke()
    if wreath:
        ellipse(ctx, x + w / 2, y + h * 0.3, 4.5, 4.5)
        ctx.set_line_width(2.6)
        colour(ctx, hexcolour("2e7d32"))
        ctx.stroke()
        ellipse(ctx, x + w / 2, y + h * 0.3 + 4.5, 1.6, 1.6)
        fill_stroke(ctx, hexcolour("e53935"), None)
    ctx.rectangle(x - 3, PAVEMENT_TOP - 3, w + 6, 3)
    fill_stroke(ctx, hexcolour("a7a9b4"), OUTLINE, 0.6)


def townhouse(ctx, rng, x0, w, top, facade, gable, chimney=0.7):
    bricks(ctx, x0, top, w, PAVEMENT_TOP, facade, hexcolour("3b1d14"))
    if gable:
        polygon(ctx, [(x0 - 0.5, top + 1), (x0 + w / 2, top - 34), (x0 + w + 0.5, top + 1)])
        fill_stroke(ctx, hexcolour("4a3b47"), OUTLINE, 1.2)
        ctx.move_to(x0 + 6, top - 2)
        ctx.line_to(x0 + w / 2, top - 30)
        ctx.line_to(x0 + w - 6, top - 2)
        ctx.line_to(x0 + w / 2, top - 24)
        ctx.close_path()
        fill_stroke(ctx, FUR, FUR_SHADE, 0.8)
        if chimney is not None:
            ctx.rectangle(x0 + w * chimney, top - 30, 9, 18)
            fill_stroke(ctx, hexcolour("6d3b2a"), OUTLINE, 0.8)
            snow_cap(ctx, x0 + w * chimney - 1, top - 30, 11, 4, int(x0) + 3)
    else:
        ctx.rectangle(x0, top - 4, w, 6)
        fill_stroke(ctx, hexcolour("d9cbb8"), OUTLINE, 0.8)
        snow_cap(ctx, x0, top - 4, w, 6, int(x0) + 5)
    floors = int((PAVEMENT_TOP - 46 - top) // 40)
    cols = max(2, int(w // 34))
    for f in range(floors):
        for c in range(cols):
            cx = x0 + (c + 0.5) * w / cols
            window(ctx, rng, cx - 8, top + 16 + f * 40, 16, 22)
    door(ctx, x0 + w / 2 - 10, 20, 36, rng.choice([hexcolour("1d5e3a"), hexcolour("7a1c22"),
                                                    hexcolour("25407a")]))


def shop(ctx, rng, x0, w, top, facade, awning, sign):
    ctx.rectangle(x0, top, w, PAVEMENT_TOP - top)
    colour(ctx, facade)
    ctx.fill()
    ctx.rectangle(x0, top - 5, w, 7)
    fill_stroke(ctx, hexcolour("e8e0d0"), OUTLINE, 0.8)
    snow_cap(ctx, x0, top - 5, w, 6, int(x0) + 11)
    upper = int((PAVEMENT_TOP - 96 - top) // 38)
    cols = max(2, int(w // 30))
    for f in range(upper):
        for c in range(cols):
            cx = x0 + (c + 0.5) * w / cols
            window(ctx, rng, cx - 7, top + 14 + f * 38, 14, 20)
    # Sign board, awning and the lit shop window.
    sy = PAVEMENT_TOP - 92
    rounded_rect(ctx, x0 + 8, sy, w - 16, 16, 3)
    fill_stroke(ctx, hexcolour("22283a"), GOLD, 1.2)
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(11)
    ext = ctx.text_extents(sign)
    ctx.move_to(x0 + w / 2 - ext.width / 2 - ext.x_bearing, sy + 12)
    colour(ctx, GOLD)
    ctx.show_text(sign)
    ay = PAVEMENT_TOP - 72
    stripes = max(4, int(w // 12))
    for i in range(stripes):
        sx = x0 + 4 + (w - 8) * i / stripes
        polygon(ctx, [(sx, ay), (sx + (w - 8) / stripes, ay),
                      (sx + (w - 8) / stripes + 1, ay + 12), (sx - 1, ay + 12)])
        fill_stroke(ctx, awning if i % 2 == 0 else FUR, None)
    ctx.move_to(x0 + 3, ay + 12)
    for i in range(stripes + 1):
        sx = x0 + 3 + (w - 6) * i / stripes
        ctx.line_to(sx, ay + 12)
        if i < stripes:
            ctx.arc(sx + (w - 6) / stripes / 2, ay + 12, (w - 6) / stripes / 2, 0, math.pi)
    colour(ctx, awning)
    ctx.fill()
    snow_cap(ctx, x0 + 4, ay, w - 8, 4, int(x0) + 17)
    wx, ww = x0 + 8, w - 44
    rounded_rect(ctx, wx, PAVEMENT_TOP - 54, ww, 42, 2)
    ctx.set_source(vertical_gradient(PAVEMENT_TOP - 54, PAVEMENT_TOP - 12, hexcolour("fff1b8"), LIT_DEEP))
    ctx.fill_preserve()
    colour(ctx, OUTLINE)
    ctx.set_line_width(1.2)
    ctx.stroke()
    # Gifts on display.
    gx = wx + 6
    while gx < wx + ww - 14:
        gw = rng.range(9, 15)
        gh = rng.range(8, 16)
        ctx.rectangle(gx, PAVEMENT_TOP - 13 - gh, gw, gh)
        fill_stroke(ctx, rng.choice([hexcolour("e53935"), hexcolour("43a047"), hexcolour("1e88e5"),
                                      hexcolour("8e24aa")]), OUTLINE, 0.6)
        ctx.move_to(gx + gw / 2, PAVEMENT_TOP - 13 - gh)
        ctx.line_to(gx + gw / 2, PAVEMENT_TOP - 13)
        colour(ctx, GOLD)
        ctx.set_line_width(1.4)
        ctx.stroke()
        gx += gw + 4
    door(ctx, x0 + w - 32, 22, 44, hexcolour("3e2723"), wreath=False)


def apartment(ctx, rng, x0, w, top, facade):
    ctx.rectangle(x0, top, w, PAVEMENT_TOP - top)
    ctx.set_source(vertical_gradient(top, PAVEMENT_TOP, facade,
                                     tuple(c * 0.8 for c in facade)))
    ctx.fill()
    # Water tank on the roof.
    tx = x0 + w * 0.25
    ctx.rectangle(tx, top - 22, 22, 18)
    fill_stroke(ctx, hexcolour("8d6e63"), OUTLINE, 1.0)
    polygon(ctx, [(tx - 2, top - 22), (tx + 11, top - 32), (tx + 24, top - 22)])
    fill_stroke(ctx, hexcolour("5d4037"), OUTLINE, 1.0)
    snow_cap(ctx, tx - 2, top - 22, 26, 4, int(x0) + 23)
    ctx.rectangle(x0, top - 3, w, 5)
    fill_stroke(ctx, hexcolour("b0a89c"), OUTLINE, 0.8)
    snow_cap(ctx, x0, top - 3, w, 5, int(x0) + 29)
    cols = max(2, int(w // 26))
    f = 0
    y = top + 14
    while y + 20 < PAVEMENT_TOP - 50:
        for c in range(cols):
            cx = x0 + (c + 0.5) * w / cols
            window(ctx, rng, cx - 6, y, 12, 18, frame=hexcolour("d7ccc8"), lit_share=0.5)
        y += 32
        f += 1
    door(ctx, x0 + w / 2 - 13, 26, 40, hexcolour("455a64"))
    ctx.rectangle(x0 + w / 2 - 18, PAVEMENT_TOP - 48, 36, 5)
    fill_stroke(ctx, hexcolour("37474f"), OUTLINE, 0.8)
    snow_cap(ctx, x0 + w / 2 - 18, PAVEMENT_TOP - 48, 36, 3, int(x0) + 31)


def church(ctx, rng, x0, w, top):
    stone = hexcolour("b8ad9e")
    nave_top = top
    ctx.rectangle(x0, nave_top, w, PAVEMENT_TOP - nave_top)
    colour(ctx, stone)
    ctx.fill()
    colour(ctx, hexcolour("7b6f62"), 0.5)
    ctx.set_line_width(0.7)
    y = nave_top + 8
    while y < PAVEMENT_TOP:
        ctx.move_to(x0, y)
        ctx.line_to(x0 + w, y)
        y += 8
    ctx.stroke()
    # A square bell tower in the middle, flat-topped behind a parapet: seen
    # from the back row over a lower roof, any part of it that shows reads as
    # a tall building behind, where a spire's tip or a cross alone would
    # stand on that roof. The cross is on the tower's face.
    tw = 46
    tx = x0 + w / 2 - tw / 2
    tower_top = nave_top - 112
    ctx.rectangle(tx, tower_top, tw, nave_top - tower_top)
    fill_stroke(ctx, hexcolour("a89d8e"), OUTLINE, 1.0)
    ctx.rectangle(tx - 4, tower_top - 8, tw + 8, 9)
    fill_stroke(ctx, hexcolour("8a7f70"), OUTLINE, 1.0)
    snow_cap(ctx, tx - 4, tower_top - 8, tw + 8, 5, 39)
    for bx in (tx + 7, tx + tw / 2 + 3):
        ctx.move_to(bx, tower_top + 34)
        ctx.line_to(bx, tower_top + 18)
        ctx.arc(bx + 6, tower_top + 18, 6, math.pi, 0)
        ctx.line_to(bx + 12, tower_top + 34)
        ctx.close_path()
        fill_stroke(ctx, hexcolour("2b2f3a"), OUTLINE, 1.0)
    ctx.move_to(tx + tw / 2, tower_top + 39)
    ctx.line_to(tx + tw / 2, tower_top + 54)
    ctx.move_to(tx + tw / 2 - 5, tower_top + 44)
    ctx.line_to(tx + tw / 2 + 5, tower_top + 44)
    colour(ctx, GOLD)
    ctx.set_line_width(2.5)
    ctx.stroke()
    ellipse(ctx, tx + tw / 2, nave_top - 44, 11, 11)
    fill_stroke(ctx, hexcolour("fafafa"), OUTLINE, 1.0)
    ctx.move_to(tx + tw / 2, nave_top - 44)
    ctx.line_to(tx + tw / 2, nave_top - 52)
    ctx.move_to(tx + tw / 2, nave_top - 44)
    ctx.line_to(tx + tw / 2 + 6, nave_top - 42)
    colour(ctx, OUTLINE)
    ctx.set_line_width(1.4)
    ctx.stroke()
    # Roof edge and snow.
    ctx.rectangle(x0, nave_top - 4, w, 6)
    fill_stroke(ctx, hexcolour("8a7f70"), OUTLINE, 0.8)
    snow_cap(ctx, x0, nave_top - 4, tx - x0, 6, 41)
    snow_cap(ctx, tx + tw, nave_top - 4, x0 + w - tx - tw, 6, 43)
    # Rose window and tall arched windows glowing in colour.
    cx = x0 + w / 2
    ellipse(ctx, cx, nave_top + 34, 18, 18)
    fill_stroke(ctx, hexcolour("3949ab"), OUTLINE, 1.2)
    for k in range(8):
        a = k * math.pi / 4
        ellipse(ctx, cx + 10 * math.cos(a), nave_top + 34 + 10 * math.sin(a), 4, 4)
        fill_stroke(ctx, rng.choice([hexcolour("e53935"), hexcolour("fdd835"), hexcolour("43a047")]), None)
    for wx in (x0 + 18, x0 + 44, x0 + w - 62, x0 + w - 36):
        ctx.move_to(wx, PAVEMENT_TOP - 50)
        ctx.line_to(wx, nave_top + 40)
        ctx.arc(wx + 9, nave_top + 40, 9, math.pi, 0)
        ctx.line_to(wx + 18, PAVEMENT_TOP - 50)
        ctx.close_path()
        ctx.set_source(vertical_gradient(nave_top + 30, PAVEMENT_TOP - 50, hexcolour("ffca28"), hexcolour("d84315")))
        ctx.fill_preserve()
        colour(ctx, OUTLINE)
        ctx.set_line_width(1.0)
        ctx.stroke()
    # Arched double door.
    dx = cx - 16
    ctx.move_to(dx, PAVEMENT_TOP)
    ctx.line_to(dx, PAVEMENT_TOP - 34)
    ctx.arc(cx, PAVEMENT_TOP - 34, 16, math.pi, 0)
    ctx.line_to(dx + 32, PAVEMENT_TOP)
    ctx.close_path()
    fill_stroke(ctx, hexcolour("5d4037"), OUTLINE, 1.2)
    ctx.move_to(cx, PAVEMENT_TOP - 50)
    ctx.line_to(cx, PAVEMENT_TOP)
    ctx.stroke()


def music_hall(ctx, rng, x0, w, top):
    """Tonight's gig: a marquee of bulbs over the doors where Santa stops."""
    ctx.rectangle(x0, top, w, PAVEMENT_TOP - top)
    ctx.set_source(vertical_gradient(top, PAVEMENT_TOP, hexcolour("5b2a6e"), hexcolour("2d1238")))
    ctx.fill()
    ctx.move_to(x0, top + 1)
    ctx.curve_to(x0 + w * 0.3, top - 26, x0 + w * 0.7, top - 26, x0 + w, top + 1)
    ctx.close_path()
    fill_stroke(ctx, hexcolour("6d3580"), OUTLINE, 1.0)
    ctx.move_to(x0 + 4, top - 1)
    ctx.curve_to(x0 + w * 0.3, top - 25, x0 + w * 0.7, top - 25, x0 + w - 4, top - 1)
    ctx.curve_to(x0 + w * 0.7, top - 17, x0 + w * 0.3, top - 17, x0 + 4, top - 1)
    fill_stroke(ctx, FUR, FUR_SHADE, 0.8)
    # Marquee board with bulbs, high enough to show above Santa's hat.
    my = top + 24
    mh = 48
    rounded_rect(ctx, x0 + 10, my, w - 20, mh, 6)
    fill_stroke(ctx, hexcolour("1a1a2e"), GOLD, 2.0)
    for i in range(int((w - 28) // 10) + 1):
        bx = x0 + 14 + i * 10
        for by in (my + 4, my + mh - 4):
            ellipse(ctx, bx, by, 2, 2)
            fill_stroke(ctx, hexcolour("fff59d") if i % 2 == 0 else hexcolour("ffb300"), None)
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    for text, size, y, paint in (("SNOWGIG", 22, my + 28, hexcolour("ff4d6d")),
                                 ("LIVE TONIGHT", 10, my + 41, hexcolour("80deea"))):
        ctx.set_font_size(size)
        ext = ctx.text_extents(text)
        ctx.move_to(x0 + w / 2 - ext.width / 2 - ext.x_bearing, y)
        colour(ctx, paint)
        ctx.show_text(text)
    for row in range(2):
        for c in range(5):
            window(ctx, rng, x0 + 22 + c * (w - 44) / 4.6, my + mh + 14 + row * 42, 18, 26, lit_share=0.8)
    # Canopy over the doors and the doors themselves.
    cy = PAVEMENT_TOP - 80
    polygon(ctx, [(x0 + 20, cy), (x0 + w - 20, cy), (x0 + w - 8, cy + 12), (x0 + 8, cy + 12)])
    fill_stroke(ctx, hexcolour("b71c1c"), OUTLINE, 1.0)
    snow_cap(ctx, x0 + 20, cy, w - 40, 4, 61)
    for i in range(int((w - 20) // 12)):
        ellipse(ctx, x0 + 14 + i * 12, cy + 12, 1.6, 1.6)
        fill_stroke(ctx, hexcolour("fff59d"), None)
    dw = 86
    dx = x0 + w / 2 - dw / 2 + 14
    rounded_rect(ctx, dx - 4, PAVEMENT_TOP - 62, dw + 8, 62, 3)
    fill_stroke(ctx, hexcolour("3e2723"), OUTLINE, 1.0)
    for k in range(2):
        ctx.rectangle(dx + k * dw / 2 + 3, PAVEMENT_TOP - 56, dw / 2 - 6, 56)
        ctx.set_source(vertical_gradient(PAVEMENT_TOP - 56, PAVEMENT_TOP, hexcolour("ffe082"), hexcolour("ef6c00")))
        ctx.fill_preserve()
        colour(ctx, OUTLINE)
        ctx.set_line_width(1)
        ctx.stroke()
    # Posters either side of the doors.
    for px, paint in ((x0 + 14, hexcolour("00897b")), (x0 + w - 40, hexcolour("f9a825"))):
        rounded_rect(ctx, px, PAVEMENT_TOP - 62, 24, 34, 2)
        fill_stroke(ctx, paint, OUTLINE, 1.0)
        ellipse(ctx, px + 12, PAVEMENT_TOP - 49, 6, 6)
        fill_stroke(ctx, FUR, None)
        ctx.rectangle(px + 5, PAVEMENT_TOP - 38, 14, 3)
        fill_stroke(ctx, FUR, None)


def street_lamp(ctx, x):
    ctx.rectangle(x - 2, PAVEMENT_TOP - 104, 4, 104 + 20)
    fill_stroke(ctx, hexcolour("263238"), OUTLINE, 0.8)
    ctx.rectangle(x - 5, PAVEMENT_TOP + 12, 10, 8)
    fill_stroke(ctx, hexcolour("263238"), OUTLINE, 0.8)
    polygon(ctx, [(x - 8, PAVEMENT_TOP - 104), (x + 8, PAVEMENT_TOP - 104),
                  (x + 5, PAVEMENT_TOP - 124), (x - 5, PAVEMENT_TOP - 124)])
    fill_stroke(ctx, hexcolour("fff3b0"), OUTLINE, 1.0)
    polygon(ctx, [(x - 9, PAVEMENT_TOP - 124), (x + 9, PAVEMENT_TOP - 124), (x, PAVEMENT_TOP - 132)])
    fill_stroke(ctx, hexcolour("263238"), OUTLINE, 0.8)
    snow_cap(ctx, x - 9, PAVEMENT_TOP - 127, 18, 3, int(x) + 71)
    # Garland ribbon around the post.
    for k in range(5):
        y = PAVEMENT_TOP - 90 + k * 16
        ctx.move_to(x - 2, y)
        ctx.line_to(x + 2, y + 6)
    colour(ctx, hexcolour("e53935"))
    ctx.set_line_width(2)
    ctx.stroke()


def ground(ctx):
    # Pavement slabs, a joint every 32 px, snow along the house fronts.
    ctx.rectangle(0, PAVEMENT_TOP, SIZE, KERB_TOP - PAVEMENT_TOP)
    ctx.set_source(vertical_gradient(PAVEMENT_TOP, KERB_TOP, hexcolour("5d6275"), hexcolour("6e7388")))
    ctx.fill()
    colour(ctx, hexcolour("3d4150"))
    ctx.set_line_width(1)
    for x in range(0, SIZE, 32):
        ctx.move_to(x + 0.5, PAVEMENT_TOP)
        ctx.line_to(x + 0.5 - 6, KERB_TOP)
    ctx.move_to(0, 370.5)
    ctx.line_to(SIZE, 370.5)
    ctx.stroke()
    ctx.rectangle(0, PAVEMENT_TOP, SIZE, 3)
    colour(ctx, FUR_SHADE)
    ctx.fill()
    # Kerb stones.
    ctx.rectangle(0, KERB_TOP, SIZE, STREET_TOP - KERB_TOP)
    colour(ctx, hexcolour("a3a7b5"))
    ctx.fill()
    colour(ctx, hexcolour("6b6f7d"))
    for x in range(0, SIZE, 64):
        ctx.move_to(x + 0.5, KERB_TOP)
        ctx.line_to(x + 0.5, STREET_TOP)
    ctx.move_to(0, STREET_TOP - 0.5)
    ctx.line_to(SIZE, STREET_TOP - 0.5)
    ctx.stroke()
    # Asphalt with a slushy gutter and a dashed lane line.
    ctx.rectangle(0, STREET_TOP, SIZE, SIZE - STREET_TOP)
    ctx.set_source(vertical_gradient(STREET_TOP, SIZE, hexcolour("3a3d48"), hexcolour("2c2e36")))
    ctx.fill()
    ctx.rectangle(0, STREET_TOP, SIZE, 4)
    colour(ctx, hexcolour("8c92a3"), 0.6)
    ctx.fill()
    for x in range(0, SIZE, 64):
        ctx.rectangle(x + 12, LANE_LINE - 2, 34, 4)
    colour(ctx, hexcolour("e8e8e0"))
    ctx.fill()


# Each block: (kind, width, roof row, details); widths add up to 512. A gabled
# townhouse may give where its chimney stands as a share of its width, or None
# for no chimney.
BLOCKS = [
    [("townhouse", 110, 186, hexcolour("9c4a36"), True),
     ("shop", 130, 236, hexcolour("3f6e8c"), hexcolour("c62828"), "TOYS"),
     ("apartment", 150, 126, hexcolour("d6c6a5")),
     ("townhouse", 122, 186, hexcolour("7d5a45"), False)],
    [("shop", 140, 244, hexcolour("6a8f5a"), hexcolour("2e7d32"), "BAKERY"),
     ("apartment", 120, 130, hexcolour("b5aba0")),
     ("townhouse", 100, 230, hexcolour("a65d3f"), True),
     ("townhouse", 152, 186, hexcolour("8a4f5a"), False)],
    [("townhouse", 100, 224, hexcolour("8f5b3a"), True),
     ("church", 170, 214),
     ("shop", 120, 250, hexcolour("8c6d3f"), hexcolour("1565c0"), "CAFE"),
     ("apartment", 122, 120, hexcolour("c9b8a0"))],
    [("apartment", 140, 112, hexcolour("bfb3a3")),
     ("townhouse", 110, 184, hexcolour("9a4b3c"), True, None),
     ("shop", 150, 238, hexcolour("4e5f8a"), hexcolour("ad1457"), "RECORDS"),
     ("townhouse", 112, 192, hexcolour("76503e"), False)],
    [("townhouse", 96, 204, hexcolour("8e4c3a"), False),
     ("music_hall", 224, 112),
     ("shop", 100, 244, hexcolour("5f7d7a"), hexcolour("ef6c00"), "GIFTS"),
     ("apartment", 92, 138, hexcolour("cbbfae"))],
]
LAMPS = [(250,), (130,), (396,), (260,), (440,)]


def block(index):
    def draw(ctx, width, height):
        rng = Lcg(1000 + index)
        ground(ctx)
        x = 0
        for kind, w, top, *details in BLOCKS[index]:
            ctx.save()
            ctx.rectangle(x, 0, w, PAVEMENT_TOP)
            ctx.clip()
            if kind == "townhouse":
                townhouse(ctx, rng, x, w, top, *details)
            elif kind == "shop":
                shop(ctx, rng, x, w, top, details[0], details[1], details[2])
            elif kind == "apartment":
                apartment(ctx, rng, x, w, top, details[0])
            elif kind == "church":
                church(ctx, rng, x, w, top)
            else:
                music_hall(ctx, rng, x, w, top)
            ctx.restore()
            x += w
        assert x == SIZE
        for lx in LAMPS[index]:
            street_lamp(ctx, lx)
    return draw


IMAGES = {"city%d.tga" % i: (SIZE, SIZE, block(i)) for i in range(5)}
