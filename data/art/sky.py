"""The sun and the one ray that eight copies of make its turning ring.

The scene draws the sun (64 x 64) with its top-left corner at the sun's place,
rocked up to 7 degrees either way about that corner. The ring of rays does not
rock with it: it turns about a centre 5 px right of and 2.5 px above the
picture's middle, at (37, 29.5) of the unrocked picture. So the disc is drawn
about (CX, CY), beside the ring's centre, and the ring stays nearly concentric
with it however the sun rocks (at most about 7 px off). The disc (radius 25.5)
sits in a warm halo that fades out just inside the picture's edges.

Each ray (10 x 26) is drawn with its top edge 35 to 45 px out from the ring's
centre (the distance breathes), its left edge on the ring's radius, so the
quad is off the radius by half its width. The beam inside it runs along the
line from the ring's centre through (BEAM_LEAN x distance) of the quad's left
edge, so every beam points at the centre; it is brightest and widest at its
inner end and tapers and fades outward. The rays turn all the way round, so a
beam is shaded the same on both sides of its own line: light from one side
would swing round with it. Neither picture has a dark line round its glow."""

import math

import cairo

from paint import Lcg, colour, ellipse, hexcolour

CX, CY = 35.0, 30.5
RADIUS = 25.0
SIZE = 64
INK = hexcolour("8a3a0e")        # burnt orange: the sun's own line, warmer than the city's
CORE = hexcolour("fffbea")
GOLD = hexcolour("ffd75a")
AMBER = hexcolour("fbb03b")
EMBER = hexcolour("f08a24")
BLUSH = hexcolour("ff7f5c")
SUNLIGHT = hexcolour("fff2d6")
HALO = hexcolour("ffe7a3")
RAY_GOLD = hexcolour("ffcf4a")
RAY_INNER = 40.0                 # the ray's mean distance from the ring's centre
BEAM_LEAN = 0.125                # the beam's offset from the quad's left edge per px of distance


def smoothstep(e0, e1, x):
    t = min(1.0, max(0.0, (x - e0) / (e1 - e0)))
    return t * t * (3 - 2 * t)


def mix3(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def paint_pixels(ctx, width, height, shade, samples=4):
    """Paints a picture pixel by pixel: shade(x, y) gives (rgb, alpha) at a
    point, averaged over samples x samples points in each pixel. Where the
    picture would be fully clear it keeps an alpha of 1/255 in the glow's own
    colour, so that bilinear scaling blends the soft edge towards light, not
    towards the black of an empty texel; only its outermost texels are clear."""
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    stride = surface.get_stride()
    data = surface.get_data()
    for y in range(height):
        for x in range(width):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    rgb, alpha = shade(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples)
                    r += rgb[0] * alpha
                    g += rgb[1] * alpha
                    b += rgb[2] * alpha
                    a += alpha
            n = samples * samples
            border = x in (0, width - 1) or y in (0, height - 1)
            a8 = max(0 if border else 1, min(255, round(a / n * 255)))
            scale = a8 / 255 / (a / n) if a > 0 else 0
            if a <= 0 or a8 == 0:
                r, g, b, a = SUNLIGHT[0], SUNLIGHT[1], SUNLIGHT[2], 1.0
                n, scale = 1, a8 / 255
            px = [round(c / n * scale * 255) for c in (b, g, r)]
            data[y * stride + 4 * x:y * stride + 4 * x + 4] = bytes(
                [min(a8, v) for v in px] + [a8])
    surface.mark_dirty()
    ctx.set_source_surface(surface, 0, 0)
    ctx.paint()


def halo_at(x, y):
    """The warm light round the disc: nearly opaque gold at the rim, paling
    to the sky's own light and fading out 2 px inside the picture's edges."""
    r = math.hypot(x - CX, y - CY)
    edge = min(x, y, SIZE - x, SIZE - y)
    fade = smoothstep(0.0, 3.5, edge)
    rim = 1 - smoothstep(RADIUS + 0.5, RADIUS + 4.0, r)
    glow = (1 - smoothstep(RADIUS, 33.0, r)) ** 0.8 * 0.7
    rgb = mix3(HALO, SUNLIGHT, smoothstep(RADIUS + 1.5, RADIUS + 6.0, r))
    return rgb, max(rim, glow) * fade


def halo(ctx):
    paint_pixels(ctx, SIZE, SIZE, halo_at)


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


def disc(ctx):
    """The ball of the sun: a hot pale core towards the upper right, deepening
    to amber and ember at the lower left, with soft painted mottling and a
    few curls of flame on its surface."""
    ctx.arc(CX, CY, RADIUS, 0, 2 * math.pi)
    body = cairo.RadialGradient(CX + 8, CY - 9, 2, CX + 2, CY - 2, RADIUS + 5)
    body.add_color_stop_rgb(0, *CORE)
    body.add_color_stop_rgb(0.35, *GOLD)
    body.add_color_stop_rgb(0.75, *AMBER)
    body.add_color_stop_rgb(1, *EMBER)
    ctx.set_source(body)
    ctx.fill()
    ctx.save()
    ctx.arc(CX, CY, RADIUS, 0, 2 * math.pi)
    ctx.clip()
    rng = Lcg(1225)
    for _ in range(40):
        angle = rng.range(0, 2 * math.pi)
        dist = rng.range(4, RADIUS)
        x, y = CX + dist * math.cos(angle), CY + dist * math.sin(angle)
        lit = (x - CX) - (y - CY) > 0
        ellipse(ctx, x, y, rng.range(2.0, 4.5), rng.range(1.5, 3.0))
        colour(ctx, CORE if lit else EMBER, rng.range(0.06, 0.14))
        ctx.fill()
    # Curls of flame swirling round the rim, lighter on the lit side.
    for start, sweep, lit in ((2.55, 0.9, False), (3.75, 0.7, False), (1.45, 0.6, False),
                              (5.3, 0.8, True), (-0.3, 0.6, True)):
        ctx.new_path()
        ctx.arc(CX, CY, RADIUS - 4.5, start, start + sweep)
        colour(ctx, CORE if lit else EMBER, 0.35 if lit else 0.3)
        ctx.set_line_width(1.4)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.stroke()
    # Deeper, warmer colour along the lower-left rim, away from the light.
    rim = cairo.RadialGradient(CX + 4, CY - 4, RADIUS - 3, CX + 4, CY - 4, RADIUS + 6)
    rim.add_color_stop_rgba(0, *EMBER, 0.0)
    rim.add_color_stop_rgba(1, *hexcolour("e0641a"), 0.55)
    ctx.set_source(rim)
    ctx.paint()
    ctx.restore()
    colour(ctx, INK)
    weighted_ring(ctx, CX, CY, RADIUS, 0.9, 2.2, -1, 1)


def face(ctx):
    """A content face looking down towards the street at the lower left:
    heavy sleepy lids, arched brows, a round nose, blushing cheeks and a
    small lopsided smile, all in tapering brush strokes."""
    fx, fy = CX - 2.5, CY + 1.5
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
    halo(ctx)
    disc(ctx)
    face(ctx)


def beam_at(x, v):
    """A soft beam of sunlight at (x across, v out along) the ray's quad: a
    hot pale core along the line to the ring's centre, widest just inside
    its inner end, tapering and fading to nothing at the outer end."""
    axis = BEAM_LEAN * (RAY_INNER + v)
    t = v / 26.0
    half = 3.9 * (1 - t) ** 1.3 + 0.55
    across = abs(x - axis) / half
    core = min(1.0, 1.35 * math.exp(-1.4 * across * across))
    # A wide soft glow round the inner half, out to the quad's sides.
    glow_half = 5.0 * (1 - t) + 1.0
    sheath = math.exp(-1.0 * ((x - axis) / glow_half) ** 2) * 0.7 * (1 - t) ** 1.6
    # The inner end is rounded off over its first pixels, so no straight cut shows.
    inner = 0.4 + 0.6 * smoothstep(0.0, 4.5, v)
    along = 1 - smoothstep(0.15, 1.0, t) ** 1.2
    # The glow fades out before the quad's sides and leaves their outer columns clear.
    sides = smoothstep(1.0, 3.0, min(x, 10.0 - x))
    alpha = min(1.0, max(core * along, sheath) * inner) * sides
    rgb = mix3(CORE, RAY_GOLD, min(1.0, across * 1.5 + t * 0.5))
    rgb = mix3(rgb, HALO, smoothstep(0.7, 1.3, across))
    rgb = mix3(rgb, CORE, smoothstep(1.1, 2.0, across))
    return rgb, alpha


def draw_ray(ctx, width, height):
    paint_pixels(ctx, width, height, beam_at)


IMAGES = {
    "sun.tga": (64, 64, draw_sun),
    "sunray.tga": (10, 26, draw_ray),
}
