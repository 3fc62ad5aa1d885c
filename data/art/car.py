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

The driver's shoulders, arms and gloved hands on the wheel are part of the car,
under the nodding head: the shoulders are centred between the two places the
head takes, so they sit under it whichever way the car drives. The car's
shadow on the road is part of the car too, soft and close under the body, so
it bobs with the body and never shows as a gap under the tyres.

The car and tyres are mirrored for the other direction, so they are lit from
straight above: the top faces are light, the flanks mirror the sky above a
horizon line and the dark road below it.
"""

import math

import cairo

from paint import FUR, OUTLINE, colour, ellipse, hexcolour, polygon, rounded_rect
from santa import (BOUNCE, FUR_DEEP, LEATHER, SANTA_RED, SHADE, SUN, catchlight, fur_fill,
                   inked, mix, radial_volume, shade_of, thin_line, tufted)

BODY = hexcolour("0d6b3c")
BODY_DARK = hexcolour("06321d")
BODY_LIGHT = hexcolour("3fae6f")
CHROME = hexcolour("e4e9ef")
CHROME_DARK = hexcolour("5f6873")
GLASS = hexcolour("bfe6ff")
TAN = hexcolour("c89a6a")
ROAD_SHADOW = hexcolour("141a33")
WHEELS = ((43, 86), (223, 86))
HEAD_CENTRES = (111, 99)  # the driver's face, driving left and (stored) driving right


def linear(x0, y0, x1, y1, stops):
    g = cairo.LinearGradient(x0, y0, x1, y1)
    for at, rgb in stops:
        if len(rgb) == 4:
            g.add_color_stop_rgba(at, *rgb)
        else:
            g.add_color_stop_rgb(at, *rgb)
    return g


def fill_with(ctx, path, source):
    ctx.new_path()
    ctx.append_path(path)
    ctx.set_source(source)
    ctx.fill()


def chrome_source(y0, y1):
    """Chrome mirrors the bright sky above a sharp horizon and the road below."""
    return linear(0, y0, 0, y1, ((0.0, mix(CHROME, SUN, 0.3)), (0.45, CHROME),
                                 (0.5, CHROME_DARK), (0.75, shade_of(CHROME_DARK, 0.3)),
                                 (1.0, mix(CHROME, BOUNCE, 0.4))))


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


def flat_shadow(ctx, cx, cy, radius, squash, stops):
    """A round shadow squashed flat onto the road, its alpha falling off along
    stops, (offset, alpha) pairs from the centre out."""
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(1, squash)
    g = cairo.RadialGradient(0, 0, 0, 0, 0, radius)
    for offset, alpha in stops:
        g.add_color_stop_rgba(offset, *ROAD_SHADOW, alpha)
    ctx.set_source(g)
    ctx.arc(0, 0, radius, 0, 2 * math.pi)
    ctx.fill()
    ctx.restore()


def draw_shadow(ctx):
    # Soft and close under the body, darkest in the middle, with a contact
    # shadow where each tyre stands.
    flat_shadow(ctx, 134, 104, 134, 0.06, ((0, 0.55), (0.75, 0.4), (1, 0.0)))
    for cx, _ in WHEELS:
        flat_shadow(ctx, cx, 106, 26, 0.12, ((0, 0.7), (1, 0.0)))


def draw_driver(ctx):
    """Shoulders in the red coat, both arms reaching forward to the wheel,
    black gloves on its rim; the head is drawn over them by the program."""
    centre = sum(HEAD_CENTRES) / 2.0 + 3
    # The far arm, behind the wheel, in shade: its glove on the wheel's top.
    ctx.move_to(centre - 6, 39)
    ctx.curve_to(centre - 14, 36, 92, 30, 86, 28)
    ctx.line_to(87, 33.5)
    ctx.curve_to(93, 35, centre - 14, 42, centre - 8, 45)
    ctx.close_path()
    far = ctx.copy_path()
    fill_with(ctx, far, linear(0, 28, 0, 45, ((0, shade_of(SANTA_RED, 0.45)),
                                              (1, shade_of(SANTA_RED, 0.8)))))
    ctx.new_path()
    ctx.append_path(far)
    thin_line(ctx, OUTLINE, 0.8)
    ellipse(ctx, 85, 30, 3.2, 2.8)
    glove = ctx.copy_path()
    radial_volume(ctx, glove, ((0, hexcolour("4a4048")), (1, hexcolour("101014"))), 85, 28, 4)
    # Shoulders: a round red back under the beard.
    ctx.move_to(centre - 20, 49)
    ctx.curve_to(centre - 20, 40, centre - 13, 36, centre, 36)
    ctx.curve_to(centre + 13, 36, centre + 20, 40, centre + 20, 49)
    ctx.close_path()
    torso = ctx.copy_path()
    radial_volume(ctx, torso, ((0.0, mix(hexcolour("f0453a"), SUN, 0.3)), (0.3, SANTA_RED),
                               (0.8, shade_of(SANTA_RED, 0.55)), (1.0, shade_of(SANTA_RED, 0.7))),
                  centre, 36, 16)
    ctx.new_path()
    ctx.append_path(torso)
    thin_line(ctx, OUTLINE, 1.0)
    # Fur collar under the beard.
    ctx.new_path()
    tufted(ctx, [(centre - 10, 40), (centre + 10, 40), (centre + 9, 44), (centre - 9, 44)], 0.8, 101)
    collar = ctx.copy_path()
    fur_fill(ctx, collar, centre, 38, 12, 103, marks=4)
    # The near arm: a sleeve from the front shoulder to a fur cuff, the glove
    # round the wheel's lower rim.
    ctx.move_to(centre - 12, 41)
    ctx.curve_to(centre - 18, 40, 96, 39, 90, 38.5)
    ctx.line_to(90, 45)
    ctx.curve_to(96, 45.5, centre - 16, 47.5, centre - 10, 48)
    ctx.close_path()
    near = ctx.copy_path()
    fill_with(ctx, near, linear(0, 38, 0, 48, ((0, mix(hexcolour("f0453a"), SUN, 0.25)),
                                              (0.45, SANTA_RED), (1, shade_of(SANTA_RED, 0.6)))))
    ctx.new_path()
    ctx.append_path(near)
    thin_line(ctx, OUTLINE, 0.9)
    ctx.move_to(100, 40.5)
    ctx.curve_to(102, 42.5, 102, 44.5, 100, 46.5)
    thin_line(ctx, shade_of(SANTA_RED, 0.8), 0.8, 0.6)
    ctx.new_path()
    tufted(ctx, [(88.5, 37.5), (93, 37.5), (93, 46), (88.5, 46)], 0.7, 107)
    cuff = ctx.copy_path()
    fur_fill(ctx, cuff, 91, 37, 8, 109, marks=2)


def draw_wheel_and_seat(ctx):
    # Seat back behind the driver: tan leather, tuck-and-roll pleats.
    rounded_rect(ctx, 126, 24, 22, 28, 6)
    seat = ctx.copy_path()
    radial_volume(ctx, seat, ((0, mix(TAN, SUN, 0.4)), (0.5, TAN), (1, shade_of(TAN, 0.6))),
                  137, 22, 26)
    ctx.save()
    ctx.new_path()
    ctx.append_path(seat)
    ctx.clip()
    for x in (131.5, 137, 142.5):
        ctx.move_to(x, 26)
        ctx.line_to(x, 52)
    thin_line(ctx, shade_of(TAN, 0.7), 0.8, 0.6)
    ctx.restore()
    ctx.new_path()
    ctx.append_path(seat)
    thin_line(ctx, OUTLINE, 1.0)
    # Steering column and the wheel, seen nearly edge-on.
    ctx.move_to(86, 36)
    ctx.line_to(95, 50)
    thin_line(ctx, OUTLINE, 3.0)
    ctx.move_to(86, 36)
    ctx.line_to(95, 50)
    thin_line(ctx, CHROME_DARK, 1.4)


def draw_wheel_rim(ctx):
    ellipse(ctx, 85, 34, 3.2, 9.5)
    ctx.set_source(linear(0, 24, 0, 44, ((0, hexcolour("6a5a52")), (0.5, LEATHER),
                                         (1, hexcolour("120c0c")))))
    ctx.set_line_width(2.6)
    ctx.stroke()
    ctx.move_to(84, 26.5)
    ctx.curve_to(83, 29, 83, 31, 83.2, 33)
    thin_line(ctx, mix(SUN, (1, 1, 1), 0.4), 0.8, 0.7)
    # The near glove closes round the rim.
    ellipse(ctx, 86, 41.5, 3.6, 3.3)
    glove = ctx.copy_path()
    radial_volume(ctx, glove, ((0, hexcolour("5a4e56")), (0.5, hexcolour("1a1418")),
                               (1, hexcolour("0a080a"))), 86, 39, 5)
    ctx.new_path()
    ctx.append_path(glove)
    thin_line(ctx, OUTLINE, 0.8)
    catchlight(ctx, 86.5, 39.6, 1.2, 0.6, 0.5)


def draw_tree(ctx):
    # A Christmas tree strapped on the rear deck, snow on its boughs.
    polygon(ctx, [(170, 41), (250, 33), (250, 46), (170, 45)])
    fill_with(ctx, ctx.copy_path(), linear(0, 32, 0, 46, ((0, hexcolour("2f7a44")),
                                                           (1, hexcolour("12361e")))))
    for i in range(8):
        x = 176 + i * 9.5
        top = 31 - i * 0.3
        polygon(ctx, [(x, 43), (x + 9, top), (x + 11, 45)])
        bough = ctx.copy_path()
        fill_with(ctx, bough, linear(0, top, 0, 45, ((0, hexcolour("4f9a5a")),
                                                      (0.5, hexcolour("2c6e3c")),
                                                      (1, hexcolour("153f22")))))
        ctx.new_path()
        ctx.append_path(bough)
        thin_line(ctx, hexcolour("0f2a16"), 0.7)
        ctx.move_to(x + 5.5, top + 5.5)
        ctx.curve_to(x + 7, top + 1.5, x + 9.5, top + 1.5, x + 10, top + 4)
        thin_line(ctx, FUR, 1.4)
    rounded_rect(ctx, 160, 38.5, 12, 5, 2)
    trunk = ctx.copy_path()
    fill_with(ctx, trunk, linear(0, 38, 0, 44, ((0, hexcolour("8d6a58")), (1, hexcolour("4a3028")))))
    ctx.new_path()
    ctx.append_path(trunk)
    thin_line(ctx, OUTLINE, 0.7)
    # Glass baubles, each with a highlight.
    for x, c in ((190, "d8332f"), (212, "e8b923"), (234, "3d8fd8")):
        ellipse(ctx, x, 38, 2.4, 2.4)
        bauble = ctx.copy_path()
        base = hexcolour(c)
        radial_volume(ctx, bauble, ((0, mix(base, (1, 1, 1), 0.6)), (0.4, base),
                                    (1, shade_of(base, 0.6))), x - 0.6, 36.8, 3)
        catchlight(ctx, x - 0.7, 36.9, 0.7, 0.6, 0.9)
    # The red strap holding it down, over the tree.
    for x in (185, 228):
        ctx.move_to(x, 48)
        ctx.curve_to(x - 1, 42, x + 1, 38, x + 2, 34)
        thin_line(ctx, OUTLINE, 2.6)
        ctx.move_to(x, 48)
        ctx.curve_to(x - 1, 42, x + 1, 38, x + 2, 34)
        thin_line(ctx, hexcolour("c62828"), 1.4)


def draw_body(ctx, width):
    body_path(ctx)
    body = ctx.copy_path()
    # Paint: the top faces bright with the sky, the flank mirroring the sky
    # above a horizon line and the dark road below, a cool bounce at the sill.
    fill_with(ctx, body, linear(0, 38, 0, 92, (
        (0.0, mix(BODY_LIGHT, SUN, 0.35)), (0.2, BODY_LIGHT), (0.34, BODY),
        (0.52, mix(BODY, GLASS, 0.25)), (0.555, BODY), (0.6, BODY_DARK),
        (0.86, shade_of(BODY_DARK, 0.2)), (1.0, mix(BODY, BOUNCE, 0.35)))))
    ctx.save()
    ctx.new_path()
    ctx.append_path(body)
    ctx.clip()
    # The sky's long reflection on the bonnet and deck, and a crisp sun glint.
    ctx.move_to(14, 53)
    ctx.curve_to(60, 51, 100, 51.5, 140, 52)
    ctx.curve_to(170, 45, 230, 43, 258, 50)
    thin_line(ctx, mix(BODY_LIGHT, SUN, 0.7), 1.4, 0.7)
    ctx.move_to(175, 46)
    ctx.curve_to(200, 43, 225, 43, 240, 45.5)
    thin_line(ctx, (1, 1, 1), 1.2, 0.85)
    ctx.move_to(24, 53)
    ctx.line_to(52, 52.4)
    thin_line(ctx, (1, 1, 1), 1.2, 0.8)
    # Chrome strip along the flank, a red pin line under it.
    ctx.rectangle(0, 62, width, 4.5)
    ctx.set_source(chrome_source(62, 66.5))
    ctx.fill()
    ctx.rectangle(0, 67.5, width, 1.3)
    colour(ctx, hexcolour("c62828"))
    ctx.fill()
    # Wheel wells: dark, with the tyre's shadow round their top.
    for cx, cy in WHEELS:
        ellipse(ctx, cx, cy, 25.5, 25.5)
        g = cairo.RadialGradient(cx, cy + 4, 10, cx, cy + 4, 26)
        g.add_color_stop_rgb(0, *hexcolour("1e2230"))
        g.add_color_stop_rgb(1, *hexcolour("07080c"))
        ctx.set_source(g)
        ctx.fill()
    # The sill: a cool line of bounce light from the snow.
    ctx.rectangle(0, 89.5, width, 2.5)
    colour(ctx, mix(BODY, BOUNCE, 0.5), 0.6)
    ctx.fill()
    ctx.restore()
    ctx.new_path()
    ctx.append_path(body)
    thin_line(ctx, OUTLINE, 1.0)
    # Chrome lips round the arches.
    for cx, cy in WHEELS:
        ctx.new_sub_path()
        ctx.arc(cx, cy, 26.2, math.pi * 1.02, math.pi * 1.98)
        thin_line(ctx, OUTLINE, 3.4)
        ctx.new_sub_path()
        ctx.arc(cx, cy, 26.2, math.pi * 1.02, math.pi * 1.98)
        ctx.set_source(chrome_source(cy - 27, cy - 12))
        ctx.set_line_width(1.8)
        ctx.stroke()
    # The door's shut lines, a chrome handle, and a wreath on the door.
    for x in (104, 146):
        ctx.move_to(x, 50)
        ctx.line_to(x, 88)
        thin_line(ctx, BODY_DARK, 1.1)
        ctx.move_to(x + 1, 50)
        ctx.line_to(x + 1, 88)
        thin_line(ctx, BODY_LIGHT, 0.5, 0.6)
    rounded_rect(ctx, 135, 55, 8, 2.6, 1.2)
    handle = ctx.copy_path()
    fill_with(ctx, handle, chrome_source(55, 57.6))
    ctx.new_path()
    ctx.append_path(handle)
    thin_line(ctx, OUTLINE, 0.6)
    draw_wreath(ctx, 125, 78)
    # Headlamp: a chrome ring round clear glass, unlit in the day.
    ellipse(ctx, 10, 60, 5.2, 5.8)
    ctx.set_source(chrome_source(54, 66))
    ctx.fill_preserve()
    thin_line(ctx, OUTLINE, 1.0)
    ellipse(ctx, 10.3, 60, 3.6, 4.2)
    lamp = ctx.copy_path()
    radial_volume(ctx, lamp, ((0, (1, 1, 1)), (0.4, hexcolour("e9f4fb")),
                              (1, hexcolour("8fa9bf"))), 10, 58, 5)
    catchlight(ctx, 9.5, 58.3, 1.4, 1.0)
    # Tail lamp: red glass with a glint.
    rounded_rect(ctx, 260, 54, 6, 10, 2)
    tail = ctx.copy_path()
    fill_with(ctx, tail, linear(0, 54, 0, 64, ((0, hexcolour("ff7a6a")), (0.4, hexcolour("d8262a")),
                                               (1, hexcolour("6a0c12")))))
    ctx.new_path()
    ctx.append_path(tail)
    thin_line(ctx, OUTLINE, 0.8)
    catchlight(ctx, 262.5, 56.5, 1.0, 1.4, 0.8)
    # Bumpers.
    for x in (0, 254):
        rounded_rect(ctx, x, 79.5, 14, 7, 3.2)
        bumper = ctx.copy_path()
        fill_with(ctx, bumper, chrome_source(79.5, 86.5))
        ctx.new_path()
        ctx.append_path(bumper)
        thin_line(ctx, OUTLINE, 1.0)
    # Snow lying on the bonnet.
    ctx.move_to(24, 50.6)
    for i in range(9):
        ctx.line_to(26 + i * 4.5, 47.2 + (i % 2) * 1.6)
    ctx.line_to(66, 49.6)
    ctx.close_path()
    snow = ctx.copy_path()
    fill_with(ctx, snow, linear(0, 46, 0, 51, ((0, (1, 1, 1)), (1, FUR_DEEP))))
    ctx.new_path()
    ctx.append_path(snow)
    thin_line(ctx, shade_of(FUR_DEEP, 0.4), 0.6)


def draw_wreath(ctx, cx, cy):
    ctx.new_sub_path()
    ctx.arc(cx, cy, 7.5, 0, 2 * math.pi)
    thin_line(ctx, OUTLINE, 5.6)
    ctx.new_sub_path()
    ctx.arc(cx, cy, 7.5, 0, 2 * math.pi)
    ctx.set_source(linear(0, cy - 10, 0, cy + 10, ((0, hexcolour("4f9a5a")),
                                                    (1, hexcolour("1a4a28")))))
    ctx.set_line_width(4)
    ctx.stroke()
    for a in range(16):
        ang = a * math.pi / 8
        x, y = cx + 7.5 * math.cos(ang), cy + 7.5 * math.sin(ang)
        ctx.move_to(x - 1.2 * math.sin(ang), y + 1.2 * math.cos(ang))
        ctx.line_to(x + 1.2 * math.sin(ang), y - 1.2 * math.cos(ang))
    thin_line(ctx, hexcolour("6ab070"), 0.6, 0.7)
    for a in range(8):
        x, y = cx + 7.5 * math.cos(a * 0.785 + 0.4), cy + 7.5 * math.sin(a * 0.785 + 0.4)
        ellipse(ctx, x, y, 1.3, 1.3)
        colour(ctx, hexcolour("d8332f"))
        ctx.fill()
        catchlight(ctx, x - 0.3, y - 0.4, 0.4, 0.4, 0.9)
    # A red bow at the bottom.
    for side in (-1, 1):
        polygon(ctx, [(cx, cy + 7.5), (cx + side * 4, cy + 5), (cx + side * 4, cy + 10.5)])
        colour(ctx, hexcolour("c62828"))
        ctx.fill_preserve()
        thin_line(ctx, hexcolour("5a0c10"), 0.6)


def draw_windscreen(ctx):
    polygon(ctx, [(64, 50), (72, 16), (79, 17), (73, 50)])
    glass = ctx.copy_path()
    fill_with(ctx, glass, linear(0, 16, 0, 50, ((0, GLASS + (0.75,)),
                                                (1, mix(GLASS, SHADE, 0.5) + (0.6,)))))
    ctx.save()
    ctx.new_path()
    ctx.append_path(glass)
    ctx.clip()
    ctx.move_to(66, 40)
    ctx.line_to(78, 24)
    thin_line(ctx, (1, 1, 1), 1.6, 0.85)
    ctx.move_to(67, 46)
    ctx.line_to(76, 34)
    thin_line(ctx, (1, 1, 1), 0.7, 0.6)
    ctx.restore()
    ctx.new_path()
    ctx.append_path(glass)
    thin_line(ctx, OUTLINE, 2.4)
    ctx.new_path()
    ctx.append_path(glass)
    ctx.set_source(chrome_source(16, 50))
    ctx.set_line_width(1.2)
    ctx.stroke()


def draw_car(ctx, width, height):
    draw_shadow(ctx)

    def car():
        draw_wheel_and_seat(ctx)
        draw_driver(ctx)
        draw_wheel_rim(ctx)
        draw_tree(ctx)
        draw_body(ctx, width)
        draw_windscreen(ctx)
    inked(ctx, car, 1.5, lean=(0.0, 0.3))


def tyre_frame(frame):
    def draw(ctx, width, height):
        ctx.translate(width / 2, height / 2)
        turn = math.radians(22.5 * frame)
        # Rubber: the sidewall lit from above, tread blocks on the edge that
        # turn with the wheel (32 of them, so a frame moves them two blocks).
        ellipse(ctx, 0, 0, 21.6, 21.6)
        colour(ctx, OUTLINE)
        ctx.fill()
        ctx.save()
        ctx.rotate(turn)
        for k in range(32):
            ctx.save()
            ctx.rotate(k * math.pi / 16)
            ctx.rectangle(-1.1, -21.6, 2.2, 1.6)
            ctx.restore()
        ctx.restore()
        colour(ctx, hexcolour("2a2c34"))
        ctx.fill()
        ellipse(ctx, 0, 0, 19.8, 19.8)
        g = cairo.RadialGradient(0, -8, 4, 0, 0, 20)
        g.add_color_stop_rgb(0, *hexcolour("4a4c56"))
        g.add_color_stop_rgb(0.7, *hexcolour("24252c"))
        g.add_color_stop_rgb(1, *hexcolour("15161b"))
        ctx.set_source(g)
        ctx.fill()
        # Cream whitewall.
        ctx.new_sub_path()
        ctx.arc(0, 0, 15.6, 0, 2 * math.pi)
        ctx.set_source(linear(0, -16, 0, 16, ((0, hexcolour("fbf6ea")), (0.6, hexcolour("e6ddc8")),
                                             (1, hexcolour("a8a9bc")))))
        ctx.set_line_width(3.0)
        ctx.stroke()
        # Rim: a chrome dish mirroring sky above and road below.
        ellipse(ctx, 0, 0, 13.6, 13.6)
        ctx.set_source(chrome_source(-13.6, 13.6))
        ctx.fill_preserve()
        thin_line(ctx, CHROME_DARK, 0.8)
        ellipse(ctx, 0, 0, 10.5, 10.5)
        ctx.set_source(linear(0, -10.5, 0, 10.5, ((0, hexcolour("5f6873")), (0.5, hexcolour("9aa3ae")),
                                                  (1, hexcolour("d0d6de")))))
        ctx.fill()
        # Four curved spokes: the light stays fixed while they turn.
        spoke = linear(0, -12, 0, 12, ((0, (1, 1, 1)), (0.5, hexcolour("b8c0ca")),
                                       (1, hexcolour("6f7884"))))
        ctx.save()
        ctx.rotate(turn)
        for k in range(4):
            ctx.save()
            ctx.rotate(k * math.pi / 2)
            ctx.move_to(-2.6, -3.5)
            ctx.curve_to(-2.8, -7, -1.2, -10, 0.6, -12.8)
            ctx.line_to(3.4, -12.2)
            ctx.curve_to(1.8, -9.5, 2.2, -6.5, 2.6, -3.5)
            ctx.close_path()
            ctx.restore()
        ctx.restore()
        ctx.set_source(spoke)
        ctx.fill_preserve()
        thin_line(ctx, hexcolour("3f4650"), 0.7)
        # Hub cap: red enamel with a chrome ring and a glint on top.
        ellipse(ctx, 0, 0, 5.2, 5.2)
        ctx.set_source(chrome_source(-5.2, 5.2))
        ctx.fill()
        ellipse(ctx, 0, 0, 3.8, 3.8)
        hub = ctx.copy_path()
        radial_volume(ctx, hub, ((0, hexcolour("ff6a5a")), (0.5, hexcolour("c62828")),
                                 (1, hexcolour("5a0c10"))), 0, -1.8, 4.5)
        catchlight(ctx, 0, -2.0, 1.4, 0.8, 0.85)
        # The rim's bolts, turning with it.
        ctx.save()
        ctx.rotate(turn + math.pi / 4)
        for k in range(4):
            ctx.save()
            ctx.rotate(k * math.pi / 2)
            ellipse(ctx, 0, -7.6, 0.9, 0.9)
            ctx.restore()
        ctx.restore()
        colour(ctx, hexcolour("3f4650"))
        ctx.fill()
    return draw


IMAGES = {"car.tga": (268, 108, draw_car)}
for _frame in range(4):
    IMAGES["tyre%d.tga" % _frame] = (44, 44, tyre_frame(_frame))
