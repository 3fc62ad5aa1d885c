"""The car, drawn as it looks driving left (front on the left), and its tyres.

Car 268 x 108. The tyres (44 x 44) are drawn with their top-left corners at
(21, 64) and (201, 64), so the wheel arches are centred at (43, 86) and
(223, 86) and the tyres stand on the picture's bottom row. Mirrored for a car
driving right, the tyres land at 23 and 203, the same arches seen from the
other side. The driver's head (40 x 46) sits with its top-left corner at
(90, 5), or at (78, 5) of the stored picture when mirrored: the open cockpit
runs from x = 74 to 150, its rim at y = 48, just under the driver's beard.
Four tyre frames turn the hub clockwise by 22.5 degrees each; the hub has
fourfold symmetry, so frame 3 leads smoothly back into frame 0, and because the
tyres are always drawn mirrored, they roll anticlockwise on screen as a car
driving left should.
"""

import math

from paint import (FUR, FUR_SHADE, OUTLINE, colour, ellipse, fill_stroke,
                   hexcolour, polygon, rounded_rect, vertical_gradient)

BODY = hexcolour("1f8a4c")
BODY_DARK = hexcolour("0e4f2a")
BODY_LIGHT = hexcolour("4cc47a")
CHROME = hexcolour("d8dde3")
CHROME_DARK = hexcolour("7f8791")
WHEELS = ((43, 86), (223, 86))


def body_path(ctx):
    ctx.move_to(4, 58)
    ctx.curve_to(6, 52, 14, 50, 24, 50)      # nose
    ctx.line_to(70, 49)                      # bonnet
    ctx.line_to(150, 48)                     # cockpit rim
    ctx.curve_to(170, 40, 232, 38, 252, 44)  # rear deck
    ctx.curve_to(262, 47, 266, 54, 266, 62)
    ctx.line_to(266, 86)
    ctx.curve_to(266, 90, 263, 92, 258, 92)
    ctx.line_to(10, 92)
    ctx.curve_to(5, 92, 2, 89, 2, 84)
    ctx.close_path()


def draw_car(ctx, width, height):
    # Seat back behind the driver and the steering wheel in front of him.
    rounded_rect(ctx, 128, 26, 18, 26, 5)
    fill_stroke(ctx, hexcolour("5a2d17"), OUTLINE, 1.0)
    ctx.move_to(84, 34)
    ctx.line_to(92, 50)
    ctx.set_line_width(2.5)
    colour(ctx, OUTLINE)
    ctx.stroke()
    ellipse(ctx, 84, 33, 2.5, 7)
    ctx.set_line_width(2)
    ctx.stroke()
    # A Christmas tree strapped on the rear deck.
    polygon(ctx, [(170, 40), (250, 33), (250, 46), (170, 44)])
    fill_stroke(ctx, hexcolour("2e7d32"), hexcolour("1b4d1e"), 1.0)
    for i in range(8):
        x = 176 + i * 9.5
        polygon(ctx, [(x, 42), (x + 9, 32 - i * 0.3), (x + 11, 44)])
        fill_stroke(ctx, hexcolour("388e3c"), hexcolour("1b4d1e"), 0.8)
    rounded_rect(ctx, 160, 38, 12, 5, 2)
    fill_stroke(ctx, hexcolour("6d4c41"), OUTLINE, 0.8)
    for x, c in ((190, "e53935"), (212, "fdd835"), (234, "42a5f5")):
        ellipse(ctx, x, 37, 2.2, 2.2)
        fill_stroke(ctx, hexcolour(c), None)
    # Body with a light stripe along its flank.
    body_path(ctx)
    body = ctx.copy_path()
    ctx.set_source(vertical_gradient(40, 92, BODY_LIGHT, BODY_DARK))
    ctx.fill_preserve()
    colour(ctx, OUTLINE)
    ctx.set_line_width(1.5)
    ctx.stroke()
    ctx.save()
    ctx.append_path(body)
    ctx.clip()
    ctx.rectangle(0, 62, width, 6)
    colour(ctx, FUR, 0.9)
    ctx.fill()
    ctx.rectangle(0, 68, width, 1.5)
    colour(ctx, hexcolour("c62828"))
    ctx.fill()
    # Wheel wells.
    for cx, cy in WHEELS:
        ellipse(ctx, cx, cy, 25.5, 25.5)
        colour(ctx, hexcolour("14161a"))
        ctx.fill()
    ctx.restore()
    for cx, cy in WHEELS:
        ctx.new_sub_path()
        ctx.arc(cx, cy, 26, math.pi * 1.02, math.pi * 1.98)
        colour(ctx, CHROME)
        ctx.set_line_width(2.2)
        ctx.stroke()
    # Door, wreath on the door, lights and bumpers.
    ctx.move_to(104, 50)
    ctx.line_to(104, 88)
    ctx.move_to(146, 50)
    ctx.line_to(146, 88)
    colour(ctx, BODY_DARK)
    ctx.set_line_width(1.2)
    ctx.stroke()
    rounded_rect(ctx, 136, 55, 7, 2.5, 1)
    fill_stroke(ctx, CHROME, CHROME_DARK, 0.6)
    ellipse(ctx, 125, 77, 7.5, 7.5)
    ctx.set_line_width(4)
    colour(ctx, hexcolour("2e7d32"))
    ctx.stroke()
    for a in range(8):
        ellipse(ctx, 125 + 7.5 * math.cos(a * 0.785), 77 + 7.5 * math.sin(a * 0.785), 1.2, 1.2)
        fill_stroke(ctx, hexcolour("e53935"), None)
    ellipse(ctx, 10, 60, 5, 5.5)
    fill_stroke(ctx, hexcolour("fff59d"), CHROME_DARK, 1.2)
    rounded_rect(ctx, 260, 54, 6, 10, 2)
    fill_stroke(ctx, hexcolour("e53935"), OUTLINE, 0.8)
    rounded_rect(ctx, 0, 80, 14, 6, 3)
    fill_stroke(ctx, CHROME, CHROME_DARK, 1.0)
    rounded_rect(ctx, 254, 80, 14, 6, 3)
    fill_stroke(ctx, CHROME, CHROME_DARK, 1.0)
    # Windscreen: a chrome frame with tinted glass, leaning back.
    polygon(ctx, [(64, 50), (72, 16), (79, 17), (73, 50)])
    colour(ctx, hexcolour("b3e5fc"), 0.55)
    ctx.fill_preserve()
    colour(ctx, CHROME_DARK)
    ctx.set_line_width(1.6)
    ctx.stroke()
    # Snow on the bonnet.
    ctx.move_to(24, 50.5)
    for i in range(9):
        ctx.line_to(26 + i * 4.5, 47.5 + (i % 2) * 1.5)
    ctx.line_to(66, 49.5)
    ctx.close_path()
    fill_stroke(ctx, FUR, FUR_SHADE, 0.7)


def tyre_frame(frame):
    def draw(ctx, width, height):
        ctx.translate(width / 2, height / 2)
        ellipse(ctx, 0, 0, 21.5, 21.5)
        fill_stroke(ctx, hexcolour("1c1c1f"), (0, 0, 0), 1.0)
        ellipse(ctx, 0, 0, 16, 16)
        ctx.set_line_width(2.0)
        colour(ctx, hexcolour("e8e8e8"))
        ctx.stroke()
        ellipse(ctx, 0, 0, 13, 13)
        fill_stroke(ctx, CHROME, CHROME_DARK, 1.0)
        ctx.rotate(math.radians(22.5 * frame))
        for k in range(4):
            ctx.save()
            ctx.rotate(k * math.pi / 2)
            polygon(ctx, [(-2.2, -4), (2.2, -4), (1.6, -12.5), (-1.6, -12.5)])
            fill_stroke(ctx, hexcolour("9ea7b0"), CHROME_DARK, 0.8)
            ellipse(ctx, 0, -8.5, 1.4, 1.4)
            fill_stroke(ctx, hexcolour("50565e"), None)
            ctx.restore()
        ellipse(ctx, 0, 0, 5, 5)
        fill_stroke(ctx, hexcolour("c62828"), hexcolour("6d1010"), 1.0)
    return draw


IMAGES = {"car.tga": (268, 108, draw_car)}
for _frame in range(4):
    IMAGES["tyre%d.tga" % _frame] = (44, 44, tyre_frame(_frame))
