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

The far arm is part of the body: it hangs behind the coat, only a sliver of
sleeve and its mitten showing at the back, so it stays put while the near arm
(hand.tga) swings over the body. Both legs are the one leg
picture, the back one tinted 0.4: the leg is slim (about 14 px) and inked
all round so the two part as soon as they swing; standing, they coincide, so
the leg stands straight under the hip on a flat boot with the trouser
breaking over it, as a man's legs look from the side.

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


def evenly_inked(ctx, draw, width):
    """Draws the group with an outside line of one even weight all round:
    the shape spread by width in many small steps, so curves stay smooth."""
    ctx.push_group()
    draw()
    group = ctx.pop_group()
    steps = 32
    colour(ctx, OUTLINE)
    for ring in (1, 2, 3):
        r = width * ring / 3
        for i in range(steps):
            a = 2 * math.pi * (i + 0.5 * ring) / steps
            ctx.save()
            ctx.translate(r * math.cos(a), r * math.sin(a))
            ctx.mask(group)
            ctx.restore()
    ctx.set_source(group)
    ctx.paint()


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

# The outside line of the body, the leg and the arm: one even weight, as thin
# as the car's line on its lit side.
SANTA_INK = 1.2


def coat_path(ctx):
    """The coat's silhouette: a broad back shoulder rounding over the near
    arm's shoulder cap (so the cap lies inside it however the arm turns), a
    straight back, and a round belly swelling out in front and tucking under
    to the hem."""
    ctx.move_to(40, 39)
    ctx.curve_to(29, 38, 16, 39.5, 12.5, 51)        # back shoulder, round over the arm's cap
    ctx.curve_to(10.5, 60, 10, 78, 11.5, 93)        # the back, rounding out
    ctx.curve_to(30, 97.5, 54, 97.5, 70, 94)        # under the hem
    ctx.curve_to(78, 90, 81.8, 81, 81.8, 71)        # the belly tucking under
    ctx.curve_to(81.8, 60, 75, 51, 67, 46)          # chest to the belly's top
    ctx.curve_to(63, 43, 59, 41, 55, 40.5)          # front shoulder
    ctx.close_path()


def front_fur_path(ctx):
    """The fur edging down the coat's front, inside the belly's curve; the coat
    clips its outer side."""
    ctx.move_to(58, 38)
    tufted_points = [(63, 44), (69, 52), (73.4, 62), (75.4, 71), (74.4, 81), (70, 90),
                     (64, 99)]
    ctx.line_to(*tufted_points[0])
    rng = Lcg(79)
    for (x0, y0), (x1, y1) in zip(tufted_points, tufted_points[1:]):
        b = 0.7 + 0.5 * rng.unit()
        ctx.curve_to(x0 - b, (2 * y0 + y1) / 3, x1 - b, (y0 + 2 * y1) / 3, x1, y1)
    ctx.line_to(90, 99)
    ctx.line_to(90, 38)
    ctx.close_path()


def draw_buckle(ctx, x, y):
    """A brass buckle on the pixel grid: an 11 x 9 frame round a 7 x 5 opening
    that shows the belt, the prong lying across it from the hinge bar."""
    ctx.rectangle(x, y, 11, 9)
    ctx.rectangle(x + 2, y + 2, 7, 5)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    frame = ctx.copy_path()
    g = cairo.LinearGradient(x + 11, y, x + 3, y + 9)
    g.add_color_stop_rgb(0, *mix(GOLD, SUN, 0.55))
    g.add_color_stop_rgb(0.45, *GOLD)
    g.add_color_stop_rgb(1, *hexcolour("a87418"))
    ctx.set_source(g)
    ctx.fill()
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    # The frame's lit top and right bars, its shaded bottom and left ones.
    colour(ctx, mix(GOLD, SUN, 0.75))
    ctx.rectangle(x + 1, y + 0.5, 9.5, 1)
    ctx.rectangle(x + 9.5, y + 1, 1, 7)
    ctx.fill()
    colour(ctx, hexcolour("8a5a10"))
    ctx.rectangle(x + 0.5, y + 7.5, 10, 1)
    ctx.rectangle(x + 0.5, y + 1, 1, 7)
    ctx.fill()
    # The opening's inner edge in shadow, so the belt reads as lying under it.
    colour(ctx, hexcolour("140c0c"), 0.8)
    ctx.rectangle(x + 2, y + 2, 7, 1)
    ctx.fill()
    # The prong: a pin from the hinge bar to the far side, with a lit top.
    colour(ctx, hexcolour("c8961c"))
    ctx.rectangle(x + 2, y + 4, 6, 1)
    ctx.fill()
    colour(ctx, mix(GOLD, SUN, 0.6))
    ctx.rectangle(x + 2, y + 4, 5.5, 0.5)
    ctx.fill()
    ctx.new_path()
    ctx.append_path(frame)
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    thin_line(ctx, hexcolour("4a2a06"), 0.7)
    # A crisp glint on the corner that faces the sun.
    colour(ctx, (1, 1, 1), 0.95)
    ctx.rectangle(x + 8.5, y + 0.5, 1.5, 1)
    ctx.rectangle(x + 9.5, y + 1.5, 0.5, 1)
    ctx.fill()


def draw_far_arm(ctx):
    """The far arm, in shade, hangs behind the body: the coat hides all of it
    but a sliver of sleeve down the back and the mitten under it."""
    far = shade_of(SANTA_RED, 0.45)
    ctx.move_to(20, 48)
    ctx.curve_to(12, 51, 6.8, 62, 6.6, 78.5)        # the sleeve's back edge
    ctx.line_to(15, 78.5)
    ctx.line_to(20, 56)
    ctx.close_path()
    sleeve = ctx.copy_path()
    radial_volume(ctx, sleeve, form_stops(far, 0.2, 0.5, 0.25), 14, 56, 24)
    ctx.new_path()
    tufted(ctx, [(5.8, 77.2), (13, 77.2), (13, 81.2), (5.8, 81.2)], 0.6, 61)
    cuff = ctx.copy_path()
    fur_fill(ctx, cuff, 12, 76, 8, 67, marks=2)
    ctx.new_path()
    ctx.append_path(cuff)
    thin_line(ctx, OUTLINE, 0.6, 0.8)
    # The mitten hangs thumb forward, only its back showing past the coat.
    ctx.move_to(6.6, 81)
    ctx.curve_to(5.0, 84.5, 6.2, 88, 9.2, 88)
    ctx.curve_to(11.6, 88, 12.4, 85, 11.8, 81)
    ctx.close_path()
    mitten = ctx.copy_path()
    radial_volume(ctx, mitten, ((0, hexcolour("5a4a52")), (0.5, hexcolour("2e262a")),
                                (1, BOOT)), 10, 82, 7)
    ctx.new_path()
    ctx.append_path(mitten)
    thin_line(ctx, OUTLINE, 0.7)


def draw_body_parts(ctx, width, height):
    draw_far_arm(ctx)
    coat_path(ctx)
    coat = ctx.copy_path()
    # A round belly: lit high on its front, the core shadow wrapping round its
    # underside and back, a touch of snow light under it.
    radial_volume(ctx, coat, ((0.0, mix(RED_LIT, SUN, 0.3)), (0.22, RED_LIT), (0.5, SANTA_RED),
                              (0.8, shade_of(SANTA_RED, 0.5)),
                              (1.0, mix(shade_of(SANTA_RED, 0.55), BOUNCE, 0.15))), 66, 62, 46)
    ctx.save()
    ctx.new_path()
    ctx.append_path(coat)
    ctx.clip()
    # The belly's underside turning away, and snow light bounced up into it.
    g = cairo.LinearGradient(0, 80, 0, 96)
    g.add_color_stop_rgba(0, *shade_of(SANTA_RED, 0.8), 0.0)
    g.add_color_stop_rgba(0.7, *shade_of(SANTA_RED, 0.8), 0.45)
    g.add_color_stop_rgba(1, *mix(shade_of(SANTA_RED, 0.6), BOUNCE, 0.3), 0.5)
    ctx.set_source(g)
    ctx.paint()
    # Fabric: folds pulled round the belly and a faint weave.
    for x0, y0, x1, y1, x2, y2 in ((30, 56, 42, 60, 52, 58), (26, 64, 40, 69, 54, 66),
                                   (34, 86, 46, 89, 58, 87)):
        ctx.move_to(x0, y0)
        ctx.curve_to(x1, y1, x1, y1, x2, y2)
        thin_line(ctx, shade_of(SANTA_RED, 0.75), 1.0, 0.4)
        ctx.move_to(x0 + 1, y0 - 1.2)
        ctx.curve_to(x1 + 1, y1 - 1.2, x1 + 1, y1 - 1.2, x2 + 1, y2 - 1.2)
        thin_line(ctx, RED_LIT, 0.6, 0.3)
    rng = Lcg(7)
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
    # A darker flank along the back, where the coat turns away.
    g = cairo.LinearGradient(11, 0, 24, 0)
    g.add_color_stop_rgba(0, *shade_of(SANTA_RED, 0.7), 0.55)
    g.add_color_stop_rgba(1, *shade_of(SANTA_RED, 0.7), 0.0)
    ctx.set_source(g)
    ctx.rectangle(10, 40, 14, 60)
    ctx.fill()
    # Fur down the coat's front, from under the beard to the hem.
    front_fur_path(ctx)
    placket = ctx.copy_path()
    fur_fill(ctx, placket, 80, 56, 34, 83, marks=12)
    # Belt round the belly at its widest, and its shadow under it.
    ctx.move_to(0, 71)
    ctx.curve_to(30, 73, 60, 74, 90, 74.5)
    ctx.line_to(90, 82.5)
    ctx.curve_to(60, 82, 30, 81, 0, 79)
    ctx.close_path()
    belt = ctx.copy_path()
    g = cairo.LinearGradient(0, 72, 0, 82)
    g.add_color_stop_rgb(0, *mix(LEATHER, SUN, 0.2))
    g.add_color_stop_rgb(0.45, *LEATHER)
    g.add_color_stop_rgb(1, *shade_of(LEATHER, 0.3))
    ctx.new_path()
    ctx.append_path(belt)
    ctx.set_source(g)
    ctx.fill()
    ctx.move_to(0, 80)
    ctx.curve_to(30, 82, 60, 83, 90, 83.5)
    thin_line(ctx, shade_of(SANTA_RED, 0.8), 1.6, 0.45)
    ctx.move_to(0, 71.6)
    ctx.curve_to(30, 73.6, 60, 74.6, 90, 75.1)
    thin_line(ctx, mix(LEATHER, SUN, 0.5), 0.6, 0.6)
    ctx.new_path()
    ctx.append_path(belt)
    thin_line(ctx, OUTLINE, 0.6)
    ctx.restore()
    draw_buckle(ctx, 67, 74)
    # Fur hem round the coat's bottom, with a cool shade under the belly.
    ctx.new_path()
    tufted(ctx, [(10.5, 88.5), (44, 92), (74.5, 88.4), (71.5, 95), (44, 99), (10.5, 96)],
           0.9, 71)
    hem = ctx.copy_path()
    fur_fill(ctx, hem, 60, 84, 46, 73, marks=22)
    ctx.save()
    ctx.translate(54, 30)
    draw_head(ctx, 38)
    ctx.restore()


def draw_body(ctx, width, height):
    evenly_inked(ctx, lambda: draw_body_parts(ctx, width, height), SANTA_INK)


# ---------------------------------------------------------------- the leg

def draw_leg_parts(ctx, width, height):
    # Boot, toe forward (right), set flat: a block heel at the back, the sole
    # lifted a little under the arch, the shaft under the trouser hem.
    top = height - 14.5
    ctx.move_to(7.0, top)
    ctx.line_to(20.0, top)
    ctx.curve_to(20.4, top + 3.5, 21.5, top + 5.2, 23.6, top + 6.2)
    ctx.curve_to(25.2, top + 7.2, 25.8, top + 9.6, 25.0, top + 11.2)
    ctx.line_to(5.0, top + 11.2)
    ctx.curve_to(4.6, top + 7.5, 5.6, top + 3, 7.0, top)
    ctx.close_path()
    boot = ctx.copy_path()
    radial_volume(ctx, boot, ((0.0, hexcolour("7a6a72")), (0.3, hexcolour("3a3036")),
                              (0.75, BOOT), (1.0, mix(BOOT, BOUNCE, 0.2))), 21, top + 5, 15)
    ctx.move_to(19.5, top + 5.6)
    ctx.curve_to(21.5, top + 6.6, 23.2, top + 7.0, 24.6, top + 7.8)
    thin_line(ctx, mix(SUN, (1, 1, 1), 0.5), 0.9, 0.8)
    catchlight(ctx, 24.4, top + 8.0, 0.9, 0.6, 0.9)
    # Sole and heel, flat on the ground at the heel and under the ball of the
    # foot; a lighter welt along the top of the sole.
    ctx.move_to(4.6, top + 11.0)
    ctx.line_to(25.2, top + 11.0)
    ctx.curve_to(25.2, top + 13.0, 24.2, top + 14.2, 22.6, top + 14.2)
    ctx.line_to(17.0, top + 14.2)
    ctx.curve_to(15.4, top + 13.2, 13.6, top + 13.2, 12.4, top + 13.2)
    ctx.line_to(12.4, top + 14.2)
    ctx.line_to(5.4, top + 14.2)
    ctx.line_to(5.0, top + 11.0)
    ctx.close_path()
    sole = ctx.copy_path()
    g = cairo.LinearGradient(0, top + 11.0, 0, top + 14.4)
    g.add_color_stop_rgb(0, *hexcolour("8a6a50"))
    g.add_color_stop_rgb(1, *shade_of(hexcolour("4a3428"), 0.3))
    ctx.new_path()
    ctx.append_path(sole)
    ctx.set_source(g)
    ctx.fill()
    ctx.move_to(12.4, top + 11.4)
    ctx.line_to(12.4, top + 14.0)
    thin_line(ctx, OUTLINE, 0.7, 0.8)
    ctx.move_to(5.0, top + 11.0)
    ctx.line_to(25.1, top + 11.0)
    thin_line(ctx, OUTLINE, 0.6, 0.8)
    # The trouser hem's shadow on the boot.
    ctx.save()
    ctx.new_path()
    ctx.append_path(boot)
    ctx.clip()
    g = cairo.LinearGradient(0, top, 0, top + 3)
    g.add_color_stop_rgba(0, 0, 0, 0, 0.6)
    g.add_color_stop_rgba(1, 0, 0, 0, 0.0)
    ctx.set_source(g)
    ctx.paint()
    ctx.restore()
    # Trouser, about 14 px wide: straight under the hip, the knee pushing the
    # front forward a little, the calf rounding the back, the hem breaking
    # over the boot top.
    ctx.move_to(7.0, 0)
    ctx.line_to(21.0, 0)
    ctx.curve_to(21.0, 14, 21.0, 30, 21.4, 38)      # thigh to the knee
    ctx.curve_to(22.4, 41, 22.4, 44, 21.2, 47)      # the knee cap
    ctx.curve_to(20.6, 50, 20.6, 54, 21.2, 56.5)    # shin to the break
    ctx.curve_to(22.2, 57.8, 22.6, 59.4, 21.8, 60.4)
    ctx.curve_to(16, 61.4, 10, 61.4, 5.8, 60.6)
    ctx.curve_to(5.4, 59.2, 5.8, 57.6, 6.6, 56.4)   # the heel of the hem
    ctx.curve_to(6.0, 52, 5.8, 47, 6.6, 42)         # calf
    ctx.curve_to(7.2, 30, 7.0, 14, 7.0, 0)
    ctx.close_path()
    trouser = ctx.copy_path()
    g = cairo.LinearGradient(22, 0, 6, 0)
    g.add_color_stop_rgb(0.0, *mix(RED_LIT, SUN, 0.25))
    g.add_color_stop_rgb(0.3, *SANTA_RED)
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
    # A lit crease down the front, the knee cap catching the light, the fold
    # behind the knee and the hem gathering over the boot.
    ctx.move_to(18.6, 20)
    ctx.curve_to(19.0, 30, 19.2, 36, 19.6, 40)
    thin_line(ctx, mix(RED_LIT, SUN, 0.35), 0.9, 0.6)
    g = cairo.RadialGradient(19.5, 42.5, 0, 19.5, 42.5, 4.5)
    g.add_color_stop_rgba(0, *mix(RED_LIT, SUN, 0.45), 0.9)
    g.add_color_stop_rgba(1, *RED_LIT, 0.0)
    ctx.set_source(g)
    ctx.rectangle(13, 36, 12, 13)
    ctx.fill()
    for pts, w, a in ((((6.5, 42.5), (10, 43.5), (13.5, 46.5)), 1.1, 0.75),
                      (((20.8, 47.5), (18, 48.2), (16, 50)), 0.8, 0.5),
                      (((8, 56), (12, 57.6), (18, 56.2)), 1.0, 0.6),
                      (((10, 59.2), (14, 58.2), (20, 59.2)), 0.8, 0.5)):
        ctx.move_to(*pts[0])
        ctx.curve_to(pts[1][0], pts[1][1], pts[1][0], pts[1][1], pts[2][0], pts[2][1])
        thin_line(ctx, shade_of(SANTA_RED, 0.85), w, a)
    ctx.restore()


def draw_leg(ctx, width, height):
    evenly_inked(ctx, lambda: draw_leg_parts(ctx, width, height), SANTA_INK)


# ---------------------------------------------------------------- the arm

def draw_arm_parts(ctx, width, height):
    # Shoulder cap round the pivot, the sleeve bending a little forward at the
    # elbow, a fur cuff, the mitten with its thumb forward.
    ctx.move_to(2.2, 13)
    ctx.save()
    ctx.translate(10, 13)
    ctx.scale(7.8, 6.2)
    ctx.arc(0, 0, 1, math.pi, 0)
    ctx.restore()
    ctx.curve_to(17.8, 22, 17.0, 28, 17.2, 39)
    ctx.line_to(3.2, 39)
    ctx.curve_to(3.0, 30, 2.2, 22, 2.2, 13)
    ctx.close_path()
    sleeve = ctx.copy_path()
    # A touch lighter than the coat it swings over, so the two part.
    radial_volume(ctx, sleeve, ((0.0, mix(RED_LIT, SUN, 0.45)), (0.3, RED_LIT),
                                (0.75, SANTA_RED),
                                (1.0, mix(shade_of(SANTA_RED, 0.4), BOUNCE, 0.2))), 15, 9, 24)
    ctx.save()
    ctx.new_path()
    ctx.append_path(sleeve)
    ctx.clip()
    # The front of the sleeve faces the sun (and faces up when the arm is
    # raised): a lit band along it; the back turns into a core shadow.
    g = cairo.LinearGradient(17.8, 0, 12.5, 0)
    g.add_color_stop_rgba(0, *mix(RED_LIT, SUN, 0.6), 0.95)
    g.add_color_stop_rgba(1, *RED_LIT, 0.0)
    ctx.set_source(g)
    ctx.rectangle(11, 6, 8, 34)
    ctx.fill()
    g = cairo.LinearGradient(2.2, 0, 7.5, 0)
    g.add_color_stop_rgba(0, *shade_of(SANTA_RED, 0.7), 0.8)
    g.add_color_stop_rgba(1, *shade_of(SANTA_RED, 0.7), 0.0)
    ctx.set_source(g)
    ctx.rectangle(1, 12, 8, 28)
    ctx.fill()
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
    evenly_inked(ctx, lambda: draw_arm_parts(ctx, width, height), SANTA_INK)


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
