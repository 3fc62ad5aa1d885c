"""The sun and the one ray that eight copies of make its turning ring.

Sun 64 x 64: a disc of radius 25 about its centre in a soft corona that
fades out by 31.5 px, clear of the picture's edges. The scene turns the sun by
a few degrees about its top-left corner, so its own light may come from the
upper right like the rest of the street's.

Each ray (10 x 26) is placed with its top edge 35 to 45 px out from the
ring's centre and points away from it, so its top is the broad inner end and
it tapers outward. The rays turn all the way round, so a ray is shaded
symmetrically about its own centre line: light from one side would swing
round with it."""

import math

import cairo

from paint import Lcg, colour, ellipse, hexcolour

CENTRE = 32
RADIUS = 25
CORONA = 31.5
INK = hexcolour("8a3a0e")        # burnt orange: the sun's own line, warmer than the city's
CORE = hexcolour("fffbea")
GOLD = hexcolour("ffd75a")
AMBER = hexcolour("fbb03b")
EMBER = hexcolour("f08a24")
BLUSH = hexcolour("ff7f5c")
SUNLIGHT = hexcolour("fff2d6")


def weighted_ring(ctx, cx, cy, r, thin, thick, dx, dy):
    """An inked circle whose line is `thick` on the side (dx, dy) points to
    and `thin` opposite: the outer edge is the circle grown by thick/2, the
    inner edge a circle shifted towards the thin side."""
    outer = r + thick / 2
    inner = r + thick / 2 - (thin + thick) / 2
    shift = (thick - thin) / 2
    length = math.hypot(dx, dy)
    ox, oy = -dx / length * shift, -dy / length * shift
    ctx.new_sub_path()
    ctx.arc(cx, cy, outer, 0, 2 * math.pi)
    ctx.new_sub_path()
    ctx.arc_negative(cx + ox, cy + oy, inner, 0, -2 * math.pi)
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    ctx.fill()


def tapered_stroke(ctx, points, width):
    """A brush stroke along a quadratic curve through three points, full
    width in the middle and pointed at both ends."""
    (x0, y0), (x1, y1), (x2, y2) = points
    steps = 14
    left, right = [], []
    for i in range(steps + 1):
        t = i / steps
        x = (1 - t) ** 2 * x0 + 2 * (1 - t) * t * x1 + t * t * x2
        y = (1 - t) ** 2 * y0 + 2 * (1 - t) * t * y1 + t * t * y2
        tx = 2 * (1 - t) * (x1 - x0) + 2 * t * (x2 - x1)
        ty = 2 * (1 - t) * (y1 - y0) + 2 * t * (y2 - y1)
        n = math.hypot(tx, ty) or 1.0
        half = width / 2 * math.sin(math.pi * (0.08 + 0.84 * t))
        left.append((x - ty / n * half, y + tx / n * half))
        right.append((x + ty / n * half, y - tx / n * half))
    ctx.move_to(*left[0])
    for p in left[1:] + right[::-1]:
        ctx.line_to(*p)
    ctx.close_path()
    ctx.fill()


def corona(ctx):
    glow = cairo.RadialGradient(CENTRE, CENTRE, RADIUS, CENTRE, CENTRE, CORONA)
    glow.add_color_stop_rgba(0, *SUNLIGHT, 1.0)
    glow.add_color_stop_rgba(0.3, *SUNLIGHT, 0.7)
    glow.add_color_stop_rgba(0.7, *GOLD, 0.25)
    glow.add_color_stop_rgba(1, *SUNLIGHT, 0.0)
    ctx.set_source(glow)
    ctx.arc(CENTRE, CENTRE, CORONA, 0, 2 * math.pi)
    ctx.fill()


def disc(ctx):
    """The ball of the sun: a hot pale core towards the upper right, deepening
    to amber and ember at the lower left, with soft painted mottling and a
    few curls of flame on its surface."""
    ctx.arc(CENTRE, CENTRE, RADIUS, 0, 2 * math.pi)
    body = cairo.RadialGradient(CENTRE + 8, CENTRE - 9, 2, CENTRE + 2, CENTRE - 2, RADIUS + 5)
    body.add_color_stop_rgb(0, *CORE)
    body.add_color_stop_rgb(0.35, *GOLD)
    body.add_color_stop_rgb(0.75, *AMBER)
    body.add_color_stop_rgb(1, *EMBER)
    ctx.set_source(body)
    ctx.fill()
    ctx.save()
    ctx.arc(CENTRE, CENTRE, RADIUS, 0, 2 * math.pi)
    ctx.clip()
    rng = Lcg(1225)
    for _ in range(40):
        angle = rng.range(0, 2 * math.pi)
        dist = rng.range(4, RADIUS)
        x, y = CENTRE + dist * math.cos(angle), CENTRE + dist * math.sin(angle)
        lit = (x - CENTRE) - (y - CENTRE) > 0
        ellipse(ctx, x, y, rng.range(2.0, 4.5), rng.range(1.5, 3.0))
        colour(ctx, CORE if lit else EMBER, rng.range(0.06, 0.14))
        ctx.fill()
    # Curls of flame swirling round the rim, lighter on the lit side.
    for start, sweep, lit in ((2.55, 0.9, False), (3.75, 0.7, False), (1.45, 0.6, False),
                              (5.3, 0.8, True), (-0.3, 0.6, True)):
        ctx.new_path()
        ctx.arc(CENTRE, CENTRE, RADIUS - 4.5, start, start + sweep)
        colour(ctx, CORE if lit else EMBER, 0.35 if lit else 0.3)
        ctx.set_line_width(1.4)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.stroke()
    # Deeper, warmer colour along the lower-left rim, away from the light.
    rim = cairo.RadialGradient(CENTRE + 4, CENTRE - 4, RADIUS - 3, CENTRE + 4, CENTRE - 4, RADIUS + 6)
    rim.add_color_stop_rgba(0, *EMBER, 0.0)
    rim.add_color_stop_rgba(1, *hexcolour("e0641a"), 0.55)
    ctx.set_source(rim)
    ctx.paint()
    ctx.restore()
    colour(ctx, INK)
    weighted_ring(ctx, CENTRE, CENTRE, RADIUS, 0.9, 2.2, -1, 1)


def face(ctx):
    """A content face looking down towards the street at the lower left:
    heavy sleepy lids, arched brows, a round nose, blushing cheeks and a
    small lopsided smile, all in tapering brush strokes."""
    fx, fy = CENTRE - 2.5, CENTRE + 1.5
    for cx, cy in ((fx - 12.5, fy + 5), (fx + 10.5, fy + 5)):
        blush = cairo.RadialGradient(cx, cy, 0.5, cx, cy, 5.5)
        blush.add_color_stop_rgba(0, *BLUSH, 0.6)
        blush.add_color_stop_rgba(1, *BLUSH, 0.0)
        ctx.set_source(blush)
        ctx.arc(cx, cy, 5.5, 0, 2 * math.pi)
        ctx.fill()
    for ex, tilt in ((fx - 8, 1), (fx + 7, -1)):
        # The eye: a dark pupil glancing down-left, half hidden under a lid.
        ctx.save()
        ellipse(ctx, ex, fy - 2.5, 3.4, 2.6)
        ctx.clip()
        ellipse(ctx, ex, fy - 2.5, 3.4, 2.6)
        colour(ctx, (1, 0.99, 0.94))
        ctx.fill()
        ellipse(ctx, ex - 0.9, fy - 1.7, 2.1, 2.3)
        colour(ctx, hexcolour("4a1e08"))
        ctx.fill()
        ellipse(ctx, ex - 0.4, fy - 2.4, 0.6, 0.6)
        colour(ctx, (1, 1, 1))
        ctx.fill()
        # The lid, sunlit gold, down over the top half of the eye.
        ctx.rectangle(ex - 4, fy - 6, 8, 2.6)
        colour(ctx, GOLD)
        ctx.fill()
        ctx.restore()
        colour(ctx, INK)
        tapered_stroke(ctx, ((ex - 4.0, fy - 2.4), (ex, fy - 4.9), (ex + 4.0, fy - 2.4)), 1.7)
        tapered_stroke(ctx, ((ex - 3.0, fy - 0.2), (ex, fy + 0.6), (ex + 3.0, fy - 0.4)), 0.8)
        # The brow, raised and kindly, thicker towards the middle of the face.
        tapered_stroke(ctx, ((ex - 4.2 * tilt, fy - 7.6 + 0.6 * tilt), (ex, fy - 10.6),
                             (ex + 4.2 * tilt, fy - 8.8 - 0.4 * tilt)), 1.6)
    # Nose: a round warm bump, shaded at the lower left, lit at the top right.
    nx, ny = fx - 0.5, fy + 3.5
    ellipse(ctx, nx, ny, 3.0, 2.5)
    nose = cairo.RadialGradient(nx + 1, ny - 1, 0.3, nx, ny, 3.2)
    nose.add_color_stop_rgb(0, *hexcolour("ffe9a8"))
    nose.add_color_stop_rgb(1, *hexcolour("f6a23a"))
    ctx.set_source(nose)
    ctx.fill()
    ctx.new_path()
    ctx.arc(nx, ny, 3.0, 1.2, 3.4)
    colour(ctx, INK)
    ctx.set_line_width(0.9)
    ctx.stroke()
    # Smile: lopsided, higher on the right, with a dimple at its corner.
    colour(ctx, INK)
    tapered_stroke(ctx, ((fx - 7.0, fy + 7.6), (fx - 0.5, fy + 13.5), (fx + 7.0, fy + 6.8)), 1.9)
    tapered_stroke(ctx, ((fx + 5.8, fy + 6.2), (fx + 7.0, fy + 7.2), (fx + 6.6, fy + 8.4)), 0.9)


def draw_sun(ctx, width, height):
    corona(ctx)
    disc(ctx)
    face(ctx)


def draw_ray(ctx, width, height):
    """A tongue of sunlight: broad and rounded at its inner end, where it
    leaves the corona, paling from amber to a light gold as it tapers to a
    point,
    with a soft glow round it and a warm line along its flanks. Its lean is
    the only thing not symmetric about its centre line."""
    cx = width / 2

    def spike(grow):
        # A lick of flame that leans a little, so the ring seems to swirl.
        ctx.new_path()
        ctx.move_to(cx - 4.2 - grow, 4.5)
        ctx.curve_to(cx - 4.2 - grow, 0.6 - grow * 0.5, cx + 4.2 + grow, 0.6 - grow * 0.5,
                     cx + 4.2 + grow, 4.5)
        ctx.curve_to(cx + 4.0 + grow, 11, cx + 2.8 + grow * 0.6, 18, cx + 2.4, height - 1.0 + grow * 0.3)
        ctx.curve_to(cx - 0.2 - grow * 0.6, 18, cx - 3.6 - grow, 12, cx - 4.2 - grow, 4.5)
        ctx.close_path()

    spike(0.9)
    colour(ctx, SUNLIGHT, 0.4)
    ctx.fill()
    spike(0)
    fill = cairo.LinearGradient(0, 1, 0, height)
    fill.add_color_stop_rgb(0, *AMBER)
    fill.add_color_stop_rgb(0.45, *GOLD)
    fill.add_color_stop_rgb(1, *hexcolour("fff0a0"))
    ctx.set_source(fill)
    ctx.fill_preserve()
    path = ctx.copy_path()
    # Warmer on both flanks, brightest down the middle.
    ctx.save()
    ctx.clip()
    flanks = cairo.LinearGradient(cx - 4, 0, cx + 4, 0)
    flanks.add_color_stop_rgba(0, *EMBER, 0.4)
    flanks.add_color_stop_rgba(0.5, *EMBER, 0.0)
    flanks.add_color_stop_rgba(1, *EMBER, 0.4)
    ctx.set_source(flanks)
    ctx.paint()
    ctx.move_to(cx - 0.3, 2.6)
    ctx.curve_to(cx, 8, cx + 0.8, 12, cx + 1.4, 17)
    colour(ctx, CORE, 0.7)
    ctx.set_line_width(1.5)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.stroke()
    ctx.restore()
    ctx.append_path(path)
    ink = cairo.LinearGradient(0, 0, 0, height)
    ink.add_color_stop_rgba(0, *INK, 0.9)
    ink.add_color_stop_rgba(1, *INK, 0.45)
    ctx.set_source(ink)
    ctx.set_line_width(0.8)
    ctx.stroke()


IMAGES = {
    "sun.tga": (64, 64, draw_sun),
    "sunray.tga": (10, 26, draw_ray),
}
