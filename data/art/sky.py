"""The sun and the one ray that eight copies of make its turning ring.

The scene draws the sun (64 x 64) with its top-left corner at the sun's place,
rocked up to 7 degrees either way about that corner. The ring of rays does not
rock with it: it turns about a centre 5 px right of and 2.5 px above the
picture's middle, at (37, 29.5) of the unrocked picture. So the disc is drawn
about (CX, CY), beside the ring's centre, and the ring stays nearly concentric
with it however the sun rocks (at most about 7 px off). The disc (radius 26,
as large as the picture allows round that point with its line) sits in a
warm halo that fades out just inside the picture's edges.

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
RADIUS = 26.0
SIZE = 64
INK = hexcolour("7a3408")        # burnt umber: the sun's own line, warmer than the city's
CORE = hexcolour("fffbe0")
GOLD = hexcolour("ffe04a")
AMBER = hexcolour("ffc72e")
EMBER = hexcolour("f7a823")
BLUSH = hexcolour("ff6f5e")
MOUTH = hexcolour("8e2416")
TONGUE = hexcolour("ff8a72")
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
    """The ball of the sun: golden yellow, a hot pale core towards the upper
    right warming to deep gold at the lower left, with a glossy sheen on the
    lit side and a crisp inked edge, heavier away from the light."""
    ctx.arc(CX, CY, RADIUS, 0, 2 * math.pi)
    body = cairo.RadialGradient(CX + 8, CY - 9, 2, CX + 2, CY - 2, RADIUS + 5)
    body.add_color_stop_rgb(0, *CORE)
    body.add_color_stop_rgb(0.3, *GOLD)
    body.add_color_stop_rgb(0.75, *AMBER)
    body.add_color_stop_rgb(1, *EMBER)
    ctx.set_source(body)
    ctx.fill()
    ctx.save()
    ctx.arc(CX, CY, RADIUS, 0, 2 * math.pi)
    ctx.clip()
    rng = Lcg(1225)
    for _ in range(24):
        angle = rng.range(0, 2 * math.pi)
        dist = rng.range(4, RADIUS)
        x, y = CX + dist * math.cos(angle), CY + dist * math.sin(angle)
        lit = (x - CX) - (y - CY) > 0
        ellipse(ctx, x, y, rng.range(2.0, 4.5), rng.range(1.5, 3.0))
        colour(ctx, CORE if lit else AMBER, rng.range(0.05, 0.1))
        ctx.fill()
    # Warmer gold along the lower-left rim, away from the light.
    rim = cairo.RadialGradient(CX + 4, CY - 4, RADIUS - 3, CX + 4, CY - 4, RADIUS + 6)
    rim.add_color_stop_rgba(0, *EMBER, 0.0)
    rim.add_color_stop_rgba(1, *EMBER, 0.5)
    ctx.set_source(rim)
    ctx.paint()
    # The sheen: a soft crescent of light inside the upper-right rim.
    ctx.new_path()
    ctx.arc(CX, CY, RADIUS - 3.2, -1.35, -0.25)
    colour(ctx, (1, 1, 0.96), 0.7)
    ctx.set_line_width(2.2)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.stroke()
    ctx.restore()
    colour(ctx, INK)
    weighted_ring(ctx, CX, CY, RADIUS, 1.0, 2.2, -1, 1)


def face(ctx):
    """A jolly face looking straight out: eyes shut tight in two happy
    arches, round rosy cheeks and a broad open smile, bold enough to read
    at a glance on the smallest screen."""
    fx, fy = CX - 0.5, CY + 0.5
    for cx in (fx - 13.0, fx + 13.0):
        blush = cairo.RadialGradient(cx, fy + 4.5, 0.5, cx, fy + 4.5, 5.5)
        blush.add_color_stop_rgba(0, *BLUSH, 0.75)
        blush.add_color_stop_rgba(0.6, *BLUSH, 0.45)
        blush.add_color_stop_rgba(1, *BLUSH, 0.0)
        ctx.set_source(blush)
        ctx.arc(cx, fy + 4.5, 5.5, 0, 2 * math.pi)
        ctx.fill()
        ellipse(ctx, cx + 1.5, fy + 3.0, 1.0, 0.8)
        colour(ctx, (1, 0.95, 0.88), 0.7)
        ctx.fill()
    colour(ctx, INK)
    for ex in (fx - 8.0, fx + 8.0):
        tapered_stroke(ctx, ((ex - 4.3, fy - 3.0), (ex, fy - 10.5), (ex + 4.3, fy - 3.0)), 2.6)
    # The smile: a wide open mouth, dark inside, with a tongue.
    left, right, top = (fx - 10.5, fy + 3.5), (fx + 10.5, fy + 3.5), fy + 6.0
    ctx.new_path()
    ctx.move_to(*left)
    ctx.curve_to(fx - 4, top, fx + 4, top, *right)
    ctx.curve_to(fx + 9, fy + 16.5, fx - 9, fy + 16.5, *left)
    ctx.close_path()
    mouth = ctx.copy_path()
    colour(ctx, MOUTH)
    ctx.fill()
    ctx.save()
    ctx.append_path(mouth)
    ctx.clip()
    ellipse(ctx, fx + 0.5, fy + 14.5, 6.0, 4.0)
    colour(ctx, TONGUE)
    ctx.fill()
    ctx.restore()
    ctx.append_path(mouth)
    colour(ctx, INK)
    ctx.set_line_width(1.6)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.stroke()
    # Dimples at the corners of the smile.
    for sign in (-1, 1):
        cx = fx + sign * 10.5
        tapered_stroke(ctx, ((cx + sign * 0.6, fy + 1.6), (cx + sign * 1.8, fy + 3.4),
                             (cx + sign * 0.6, fy + 5.4)), 1.3)


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
