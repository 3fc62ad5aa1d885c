"""Santa: the body (walking right, without legs), one leg, one arm, and the
head that drives the cars (facing left, the way the car is drawn as stored).

Joints, in pixels from the top-left corner of each picture:
- body 84 x 100: the legs hang from the hip at (30, 85), the arm turns about
  the shoulder at (25, 50); the coat hides the leg tops however they swing;
- leg 28 x 72 and arm 20 x 52 turn about a point on their centre line a quarter
  of their height below their top: (14, 18) and (10, 13). With the body's top at
  y = 220 on a 640 x 480 screen, the soles end 54 px below the hip, at y = 359,
  on the pavement of the city blocks.

The leg's length sets how fast a boot moves as the leg swings: 54 px from hip
to sole keeps a planted boot within about 9 px of one paving spot through a
step while the pavement scrolls under it (tools/artwork/foot_slide.py
measures it); the 45 px of a shorter leg let it slide 18 px a step.

The far arm is part of the body: its mitten rests on the belly's front, so it
stays put while the near arm (hand.tga) swings. Both legs are the one leg
picture, the back one tinted 0.4; standing, they coincide, so the leg stands
straight under the hip on a flat boot with the trouser breaking over it, as a
man's legs look from the side.

Santa is never mirrored and takes the key light from the upper right. The
driver's head is mirrored with the car, so it is lit from straight above.
"""

import math

import cairo

from paint import (BOOT, FUR, GOLD, OUTLINE, SANTA_RED, SKIN, Lcg, colour,
                   ellipse, hexcolour)

SUN = hexcolour("fff2d6")
SHADE = hexcolour("4a5a8c")
BOUNCE = hexcolour("c9d8f0")
FUR_LIT = (1.0, 0.99, 0.96)
FUR_DEEP = hexcolour("a9b4d0")
RED_LIT = hexcolour("f0453a")
SKIN_SHADE = hexcolour("d99a8a")
NOSE = hexcolour("e8736a")
LEATHER = hexcolour("2a1f22")


def mix(a, b, t):
    return tuple(a[i] * (1.0 - t) + b[i] * t for i in range(3))


def shade_of(rgb, t=0.45):
    """The local colour turned away from the sun: darker, and cooled by the
    blue-violet shade rather than greyed."""
    cooled = mix(rgb, SHADE, 0.6 * t)
    return tuple(c * (1.0 - 0.45 * t) for c in cooled)


def ink(ctx, rgb=OUTLINE, alpha=1.0):
    colour(ctx, rgb, alpha)


def radial_volume(ctx, path, stops, hx, hy, radius):
    """Fills path with a round form's light: stops run from the highlight at
    (hx, hy) out to the reflected light at radius."""
    g = cairo.RadialGradient(hx, hy, 0, hx, hy, radius)
    for at, rgb in stops:
        g.add_color_stop_rgb(at, *rgb)
    ctx.new_path()
    ctx.append_path(path)
    ctx.set_source(g)
    ctx.fill()


def form_stops(base, lit=0.35, core=0.5, reflect=0.3, lit_rgb=SUN):
    """Lit face, local colour, core shadow and a touch of cool reflected light."""
    return ((0.0, mix(base, lit_rgb, lit)), (0.35, base), (0.78, shade_of(base, core)),
            (1.0, mix(shade_of(base, core), BOUNCE, reflect)))


def thin_line(ctx, rgb, width, alpha=1.0):
    colour(ctx, rgb, alpha)
    ctx.set_line_width(width)
    ctx.stroke()


def silhouette_ink(ctx, group, width, lean=(-0.3, 0.3)):
    """The outside line: the group's shape in the outline colour, spread by
    width all round and a little more towards lean (the shaded side)."""
    steps = 16
    colour(ctx, OUTLINE)
    for r in (width * 0.5, width):
        for i in range(steps):
            a = 2 * math.pi * i / steps
            ctx.save()
            ctx.translate(lean[0] * r + r * math.cos(a), lean[1] * r + r * math.sin(a))
            ctx.mask(group)
            ctx.restore()
    ctx.set_source(group)
    ctx.paint()


def inked(ctx, draw, width, lean=(-0.3, 0.3)):
    ctx.push_group()
    draw()
    group = ctx.pop_group()
    silhouette_ink(ctx, group, width, lean)


def tufted(ctx, points, bump, seed, closed=True):
    """A path through points whose edges bulge out in small fur tufts."""
    rng = Lcg(seed)
    ctx.move_to(*points[0])
    count = len(points) if closed else len(points) - 1
    for i in range(count):
        x0, y0 = points[i]
        x1, y1 = points[(i + 1) % len(points)]
        length = math.hypot(x1 - x0, y1 - y0)
        n = max(1, int(length / 4.5))
        nx, ny = (y1 - y0) / (length or 1), -(x1 - x0) / (length or 1)
        for k in range(n):
            ax, ay = x0 + (x1 - x0) * k / n, y0 + (y1 - y0) * k / n
            bx, by = x0 + (x1 - x0) * (k + 1) / n, y0 + (y1 - y0) * (k + 1) / n
            b = bump * (0.6 + 0.6 * rng.unit())
            ctx.curve_to(ax + nx * b, ay + ny * b, bx + nx * b, by + ny * b, bx, by)
    if closed:
        ctx.close_path()


def fur_strokes(ctx, path, x0, y0, x1, y1, count, seed, length=3.0, rgb=None, alpha=0.55):
    """Short curved tuft marks inside path, shaded, to give fur its texture."""
    rng = Lcg(seed)
    ctx.save()
    ctx.new_path()
    ctx.append_path(path)
    ctx.clip()
    for _ in range(count):
        x, y = rng.range(x0, x1), rng.range(y0, y1)
        dx = rng.range(-0.6, 0.6) * length
        ctx.move_to(x, y)
        ctx.curve_to(x + dx * 0.3, y + length * 0.4, x + dx, y + length * 0.7, x + dx * 1.2, y + length)
    thin_line(ctx, rgb or FUR_DEEP, 0.6, alpha)
    ctx.restore()


def fur_fill(ctx, path, hx, hy, radius, seed, marks=10, outline=0.7):
    """White fur: warm in the light, pale blue in the shade, tufted marks."""
    radial_volume(ctx, path, ((0.0, FUR_LIT), (0.4, FUR), (0.85, FUR_DEEP),
                              (1.0, mix(FUR_DEEP, BOUNCE, 0.5))), hx, hy, radius)
    ctx.new_path()
    ctx.append_path(path)
    x0, y0, x1, y1 = ctx.path_extents()
    fur_strokes(ctx, path, x0, y0, x1, y1, marks, seed)
    ctx.new_path()
    ctx.append_path(path)
    thin_line(ctx, shade_of(FUR_DEEP, 0.5), outline)


def catchlight(ctx, x, y, rx, ry, alpha=0.9, rgb=(1, 1, 1)):
    ellipse(ctx, x, y, rx, ry)
    colour(ctx, rgb, alpha)
    ctx.fill()


# ---------------------------------------------------------------- the head

def draw_head(ctx, trail, side=1.0):
    """A head facing right, centred on its face; the hat flops back by trail.
    side leans the key light: 1 from the upper right, 0 from straight above."""
    lx = 6.0 * side
    # Hat: the floppy tip behind, then the crown.
    ctx.move_to(-5, -25)
    ctx.curve_to(-trail * 0.45, -32, -trail, -26, -trail - 1, -15)
    ctx.curve_to(-trail * 0.65, -19, -14, -18, -15, -10)
    ctx.close_path()
    flop = ctx.copy_path()
    radial_volume(ctx, flop, form_stops(SANTA_RED, 0.2, 0.55), -trail * 0.4 + lx * 0.3, -30,
                  trail * 0.9)
    ctx.move_to(-17, -9)
    ctx.curve_to(-14, -28, 6, -32, 16, -10)
    ctx.close_path()
    crown = ctx.copy_path()
    radial_volume(ctx, crown, form_stops(SANTA_RED, 0.4, 0.5), lx * 0.8, -26, 24)
    # The crease where the tip folds over, and the flop's outline.
    ctx.move_to(-6, -26)
    ctx.curve_to(-10, -23, -13, -19, -15, -12)
    thin_line(ctx, shade_of(SANTA_RED, 0.6), 0.9, 0.8)
    ctx.new_path()
    ctx.append_path(flop)
    ctx.append_path(crown)
    thin_line(ctx, shade_of(SANTA_RED, 0.75), 0.7)
    ctx.move_to(3 + lx * 0.3, -25)
    ctx.curve_to(7 + lx * 0.3, -22, 9 + lx * 0.3, -19, 10 + lx * 0.2, -15)
    thin_line(ctx, mix(RED_LIT, SUN, 0.4), 1.1, 0.7)
    ellipse(ctx, -trail - 1, -15, 5, 5)
    bobble = ctx.copy_path()
    fur_fill(ctx, bobble, -trail - 2 + lx * 0.3, -18, 7, 11, marks=5)
    # Hair behind the face and the ear in front of it.
    ctx.new_path()
    tufted(ctx, [(-16, -6), (-4, -6), (-4, 9), (-12, 12), (-17, 4)], 1.4, 23)
    hair = ctx.copy_path()
    fur_fill(ctx, hair, -8 + lx * 0.3, -3, 13, 29, marks=8)
    # Face: lit towards the light, cooler towards the beard and the back.
    ellipse(ctx, 1, 0, 13, 12.5)
    face = ctx.copy_path()
    radial_volume(ctx, face, ((0.0, mix(SKIN, SUN, 0.5)), (0.45, SKIN), (0.85, SKIN_SHADE),
                              (1.0, mix(SKIN_SHADE, SHADE, 0.25))), 2 + lx, -5, 16)
    ctx.new_path()
    ctx.append_path(face)
    thin_line(ctx, hexcolour("8a4a3c"), 0.7)
    ellipse(ctx, -3.5, 1.5, 2.6, 3.4)
    ear = ctx.copy_path()
    radial_volume(ctx, ear, ((0.0, mix(SKIN, CHEEK_RGB, 0.3)), (0.7, SKIN_SHADE),
                             (1.0, shade_of(SKIN_SHADE, 0.2))), -3 + side, 0, 4)
    ctx.new_path()
    ctx.append_path(ear)
    thin_line(ctx, hexcolour("8a4a3c"), 0.6)
    ctx.move_to(-3, 3)
    ctx.curve_to(-4.5, 2, -4.5, 0, -3, -0.5)
    thin_line(ctx, hexcolour("a3584a"), 0.6, 0.8)
    # Rosy cheeks, the near one big and round.
    for cx, cy, r in ((5, 3, 4.2), (12.5, 2.5, 2.2)):
        g = cairo.RadialGradient(cx, cy, 0, cx, cy, r)
        g.add_color_stop_rgba(0, *CHEEK_RGB, 0.85)
        g.add_color_stop_rgba(1, *CHEEK_RGB, 0.0)
        ctx.set_source(g)
        ellipse(ctx, cx, cy, r, r)
        ctx.fill()
    # Eyes: the near one wide with a twinkle, the far one narrowed to a sly
    # squint; both sit over a smiling lower lid.
    ellipse(ctx, 4.2, -3.2, 1.7, 2.2)
    ink(ctx, hexcolour("2b1a1a"))
    ctx.fill()
    catchlight(ctx, 4.9, -4.1, 0.7, 0.7)
    ctx.save()
    ctx.rectangle(9, -3.6, 5, 4)
    ctx.clip()
    ellipse(ctx, 11.2, -3.3, 1.2, 1.9)
    ink(ctx, hexcolour("2b1a1a"))
    ctx.fill()
    ctx.restore()
    catchlight(ctx, 11.5, -2.9, 0.45, 0.4)
    for x0, x1, y in ((1.8, 6.6, -1.2), (9.8, 12.6, -1.6)):
        ctx.move_to(x0, y)
        ctx.curve_to(x0 + 1.2, y + 1.2, x1 - 1.2, y + 1.2, x1, y - 0.3)
        thin_line(ctx, hexcolour("a3584a"), 0.7, 0.9)
    # Brows: bushy white, the near one cocked up high, the far one low and
    # slanting in: the look of someone who knows what is in the sack.
    for pts in (((0.5, -6.8), (2.5, -9.8), (6.5, -10.2), (8.0, -8.4), (4.0, -7.6)),
                ((9.5, -7.4), (11.5, -8.6), (14.2, -7.4), (13.8, -6.2), (11.0, -6.6))):
        ctx.move_to(*pts[0])
        ctx.curve_to(pts[0][0] + 0.5, pts[1][1], pts[1][0], pts[1][1] - 0.4, pts[2][0], pts[2][1])
        ctx.line_to(*pts[3])
        ctx.curve_to(pts[3][0] - 1, pts[4][1] + 0.2, pts[4][0], pts[4][1], pts[0][0], pts[0][1])
        ctx.close_path()
        brow = ctx.copy_path()
        radial_volume(ctx, brow, ((0, FUR_LIT), (1, FUR_DEEP)), pts[2][0], pts[2][1] - 1, 7)
        ctx.new_path()
        ctx.append_path(brow)
        thin_line(ctx, hexcolour("7a6a70"), 0.6)
    # Beard: a full cloud from the ear to under the nose, in wavy strands.
    ctx.new_path()
    tufted(ctx, [(-11, 1), (-12, 9), (-7, 16), (0, 21), (7, 20), (13, 14), (16, 5)], 1.8, 37,
           closed=False)
    ctx.curve_to(9, 10, -3, 10, -11, 1)
    ctx.close_path()
    beard = ctx.copy_path()
    radial_volume(ctx, beard, ((0.0, FUR_LIT), (0.35, FUR), (0.8, FUR_DEEP),
                               (1.0, mix(FUR_DEEP, BOUNCE, 0.5))), 3 + lx * 0.6, 6, 18)
    ctx.save()
    ctx.new_path()
    ctx.append_path(beard)
    ctx.clip()
    rng = Lcg(41)
    for k in range(9):
        x = -9 + k * 2.8 + rng.range(-0.6, 0.6)
        ctx.move_to(x, 9 + rng.range(-1, 1))
        ctx.curve_to(x - 1.5, 13, x + 1.5, 16, x - 0.5 + (k - 4) * 0.4, 21)
    thin_line(ctx, FUR_DEEP, 0.6, 0.7)
    ctx.restore()
    ctx.new_path()
    ctx.append_path(beard)
    thin_line(ctx, shade_of(FUR_DEEP, 0.5), 0.7)
    # A smiling mouth between the moustache and the beard.
    ctx.move_to(5.5, 9.8)
    ctx.curve_to(7.5, 13.2, 11.5, 13, 13, 9.4)
    ctx.curve_to(10.5, 10.6, 8, 10.6, 5.5, 9.8)
    ctx.close_path()
    colour(ctx, hexcolour("7a2228"))
    ctx.fill()
    ctx.move_to(7.2, 11.6)
    ctx.curve_to(8.6, 12.6, 10.6, 12.5, 11.8, 11.3)
    thin_line(ctx, hexcolour("c8505a"), 0.8)
    # Moustache: two curling lobes under the nose.
    for ox, sweep, seed in ((0, -1, 43), (9, 1, 47)):
        ctx.move_to(10 + ox * 0.2, 5)
        ctx.curve_to(7 + sweep * 4 + ox * 0.3, 3.5, 2 + ox + sweep * 2, 5, 1.5 + ox + sweep * 1.5,
                     9.5 - ox * 0.1)
        ctx.curve_to(4 + ox * 0.6, 8.5, 8 + ox * 0.3, 10.5, 10.5 + ox * 0.1, 8.5)
        ctx.close_path()
        lobe = ctx.copy_path()
        radial_volume(ctx, lobe, ((0.0, FUR_LIT), (0.5, FUR), (1.0, FUR_DEEP)), 8 + lx * 0.4, 4, 8)
        ctx.new_path()
        ctx.append_path(lobe)
        thin_line(ctx, shade_of(FUR_DEEP, 0.5), 0.6)
    # Nose: round and rosy, with a shine.
    ellipse(ctx, 13.6, 2.8, 3.5, 3.0)
    nose = ctx.copy_path()
    radial_volume(ctx, nose, ((0.0, mix(NOSE, SUN, 0.6)), (0.4, NOSE),
                              (1.0, shade_of(NOSE, 0.35))), 14 + side, 1.3, 4.5)
    ctx.new_path()
    ctx.append_path(nose)
    thin_line(ctx, hexcolour("8a3a34"), 0.7)
    catchlight(ctx, 14.3 + 0.6 * side, 1.6, 1.0, 0.7, 0.85)
    # Fur brim over the forehead, curving round the head.
    ctx.new_path()
    tufted(ctx, [(-18, -14), (-1, -17.5), (17, -14), (17.5, -8), (0, -9.5), (-18, -7.5)], 1.0, 53)
    brim = ctx.copy_path()
    fur_fill(ctx, brim, 3 + lx, -18, 20, 59, marks=14)
    # The brim's soft shadow on the forehead.
    ctx.save()
    ctx.new_path()
    ctx.append_path(face)
    ctx.clip()
    g = cairo.LinearGradient(0, -9, 0, -6.5)
    g.add_color_stop_rgba(0, *shade_of(SKIN_SHADE, 0.4), 0.7)
    g.add_color_stop_rgba(1, *SKIN_SHADE, 0.0)
    ctx.set_source(g)
    ctx.rectangle(-15, -9.5, 30, 3.5)
    ctx.fill()
    ctx.restore()


CHEEK_RGB = hexcolour("f2847a")


# ---------------------------------------------------------------- the body

def coat_path(ctx):
    ctx.move_to(34, 41)
    ctx.curve_to(24, 42, 17, 49, 15, 60)
    ctx.curve_to(13, 72, 12, 86, 12, 94)
    ctx.curve_to(30, 97, 58, 97, 76, 93)
    ctx.curve_to(84, 86, 84.5, 66, 78, 55)
    ctx.curve_to(73, 47, 64, 42, 54, 42)
    ctx.close_path()


def draw_body_parts(ctx, width, height):
    coat_path(ctx)
    coat = ctx.copy_path()
    radial_volume(ctx, coat, ((0.0, mix(RED_LIT, SUN, 0.25)), (0.3, SANTA_RED),
                              (0.72, shade_of(SANTA_RED, 0.5)),
                              (1.0, mix(shade_of(SANTA_RED, 0.55), BOUNCE, 0.18))), 64, 56, 50)
    ctx.save()
    ctx.new_path()
    ctx.append_path(coat)
    ctx.clip()
    # Fabric: folds pulled round the belly and a faint weave.
    rng = Lcg(7)
    for x0, y0, x1, y1, x2, y2 in ((22, 58, 24, 70, 20, 84), (36, 60, 40, 68, 38, 80),
                                   (28, 78, 34, 84, 33, 92), (60, 80, 62, 86, 58, 92)):
        ctx.move_to(x0, y0)
        ctx.curve_to(x1, y1, x1, y1, x2, y2)
        thin_line(ctx, shade_of(SANTA_RED, 0.7), 1.2, 0.35)
        ctx.move_to(x0 + 1.5, y0)
        ctx.curve_to(x1 + 1.5, y1, x1 + 1.5, y1, x2 + 1.5, y2)
        thin_line(ctx, RED_LIT, 0.7, 0.25)
    for _ in range(90):
        x, y = rng.range(12, 84), rng.range(42, 96)
        ctx.rectangle(x, y, 1, 0.6)
    colour(ctx, shade_of(SANTA_RED, 0.8), 0.12)
    ctx.fill()
    # The beard's soft shadow on the chest, down and to the left.
    g = cairo.RadialGradient(50, 50, 2, 50, 50, 16)
    g.add_color_stop_rgba(0, *shade_of(SANTA_RED, 0.8), 0.6)
    g.add_color_stop_rgba(1, *shade_of(SANTA_RED, 0.8), 0.0)
    ctx.set_source(g)
    ctx.paint()
    # Belt round the belly, curving with it, and its shadow under it.
    ctx.move_to(0, 73)
    ctx.curve_to(30, 76, 60, 75, 90, 69)
    ctx.line_to(90, 77)
    ctx.curve_to(60, 83, 30, 84, 0, 81)
    ctx.close_path()
    belt = ctx.copy_path()
    g = cairo.LinearGradient(0, 72, 0, 82)
    g.add_color_stop_rgb(0, *mix(LEATHER, SUN, 0.18))
    g.add_color_stop_rgb(0.5, *LEATHER)
    g.add_color_stop_rgb(1, *shade_of(LEATHER, 0.3))
    ctx.new_path()
    ctx.append_path(belt)
    ctx.set_source(g)
    ctx.fill()
    ctx.move_to(0, 82)
    ctx.curve_to(30, 85, 60, 84, 90, 78)
    thin_line(ctx, shade_of(SANTA_RED, 0.8), 2.0, 0.45)
    ctx.move_to(0, 73.6)
    ctx.curve_to(30, 76.6, 60, 75.6, 90, 69.6)
    thin_line(ctx, mix(LEATHER, SUN, 0.5), 0.6, 0.6)
    # A darker flank along the back, where the coat turns away.
    g = cairo.LinearGradient(11, 0, 24, 0)
    g.add_color_stop_rgba(0, *shade_of(SANTA_RED, 0.7), 0.55)
    g.add_color_stop_rgba(1, *shade_of(SANTA_RED, 0.7), 0.0)
    ctx.set_source(g)
    ctx.rectangle(10, 40, 14, 60)
    ctx.fill()
    ctx.restore()
    ctx.new_path()
    ctx.append_path(coat)
    thin_line(ctx, shade_of(SANTA_RED, 0.8), 0.8)
    # The buckle: brass, catching the sun on its upper right.
    ctx.save()
    ctx.translate(70, 75)
    ctx.rotate(-0.16)
    ctx.rectangle(-5.5, -5.5, 11, 11)
    ctx.rectangle(-2.5, -2.5, 5, 5)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    g = cairo.LinearGradient(4, -5, -4, 5)
    g.add_color_stop_rgb(0, *mix(GOLD, SUN, 0.7))
    g.add_color_stop_rgb(0.4, *GOLD)
    g.add_color_stop_rgb(1, *hexcolour("8a6212"))
    ctx.set_source(g)
    ctx.fill_preserve()
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    thin_line(ctx, hexcolour("5a3a08"), 0.7)
    ctx.move_to(-2.5, 0)
    ctx.line_to(1.5, 0)
    thin_line(ctx, mix(GOLD, SUN, 0.3), 1.0)
    catchlight(ctx, 3.4, -3.6, 1.2, 0.9, 0.95, mix(SUN, (1, 1, 1), 0.5))
    ctx.restore()
    # The far arm: its mitten rests on the front of the belly.
    ctx.move_to(74, 56)
    ctx.curve_to(79, 57, 82, 61, 81.5, 66)
    ctx.line_to(75.5, 68)
    ctx.curve_to(74, 64, 72, 60, 70, 58)
    ctx.close_path()
    sleeve = ctx.copy_path()
    radial_volume(ctx, sleeve, form_stops(shade_of(SANTA_RED, 0.2), 0.3, 0.5), 80, 58, 10)
    ctx.new_path()
    ctx.append_path(sleeve)
    thin_line(ctx, shade_of(SANTA_RED, 0.8), 0.7)
    ctx.new_path()
    tufted(ctx, [(74.5, 66.5), (81.8, 64.3), (83, 68.6), (76, 70.8)], 0.8, 61)
    cuff = ctx.copy_path()
    fur_fill(ctx, cuff, 81, 65, 8, 67, marks=3)
    ellipse(ctx, 77.5, 72.5, 4.6, 3.6)
    mitten = ctx.copy_path()
    radial_volume(ctx, mitten, ((0, hexcolour("5a4a50")), (0.5, BOOT), (1, shade_of(BOOT, 0.3))),
                  80, 70.5, 6)
    catchlight(ctx, 79.8, 70.6, 1.3, 0.7, 0.5)
    # Fur hem, flaring with the coat, with a cool shadow along its top edge.
    ctx.new_path()
    tufted(ctx, [(10, 88), (44, 91.5), (79, 87), (80, 93), (44, 98.5), (9, 95)], 1.0, 71)
    hem = ctx.copy_path()
    fur_fill(ctx, hem, 62, 86, 48, 73, marks=22)
    # Fur down the coat's front edge, from the beard to the hem.
    ctx.new_path()
    tufted(ctx, [(70, 48), (78, 53), (83, 66), (82, 80), (79, 88), (73, 88), (75, 78),
                 (75, 66), (72, 56), (66, 50)], 0.8, 79)
    placket = ctx.copy_path()
    # Under the belt and the mitten the placket is hidden: paint it first.
    ctx.save()
    ctx.new_path()
    ctx.rectangle(60, 40, 30, 28)
    ctx.rectangle(60, 82, 30, 8)
    ctx.clip()
    fur_fill(ctx, placket, 82, 52, 30, 83, marks=8)
    ctx.restore()
    ctx.save()
    ctx.translate(54, 30)
    draw_head(ctx, 38)
    ctx.restore()


def draw_body(ctx, width, height):
    inked(ctx, lambda: draw_body_parts(ctx, width, height), 1.5)


# ---------------------------------------------------------------- the leg

def draw_leg_parts(ctx, width, height):
    # Boot, toe forward (right), set flat: a heel at the back, the sole
    # lifted a little under the arch, the boot shaft under the trouser.
    top = height - 15.5
    ctx.move_to(4.5, top)
    ctx.line_to(21.5, top)
    ctx.curve_to(22, top + 4, 23, top + 6.5, 25, top + 8)
    ctx.curve_to(26.4, top + 9, 26.6, top + 11.2, 25.8, top + 12.5)
    ctx.line_to(4.0, top + 12.5)
    ctx.curve_to(3.2, top + 9, 3.6, top + 3, 4.5, top)
    ctx.close_path()
    boot = ctx.copy_path()
    radial_volume(ctx, boot, ((0.0, hexcolour("6a5a62")), (0.35, BOOT), (0.85, shade_of(BOOT, 0.25)),
                              (1.0, mix(BOOT, BOUNCE, 0.15))), 21, top + 6, 15)
    ctx.new_path()
    ctx.move_to(19.5, top + 6.5)
    ctx.curve_to(22, top + 7.5, 24, top + 8, 25.5, top + 9)
    thin_line(ctx, mix(SUN, (1, 1, 1), 0.5), 1.0, 0.75)
    catchlight(ctx, 24.8, top + 9.2, 0.9, 0.6, 0.8)
    # Sole and heel: a lighter edge of leather, the heel a block at the back.
    # Flat on the ground at the heel and under the ball of the foot, lifted
    # a little under the arch between them.
    ctx.move_to(3.6, top + 12.3)
    ctx.line_to(26.0, top + 12.3)
    ctx.curve_to(26.0, top + 14.4, 25.0, top + 15.2, 23.6, top + 15.2)
    ctx.line_to(17.0, top + 15.2)
    ctx.curve_to(15.2, top + 14.2, 13.2, top + 14.2, 11.8, top + 14.4)
    ctx.line_to(12.8, top + 15.2)
    ctx.line_to(6.4, top + 15.2)
    ctx.curve_to(5.6, top + 15.2, 5.4, top + 12, 5.6, top + 12.3)
    ctx.close_path()
    sole = ctx.copy_path()
    g = cairo.LinearGradient(0, top + 12.3, 0, top + 15.4)
    g.add_color_stop_rgb(0, *hexcolour("7a5a44"))
    g.add_color_stop_rgb(1, *shade_of(hexcolour("4a3428"), 0.3))
    ctx.new_path()
    ctx.append_path(sole)
    ctx.set_source(g)
    ctx.fill()
    ctx.move_to(11.8, top + 12.6)
    ctx.line_to(11.8, top + 15.0)
    thin_line(ctx, OUTLINE, 0.6, 0.7)
    # The trouser hem's shadow on the boot.
    ctx.save()
    ctx.new_path()
    ctx.append_path(boot)
    ctx.clip()
    g = cairo.LinearGradient(0, top, 0, top + 3.5)
    g.add_color_stop_rgba(0, 0, 0, 0, 0.6)
    g.add_color_stop_rgba(1, 0, 0, 0, 0.0)
    ctx.set_source(g)
    ctx.paint()
    ctx.restore()
    # Trouser: straight under the hip, the knee pushing the front forward,
    # the calf rounding the back, the ankle narrowing, the hem breaking over
    # the boot top.
    ctx.move_to(6.5, 0)
    ctx.line_to(21.5, 0)
    ctx.curve_to(23.5, 14, 23.8, 32, 24.8, 42)      # thigh to the knee cap
    ctx.curve_to(25.2, 45.5, 23.6, 48, 22.6, 51)    # below the knee
    ctx.curve_to(22.0, 54, 22.6, 56, 23.8, 58)      # shin to the break
    ctx.curve_to(24.6, 60, 23.8, 61.4, 22, 61.6)
    ctx.curve_to(16, 62.4, 9, 62.4, 3.8, 61.2)
    ctx.curve_to(3.4, 59.6, 4.2, 58, 5.2, 56.5)     # the heel of the hem
    ctx.curve_to(4.2, 53, 2.8, 48, 3.4, 42)         # calf
    ctx.curve_to(3.8, 30, 4.0, 14, 6.5, 0)
    ctx.close_path()
    trouser = ctx.copy_path()
    g = cairo.LinearGradient(25, 0, 3, 0)
    g.add_color_stop_rgb(0.0, *mix(RED_LIT, SUN, 0.2))
    g.add_color_stop_rgb(0.25, *SANTA_RED)
    g.add_color_stop_rgb(0.75, *shade_of(SANTA_RED, 0.55))
    g.add_color_stop_rgb(1.0, *mix(shade_of(SANTA_RED, 0.55), BOUNCE, 0.2))
    ctx.new_path()
    ctx.append_path(trouser)
    ctx.set_source(g)
    ctx.fill()
    ctx.save()
    ctx.new_path()
    ctx.append_path(trouser)
    ctx.clip()
    # The knee cap catching the light, folds behind the knee, and the hem
    # gathering over the boot.
    g = cairo.RadialGradient(21, 42, 0, 21, 42, 6)
    g.add_color_stop_rgba(0, *mix(RED_LIT, SUN, 0.35), 0.8)
    g.add_color_stop_rgba(1, *RED_LIT, 0.0)
    ctx.set_source(g)
    ctx.rectangle(12, 34, 14, 16)
    ctx.fill()
    for pts, w, a in ((((5.5, 41), (10, 43), (14, 47)), 1.1, 0.6),
                      (((6, 45), (10, 46.5), (12.5, 50)), 0.9, 0.5),
                      (((21.5, 49), (18, 50), (15.5, 52.5)), 0.9, 0.45),
                      (((7.5, 56), (12, 57.8), (19, 56.4)), 1.1, 0.6),
                      (((10, 59.6), (14.5, 58.4), (21, 59.4)), 0.9, 0.5)):
        ctx.move_to(*pts[0])
        ctx.curve_to(pts[1][0], pts[1][1], pts[1][0], pts[1][1], pts[2][0], pts[2][1])
        thin_line(ctx, shade_of(SANTA_RED, 0.8), w, a)
    ctx.restore()
    ctx.new_path()
    ctx.append_path(trouser)
    thin_line(ctx, shade_of(SANTA_RED, 0.9), 0.7)


def draw_leg(ctx, width, height):
    inked(ctx, lambda: draw_leg_parts(ctx, width, height), 1.4)


# ---------------------------------------------------------------- the arm

def draw_arm_parts(ctx, width, height):
    # Shoulder cap round the pivot, the sleeve bending a little forward at the
    # elbow, a fur cuff, the mitten with its thumb forward.
    ctx.move_to(2.2, 13)
    ctx.arc(10, 12.5, 7.8, math.pi, 0)
    ctx.curve_to(17.8, 22, 17.0, 28, 17.2, 39)
    ctx.line_to(3.2, 39)
    ctx.curve_to(3.0, 30, 2.2, 22, 2.2, 13)
    ctx.close_path()
    sleeve = ctx.copy_path()
    radial_volume(ctx, sleeve, ((0.0, mix(RED_LIT, SUN, 0.25)), (0.35, SANTA_RED),
                                (0.8, shade_of(SANTA_RED, 0.5)),
                                (1.0, mix(shade_of(SANTA_RED, 0.55), BOUNCE, 0.2))), 14, 9, 22)
    ctx.save()
    ctx.new_path()
    ctx.append_path(sleeve)
    ctx.clip()
    for pts in (((4, 24), (9, 26), (12, 24)), ((5, 28.5), (9, 30), (11, 29)),
                ((6, 18), (6.5, 14), (9, 8))):
        ctx.move_to(*pts[0])
        ctx.curve_to(pts[1][0], pts[1][1], pts[1][0], pts[1][1], pts[2][0], pts[2][1])
        thin_line(ctx, shade_of(SANTA_RED, 0.75), 0.9, 0.5)
    ctx.restore()
    ctx.new_path()
    ctx.append_path(sleeve)
    thin_line(ctx, shade_of(SANTA_RED, 0.8), 0.7)
    # Mitten and thumb.
    ctx.move_to(4.5, 40)
    ctx.curve_to(3.0, 46, 5.5, 51, 10.5, 51)
    ctx.curve_to(15, 51, 17, 47, 16, 40)
    ctx.close_path()
    mitten = ctx.copy_path()
    stops = ((0.0, hexcolour("6a5a62")), (0.4, BOOT), (1.0, shade_of(BOOT, 0.3)))
    radial_volume(ctx, mitten, stops, 13, 43, 10)
    ellipse(ctx, 16.2, 44, 2.4, 3.4)
    thumb = ctx.copy_path()
    radial_volume(ctx, thumb, stops, 17, 42.5, 4)
    ctx.new_path()
    ctx.append_path(thumb)
    thin_line(ctx, shade_of(BOOT, 0.4), 0.6)
    catchlight(ctx, 13.0, 44.5, 1.4, 0.8, 0.45)
    ctx.new_path()
    tufted(ctx, [(2, 36), (18, 36), (18.2, 41.5), (2, 41.5)], 0.9, 89)
    cuff = ctx.copy_path()
    fur_fill(ctx, cuff, 15, 35, 16, 97, marks=5)


def draw_arm(ctx, width, height):
    inked(ctx, lambda: draw_arm_parts(ctx, width, height), 1.3)


# ---------------------------------------------------------------- the driver's head

def draw_driver_head(ctx, width, height):
    # Faces left: the car is stored driving left. The hat flops back (right).
    def head():
        ctx.save()
        ctx.translate(width, 0)
        ctx.scale(-1, 1)
        ctx.translate(19, 28)
        ctx.scale(0.85, 0.85)
        draw_head(ctx, 15, side=0.0)
        ctx.restore()
    inked(ctx, head, 1.3, lean=(0.0, 0.3))


IMAGES = {
    "santa.tga": (84, 100, draw_body),
    "leg.tga": (28, 72, draw_leg),
    "hand.tga": (20, 52, draw_arm),
    "santa-head.tga": (40, 46, draw_driver_head),
}
