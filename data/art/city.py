"""Five city blocks, 512 x 512 each, that join seamlessly in ring order
0-1-2-3-4-0: every block is a row of buildings exactly 512 px wide standing on
the same pavement and street. The ground's patterns repeat every 64 px or
less and are drawn from the same seeds in every block, so the EDGE columns at
either side are the same in all five and any block may follow any other; the
things only one block has (a crossing, a drain, a manhole) stand between.

Rows (from the top of the picture; on a 640 x 480 screen the front layer shows
the block at 480/512 of its size, row r at y = 0.9375 r):
  0 ..          sky, transparent, above the roofs (roofs from row 55 to 250)
  .. 352        facades
  352 .. 389    pavement, where Santa walks (his soles at y = 359, row 383)
  389 .. 396    kerb
  396 .. 496    street: cars driving right stand at rows 405 and 416, cars
                driving left at rows 458 and 469, a dashed line between them
  490 .. 512    the near kerb under its bank of shovelled snow
The banner lines run over rows 359 to 381 (the pavement) and 412 to 435 (the
street): no texel there is brighter than a luminance of 0.55, so the white
letters read; the snow heaps along the kerb start below the first band.
Block 4 is where Santa stops to talk: the music hall with tonight's gig, its
marquee low over the doors, left of where Santa stands (columns 194 to 278).

The back layer shows the same blocks darker, at 360/512 of their height from
y = 60, scrolling at half the front layer's speed, so every back roof passes
every front roof. What rises above the front rooflines (a back row at texel
row r stands at y = 60 + 0.703 r, the front's lowest roof at y = 234) is what
the back row shows: roofs, gables, towers, chimneys, tanks and a dome, never a
sign; signs, the marquee and shop fronts sit below row 252, where the front
row hides their copy. The roof rows and the chimneys are chosen so that no
back chimney, tank or gable tip stands alone on a front roof, no back roof
hugs a front one and no thin strip of a back wall lingers beside a front wall
(tools/artwork/city_overlap.py lists any that do).

The light is the scene's: the sun at the upper right, golden on the faces it
reaches, shadows cast down and to the left, cool shade; daylight in most
windows, the shops and one upper window in six lit warm from inside
(data/art/README.md)."""

import math

import cairo

from paint import (COOL_SHADE, GOLD, KEY_LIGHT, OUTLINE, SNOW_LIGHT, SNOW_SHADE, Lcg,
                   colour, ellipse, hexcolour, lit, mix, polygon, rounded_rect,
                   shaded)

PAVEMENT_TOP = 352
KERB_TOP = 389
STREET_TOP = 396
LANE_LINE = 452
NEAR_KERB = 496
SIZE = 512
EDGE = 32
SHADOW_DX, SHADOW_DY = -3.0, 4.0  # where a ledge's shadow falls on the wall

SKY_TOP = hexcolour("cfeeff")
SKY_LOW = hexcolour("6f93bd")
GLASS_DEEP = hexcolour("3d5577")
FRAME_WHITE = hexcolour("f1ece2")
GREEN = hexcolour("2f6b3a")
BERRY = hexcolour("c62f2f")
# The low winter sun is golden on the faces it reaches; lamps indoors glow warm.
SUN_GOLD = hexcolour("ffc46b")
ROOM_TOP = hexcolour("ffe6a6")
ROOM_LOW = hexcolour("f0a04e")
LAMP_CORE = hexcolour("fff7dc")
BULB_GLOW = hexcolour("ffc24a")
HALL_PLUM = hexcolour("5c2150")


def ink(base):
    """The thin line of a building detail: the outline tinted towards the shade."""
    return mix(OUTLINE, shaded(base, 0.7), 0.45)


def sunlit(rgb, amount=0.25):
    """The colour on a face the afternoon sun falls on: warmed towards gold."""
    return mix(rgb, SUN_GOLD, amount)


def fill(ctx, rgb, alpha=1.0):
    colour(ctx, rgb, alpha)
    ctx.fill()


def fill_line(ctx, rgb, line, width=0.8):
    colour(ctx, rgb)
    ctx.fill_preserve()
    colour(ctx, line)
    ctx.set_line_width(width)
    ctx.stroke()


def gradient(y0, y1, stops):
    g = cairo.LinearGradient(0, y0, 0, y1)
    for at, rgb, *alpha in stops:
        g.add_color_stop_rgba(at, rgb[0], rgb[1], rgb[2], alpha[0] if alpha else 1.0)
    return g


def cast_shadow(ctx, x, y, w, h, dx=SHADOW_DX, dy=SHADOW_DY, alpha=0.42):
    """The soft shadow a box standing out from the wall throws down-left on it."""
    for k, a in ((0, 0.55), (1, 0.3), (2, 0.15)):
        ctx.rectangle(x + dx - k * 0.7, y + dy - k * 0.2, w + k * 1.4, h + k * 0.9)
        colour(ctx, COOL_SHADE, alpha * a)
        ctx.fill()


# Snow ----------------------------------------------------------------------

def snow(ctx, rng, x, y, w, depth, icicles=0.0):
    """Fresh snow lying on a flat edge from (x, y) to (x + w, y): lumpy on
    top, lit from the upper right, pale blue underneath and at its left end."""
    steps = max(2, int(w / 6))
    pts = []
    for i in range(steps + 1):
        px = x + w * i / steps
        lift = depth * (0.65 + 0.35 * rng.unit())
        if i == 0 or i == steps:
            lift *= 0.55
        pts.append((px, y - lift))
    ctx.move_to(x - 0.8, y + 1.2)
    for p in pts:
        ctx.line_to(*p)
    ctx.line_to(x + w + 0.8, y + 1.2)
    ctx.close_path()
    path = ctx.copy_path()
    ctx.set_source(gradient(y - depth, y + 1.2, [(0, SNOW_LIGHT), (0.55, SNOW_LIGHT),
                                                  (1, SNOW_SHADE)]))
    ctx.fill()
    # The shaded lower lip and a hint of blue at the left, away from the sun.
    ctx.append_path(path)
    ctx.save()
    ctx.clip()
    ctx.rectangle(x - 1, y - depth * 0.3, w + 2, depth)
    fill(ctx, SNOW_SHADE, 0.55)
    ctx.rectangle(x - 1, y - depth - 1, min(w * 0.12, 6), depth + 3)
    fill(ctx, SNOW_SHADE, 0.45)
    ctx.restore()
    ctx.append_path(path)
    colour(ctx, mix(SNOW_SHADE, COOL_SHADE, 0.35))
    ctx.set_line_width(0.6)
    ctx.stroke()
    # A few sparkles where the sun catches it.
    for i in range(int(w // 18)):
        if rng.unit() < 0.5:
            sx = x + rng.range(0.2, 0.95) * w
            ctx.rectangle(sx, y - depth * 0.75, 1, 1)
            fill(ctx, (1, 1, 1))
    if icicles > 0:
        for i in range(int(w // 9)):
            if rng.unit() < icicles:
                ix = x + 3 + rng.unit() * (w - 6)
                ln = rng.range(2.5, 6)
                polygon(ctx, [(ix - 1.2, y + 0.8), (ix + 1.2, y + 0.8), (ix + 0.2, y + 0.8 + ln)])
                fill(ctx, mix(SNOW_LIGHT, SNOW_SHADE, 0.4), 0.9)


# Walls ---------------------------------------------------------------------

def wall(ctx, rng, x0, w, top, bottom, material, base):
    """A facade of one material, lit a little more at the top where the sky
    falls on it, with its texture kept quiet."""
    ctx.save()
    ctx.rectangle(x0, top, w, bottom - top)
    ctx.clip()
    ctx.rectangle(x0, top, w, bottom - top)
    ctx.set_source(gradient(top, bottom, [(0, sunlit(lit(base, 0.12), 0.14)), (0.6, base),
                                          (1, shaded(base, 0.18))]))
    ctx.fill()
    mortar = mix(base, hexcolour("e9e1d3"), 0.55)
    joint = shaded(base, 0.6)
    if material == "brick":
        course = 5
        row = 0
        y = top + course
        while y < bottom:
            shift = 6 if row % 2 else 0
            bx = x0 - 12 + shift
            while bx < x0 + w:
                r = rng.unit()
                if r < 0.18:
                    ctx.rectangle(bx + 0.5, y - course + 0.5, 11, course - 1)
                    fill(ctx, shaded(base, 0.5), 0.16)
                elif r < 0.30:
                    ctx.rectangle(bx + 0.5, y - course + 0.5, 11, course - 1)
                    fill(ctx, lit(base, 0.6), 0.13)
                bx += 12
            ctx.move_to(x0, y + 0.5)
            ctx.line_to(x0 + w, y + 0.5)
            bx = x0 + shift
            while bx < x0 + w:
                ctx.move_to(bx + 0.5, y - course + 1)
                ctx.line_to(bx + 0.5, y)
                bx += 12
            y += course
            row += 1
        colour(ctx, mortar, 0.32)
        ctx.set_line_width(0.8)
        ctx.stroke()
    elif material == "stone":
        course = 10
        y = top + course
        row = 0
        while y < bottom + course:
            bx = x0 - rng.range(0, 14)
            while bx < x0 + w:
                bw = rng.range(16, 26)
                if rng.unit() < 0.3:
                    ctx.rectangle(bx, y - course, bw, course)
                    fill(ctx, lit(base, 0.5) if rng.unit() < 0.5 else shaded(base, 0.4), 0.07)
                ctx.move_to(bx + 0.5, y - course)
                ctx.line_to(bx + 0.5, y)
                bx += bw
            ctx.move_to(x0, y + 0.5)
            ctx.line_to(x0 + w, y + 0.5)
            y += course
            row += 1
        colour(ctx, joint, 0.28)
        ctx.set_line_width(0.8)
        ctx.stroke()
    elif material == "clapboard":
        y = top + 6
        while y < bottom:
            ctx.rectangle(x0, y - 1.4, w, 1.4)
            fill(ctx, shaded(base, 0.55), 0.42)
            ctx.rectangle(x0, y, w, 1)
            fill(ctx, lit(base, 0.5), 0.35)
            y += 6
    else:  # stucco: a smooth render with a few faint trowel marks
        for i in range(int(w * (bottom - top) / 900)):
            sx, sy = x0 + rng.unit() * w, top + rng.unit() * (bottom - top)
            ctx.rectangle(sx, sy, rng.range(4, 10), 1)
            fill(ctx, shaded(base, 0.3), 0.07)
    # The afternoon sun warms the face, more towards its sunward right.
    g = cairo.LinearGradient(x0, 0, x0 + w, 0)
    g.add_color_stop_rgba(0, *SUN_GOLD, 0.05)
    g.add_color_stop_rgba(1, *SUN_GOLD, 0.16)
    ctx.rectangle(x0, top, w, bottom - top)
    ctx.set_source(g)
    ctx.fill()
    # Where the wall meets the snow of the pavement it darkens a little.
    ctx.rectangle(x0, bottom - 10, w, 10)
    ctx.set_source(gradient(bottom - 10, bottom, [(0, COOL_SHADE, 0.0), (1, COOL_SHADE, 0.3)]))
    ctx.fill()
    ctx.restore()


def pilaster_edges(ctx, x0, w, top, bottom, base):
    """The building's edges as flat pilasters: lit on the right, a cool
    shaded return on the left, so the facade reads as standing out."""
    ctx.rectangle(x0, top, 3, bottom - top)
    fill(ctx, shaded(base, 0.55), 0.55)
    ctx.rectangle(x0 + w - 2, top, 2, bottom - top)
    fill(ctx, sunlit(lit(base, 0.4), 0.3), 0.5)


def cornice(ctx, rng, x0, w, y, h, base, brackets=0, snow_depth=5):
    """A moulded ledge along the top of a wall, its shadow on the wall below
    (and nowhere else: beside a tower there is sky, not wall)."""
    ctx.save()
    ctx.rectangle(x0, y + h, w, 60)
    ctx.clip()
    cast_shadow(ctx, x0, y, w, h + 1, dy=SHADOW_DY + 1)
    ctx.restore()
    if brackets:
        step = w / brackets
        for i in range(brackets):
            bx = x0 + step * (i + 0.5) - 2
            cast_shadow(ctx, bx, y + h, 4, 6, alpha=0.3)
            ctx.rectangle(bx, y + h, 4, 6)
            fill_line(ctx, shaded(base, 0.15), ink(base), 0.5)
            ctx.rectangle(bx + 2.6, y + h, 1.4, 6)
            fill(ctx, lit(base, 0.4), 0.7)
    ctx.rectangle(x0, y, w, h)
    ctx.set_source(gradient(y, y + h, [(0, lit(base, 0.45)), (0.35, base),
                                       (1, mix(shaded(base, 0.4), SNOW_SHADE, 0.25))]))
    ctx.fill_preserve()
    colour(ctx, ink(base))
    ctx.set_line_width(0.7)
    ctx.stroke()
    if snow_depth:
        snow(ctx, rng, x0, y, w, snow_depth, icicles=0.25)


# Windows -------------------------------------------------------------------

def glass_path(ctx, x, y, w, h, arch):
    if arch:
        r = w / 2
        ctx.move_to(x, y + h)
        ctx.line_to(x, y + r)
        ctx.arc(x + r, y + r, r, math.pi, 0)
        ctx.line_to(x + w, y + h)
        ctx.close_path()
    else:
        ctx.rectangle(x, y, w, h)


def window(ctx, rng, x, y, w, h, wallc, arch=False, frame=FRAME_WHITE, lintel=True,
           shutters=None, lamp_share=1 / 6):
    """A window in daylight: the sky mirrored in the glass with a glint, a
    curtain, blind, plant or dim room behind it, a sill with snow."""
    # The reveal: the opening's shadowed side walls.
    glass_path(ctx, x - 1.5, y - 1.5, w + 3, h + 3, arch)
    fill(ctx, shaded(wallc, 0.7))
    if shutters is not None:
        for sx in (x - 1.5 - w * 0.42, x + w + 1.5):
            ctx.rectangle(sx, y - 1, w * 0.42, h + 2)
            fill_line(ctx, shutters, ink(shutters), 0.5)
            for k in range(1, int(h // 3)):
                ctx.move_to(sx + 1, y + k * 3 + 0.5)
                ctx.line_to(sx + w * 0.42 - 1, y + k * 3 + 0.5)
            colour(ctx, shaded(shutters, 0.6), 0.6)
            ctx.set_line_width(0.6)
            ctx.stroke()
        cast_shadow(ctx, x + w + 1.5, y - 1, w * 0.42, h + 2, dx=-1.5, dy=1.5, alpha=0.3)
    ctx.save()
    glass_path(ctx, x, y, w, h, arch)
    ctx.clip()
    ctx.set_source(gradient(y, y + h, [(0, SKY_TOP), (0.45, SKY_LOW), (1, GLASS_DEEP)]))
    ctx.paint()
    pick = rng.unit()
    lamp = pick < lamp_share
    if lamp:
        # A room lit warm inside: the lamp's glow outshines the reflection.
        ctx.set_source(gradient(y, y + h, [(0, ROOM_TOP), (1, ROOM_LOW)]))
        ctx.paint()
        g = cairo.RadialGradient(x + w * 0.5, y + h * 0.55, 0, x + w * 0.5, y + h * 0.55, w * 0.8)
        g.add_color_stop_rgba(0, *LAMP_CORE, 0.9)
        g.add_color_stop_rgba(1, *LAMP_CORE, 0.0)
        ctx.set_source(g)
        ctx.paint()
        ctx.rectangle(x, y, w, h * 0.18)
        fill(ctx, SKY_TOP, 0.18)
    elif pick < 0.45:
        # Curtains drawn to the sides.
        cur = rng.choice([hexcolour("b5443c"), hexcolour("e8dcc2"), hexcolour("6f8f6a"),
                          hexcolour("c89b4a"), hexcolour("7d6b9a")])
        for cx, sgn in ((x, 1), (x + w, -1)):
            ctx.move_to(cx, y)
            ctx.line_to(cx + sgn * w * 0.32, y)
            ctx.curve_to(cx + sgn * w * 0.18, y + h * 0.5, cx + sgn * w * 0.3, y + h * 0.8,
                         cx + sgn * w * 0.22, y + h)
            ctx.line_to(cx, y + h)
            ctx.close_path()
            fill(ctx, mix(cur, GLASS_DEEP, 0.35), 0.9)
    elif pick < 0.7:
        # A blind pulled part way down.
        bh = h * rng.range(0.25, 0.55)
        ctx.rectangle(x, y, w, bh)
        fill(ctx, mix(hexcolour("efe3c8"), SKY_LOW, 0.3), 0.92)
        ctx.rectangle(x, y + bh - 1.2, w, 1.2)
        fill(ctx, shaded(hexcolour("efe3c8"), 0.6))
    elif pick < 0.85:
        # A plant on the sill inside.
        ellipse(ctx, x + w * 0.5, y + h - 4, w * 0.32, 4)
        fill(ctx, mix(GREEN, GLASS_DEEP, 0.3))
        ctx.rectangle(x + w * 0.5 - 2, y + h - 2.5, 4, 2.5)
        fill(ctx, hexcolour("a0573a"))
    else:
        # A dim room: the lower glass darker.
        ctx.rectangle(x, y + h * 0.5, w, h * 0.5)
        fill(ctx, GLASS_DEEP, 0.5)
    # The glint: a pale diagonal band of reflected sky.
    ctx.move_to(x + w * 0.55, y)
    ctx.line_to(x + w * 0.85, y)
    ctx.line_to(x + w * 0.25, y + h)
    ctx.line_to(x - w * 0.05, y + h)
    ctx.close_path()
    fill(ctx, (1, 1, 1), 0.1 if lamp else 0.22)
    # The frame's shadow in the top and right of the opening.
    ctx.rectangle(x, y, w, 2.2)
    fill(ctx, COOL_SHADE, 0.45)
    ctx.rectangle(x + w - 2, y, 2, h)
    fill(ctx, COOL_SHADE, 0.35)
    ctx.restore()
    # Glazing bars and frame.
    colour(ctx, frame)
    ctx.set_line_width(1.2)
    ctx.move_to(x + w / 2, y + (w / 2 if arch else 0))
    ctx.line_to(x + w / 2, y + h)
    ctx.move_to(x, y + h * 0.5)
    ctx.line_to(x + w, y + h * 0.5)
    ctx.stroke()
    glass_path(ctx, x, y, w, h, arch)
    colour(ctx, frame)
    ctx.set_line_width(1.1)
    ctx.stroke_preserve()
    colour(ctx, ink(wallc), 0.8)
    ctx.set_line_width(0.4)
    ctx.stroke()
    stone = mix(wallc, hexcolour("e8e0d0"), 0.6)
    if lintel and not arch:
        cast_shadow(ctx, x - 3, y - 5, w + 6, 3.5, dx=-2, dy=2.5, alpha=0.3)
        ctx.rectangle(x - 3, y - 5, w + 6, 3.5)
        fill_line(ctx, stone, ink(wallc), 0.5)
    # The sill, its shadow and its snow.
    cast_shadow(ctx, x - 3, y + h + 1, w + 6, 2.5, dx=-2, dy=2.5, alpha=0.35)
    ctx.rectangle(x - 3, y + h + 1, w + 6, 2.5)
    fill_line(ctx, stone, ink(wallc), 0.5)
    snow(ctx, rng, x - 3, y + h + 1, w + 6, 2.2)


def wreath(ctx, cx, cy, r):
    ellipse(ctx, cx, cy, r, r)
    ctx.set_line_width(r * 0.62)
    colour(ctx, GREEN)
    ctx.stroke()
    ellipse(ctx, cx + 0.5, cy - 0.5, r * 0.85, r * 0.85)
    ctx.set_line_width(0.8)
    colour(ctx, lit(GREEN, 0.5), 0.7)
    ctx.stroke()
    polygon(ctx, [(cx, cy + r), (cx - 2.5, cy + r + 4), (cx + 2.5, cy + r + 4)])
    fill(ctx, BERRY)
    ellipse(ctx, cx, cy + r, 1.6, 1.4)
    fill(ctx, BERRY)


def fir_tub(ctx, rng, x, h):
    """A little fir in a wooden tub by a door: tiers lit on the right, snow
    on the branch tips, a few glass baubles catching the sun."""
    base = PAVEMENT_TOP - 1
    ellipse(ctx, x - 3, base, 9, 1.8)
    fill(ctx, COOL_SHADE, 0.35)
    tub = hexcolour("8a5a3a")
    polygon(ctx, [(x - 6, base - 9), (x + 6, base - 9), (x + 5, base), (x - 5, base)])
    fill_line(ctx, tub, ink(tub), 0.6)
    ctx.rectangle(x + 1.5, base - 9, 3.5, 9)
    fill(ctx, lit(tub, 0.35), 0.7)
    ctx.rectangle(x - 6, base - 6, 12, 1.2)
    fill(ctx, hexcolour("4b4f5a"))
    tiers = 4
    tier_h = (h - 9) / tiers
    for i in range(tiers):
        ty = base - 9 - (i + 1) * tier_h
        half = 10 - i * 2.2
        pts = [(x - half, ty + tier_h + 2), (x, ty - 2), (x + half, ty + tier_h + 2)]
        polygon(ctx, pts)
        g = cairo.LinearGradient(x - half, 0, x + half, 0)
        g.add_color_stop_rgb(0, *shaded(GREEN, 0.5))
        g.add_color_stop_rgb(0.55, *GREEN)
        g.add_color_stop_rgb(1, *lit(GREEN, 0.3))
        ctx.set_source(g)
        ctx.fill_preserve()
        colour(ctx, ink(GREEN))
        ctx.set_line_width(0.6)
        ctx.stroke()
        polygon(ctx, [(x - half * 0.7, ty + tier_h + 0.5), (x - half * 0.2, ty + tier_h - 1.5),
                      (x + half * 0.9, ty + tier_h + 1.5), (x - half, ty + tier_h + 2)])
        fill(ctx, SNOW_LIGHT, 0.9)
        bx = x + rng.range(-half * 0.5, half * 0.5)
        ellipse(ctx, bx, ty + tier_h * 0.7, 1.4, 1.4)
        fill(ctx, BERRY if i % 2 else GOLD)
        ctx.rectangle(bx + 0.2, ty + tier_h * 0.7 - 0.9, 0.8, 0.8)
        fill(ctx, (1, 1, 1))
    polygon(ctx, [(x - 2.5, base - 9 - tiers * tier_h + 1), (x, base - 9 - tiers * tier_h - 4),
                  (x + 2.5, base - 9 - tiers * tier_h + 1)])
    fill(ctx, SNOW_LIGHT)


def door(ctx, rng, x, w, h, paint, wallc, fanlight=False, decoration="wreath"):
    """A front door in its recess, on a stone step, with a wreath."""
    y = PAVEMENT_TOP - 3 - h
    ctx.rectangle(x - 3, y - 3, w + 6, h + 3)
    fill(ctx, shaded(wallc, 0.75))
    cast_shadow(ctx, x - 4, y - 6, w + 8, 3, dx=-2, dy=3, alpha=0.35)
    ctx.rectangle(x - 4, y - 6, w + 8, 3)
    fill_line(ctx, mix(wallc, hexcolour("e8e0d0"), 0.6), ink(wallc), 0.5)
    ctx.rectangle(x, y, w, h)
    ctx.set_source(gradient(y, y + h, [(0, lit(paint, 0.15)), (1, shaded(paint, 0.2))]))
    ctx.fill_preserve()
    colour(ctx, ink(paint))
    ctx.set_line_width(0.7)
    ctx.stroke()
    # Panels, lit on their lower right edge.
    for py in (y + h * 0.12, y + h * 0.55):
        for px in (x + 2.5, x + w / 2 + 1):
            ctx.rectangle(px, py, w / 2 - 3.5, h * 0.33)
            colour(ctx, shaded(paint, 0.4), 0.6)
            ctx.set_line_width(0.7)
            ctx.stroke()
    # The recess's shadow on the door's upper right.
    ctx.rectangle(x, y, w, 3)
    fill(ctx, COOL_SHADE, 0.4)
    ctx.rectangle(x + w - 2.5, y, 2.5, h)
    fill(ctx, COOL_SHADE, 0.3)
    ellipse(ctx, x + 3, y + h * 0.55, 1.1, 1.1)
    fill(ctx, GOLD)
    if decoration == "wreath":
        wreath(ctx, x + w / 2, y + h * 0.3, min(5.0, w * 0.22))
    # The step.
    ctx.rectangle(x - 5, PAVEMENT_TOP - 3, w + 10, 3)
    fill_line(ctx, hexcolour("b9b7b0"), ink(hexcolour("b9b7b0")), 0.5)
    snow(ctx, rng, x - 5, PAVEMENT_TOP - 3, 4, 2)
    snow(ctx, rng, x + w + 1, PAVEMENT_TOP - 3, 4, 2)


# Roofs and the things on them ---------------------------------------------

def chimney(ctx, rng, x, base_y, w, h, brickc):
    """A brick stack, lit on the right, with its pot, cap and snow."""
    top = base_y - h
    ctx.rectangle(x, top, w, h)
    ctx.set_source(cairo.LinearGradient(x, 0, x + w, 0))
    g = ctx.get_source()
    g.add_color_stop_rgb(0, *shaded(brickc, 0.5))
    g.add_color_stop_rgb(0.35, *brickc)
    g.add_color_stop_rgb(1, *lit(brickc, 0.3))
    ctx.fill()
    for yy in range(int(top) + 4, int(base_y), 4):
        ctx.move_to(x, yy + 0.5)
        ctx.line_to(x + w, yy + 0.5)
    colour(ctx, mix(brickc, hexcolour("e9e1d3"), 0.5), 0.3)
    ctx.set_line_width(0.6)
    ctx.stroke()
    ctx.rectangle(x, top, w, h)
    colour(ctx, ink(brickc))
    ctx.set_line_width(0.7)
    ctx.stroke()
    ctx.rectangle(x - 1.5, top - 3, w + 3, 3)
    fill_line(ctx, hexcolour("9a9690"), ink(hexcolour("9a9690")), 0.5)
    snow(ctx, rng, x - 1.5, top - 3, w + 3, 3)


def gable_roof(ctx, rng, x0, w, top, rise, roofc, wallc, material):
    """A gable end facing the street: the wall rises to the ridge under two
    snowy bargeboards, with a round window in the gable."""
    apex = (x0 + w / 2, top - rise)
    ctx.save()
    polygon(ctx, [(x0, top + 1), apex, (x0 + w, top + 1)])
    ctx.clip()
    wall(ctx, rng, x0, w, top - rise, top + 1, material, wallc)
    # The right half of the gable faces the sun a little more.
    polygon(ctx, [apex, (x0 + w, top + 1), (x0 + w / 2, top + 1)])
    fill(ctx, lit(wallc, 0.5), 0.08)
    ctx.restore()
    ellipse(ctx, apex[0], top - rise * 0.4, 5, 5)
    fill(ctx, shaded(wallc, 0.7))
    ellipse(ctx, apex[0], top - rise * 0.4, 3.8, 3.8)
    ctx.set_source(gradient(top - rise * 0.4 - 4, top - rise * 0.4 + 4, [(0, SKY_TOP), (1, GLASS_DEEP)]))
    ctx.fill()
    # Along both slopes, inside the gable's outline so the ridge stands no
    # higher than the roof: snow on top, the bargeboard under it and the
    # board's shadow on the wall, down and to the left.
    def slope_band(d0, d1, wobble=0.0):
        """The band between d0 and d1 px below the slope line (lumpy lower edge)."""
        ctx.move_to(x0, top + 1 + d0)
        ctx.line_to(apex[0], apex[1] + d0)
        ctx.line_to(x0 + w, top + 1 + d0)
        n = 12
        for i in range(n, -1, -1):
            f = i / n
            px = x0 + f * w
            py = top + 1 - (1 - abs(2 * f - 1)) * rise + d1 + wobble * rng.unit()
            ctx.line_to(px, py)
        ctx.close_path()
    slope_band(6, 10)
    fill(ctx, COOL_SHADE, 0.28)
    slope_band(2.5, 8)
    ctx.set_source(gradient(top - rise, top, [(0, shaded(roofc, 0.1)), (1, shaded(roofc, 0.3))]))
    ctx.fill()
    ctx.save()
    polygon(ctx, [(apex[0], apex[1] - 1), (x0 + w, top + 2), (apex[0], top + 2)])
    ctx.clip()
    slope_band(2.5, 8)
    fill(ctx, lit(roofc, 0.35), 0.6)
    ctx.restore()
    slope_band(0, 3.0, wobble=1.5)
    ctx.set_source(gradient(top - rise, top + 4, [(0, SNOW_LIGHT), (0.7, mix(SNOW_LIGHT, SNOW_SHADE, 0.25)),
                                                  (1, SNOW_SHADE)]))
    ctx.fill()
    polygon(ctx, [(x0, top + 1), apex, (x0 + w, top + 1)])
    colour(ctx, mix(SNOW_SHADE, COOL_SHADE, 0.45))
    ctx.set_line_width(0.6)
    ctx.stroke()


def hip_roof(ctx, rng, x0, w, top, rise, roofc, dormers=0, wallc=None):
    """A roof sloping back from the eaves, seen from the street: tiles along
    the eaves, the slope under snow, and dormer windows."""
    inset = rise * 0.9
    pts = [(x0, top + 1), (x0 + inset, top - rise), (x0 + w - inset, top - rise), (x0 + w, top + 1)]
    polygon(ctx, pts)
    ctx.set_source(gradient(top - rise, top, [(0, mix(SNOW_LIGHT, SNOW_SHADE, 0.15)), (0.75, SNOW_LIGHT),
                                              (1, mix(SNOW_LIGHT, SNOW_SHADE, 0.5))]))
    ctx.fill()
    ctx.save()
    polygon(ctx, pts)
    ctx.clip()
    # The left hip turns away from the sun.
    polygon(ctx, [(x0, top + 1), (x0 + inset, top - rise), (x0 + inset + 4, top - rise), (x0 + 6, top + 1)])
    fill(ctx, SNOW_SHADE, 0.6)
    # Tiles showing at the eaves where the snow slid off.
    ctx.rectangle(x0, top - 5, w, 6)
    fill(ctx, roofc)
    for tx in range(int(x0), int(x0 + w), 5):
        ctx.move_to(tx + 0.5, top - 5)
        ctx.line_to(tx + 0.5, top + 1)
    ctx.move_to(x0, top - 2.5)
    ctx.line_to(x0 + w, top - 2.5)
    colour(ctx, shaded(roofc, 0.6), 0.6)
    ctx.set_line_width(0.6)
    ctx.stroke()
    snow(ctx, rng, x0, top - 5, w, 3, icicles=0.3)
    ctx.restore()
    polygon(ctx, pts)
    colour(ctx, ink(roofc))
    ctx.set_line_width(0.8)
    ctx.stroke()
    for i in range(dormers):
        dx = x0 + inset + (w - 2 * inset) * (i + 0.5) / dormers - 8
        dy = top - rise * 0.75
        ctx.rectangle(dx - 2.5, dy + 1, 3, rise * 0.6)
        fill(ctx, COOL_SHADE, 0.3)
        ctx.rectangle(dx, dy, 16, rise * 0.6)
        fill_line(ctx, wallc or FRAME_WHITE, ink(roofc), 0.6)
        window(ctx, rng, dx + 4, dy + 4, 8, rise * 0.6 - 7, wallc or FRAME_WHITE, lintel=False)
        polygon(ctx, [(dx - 2, dy + 1), (dx + 8, dy - 7), (dx + 18, dy + 1)])
        fill_line(ctx, shaded(roofc, 0.2), ink(roofc), 0.6)
        polygon(ctx, [(dx - 2, dy), (dx + 8, dy - 8), (dx + 18, dy), (dx + 8, dy - 5)])
        fill(ctx, SNOW_LIGHT)


def mansard(ctx, rng, x0, w, top, rise, slate, wallc):
    """A steep slate mansard with dormers, flat on top behind a snowy crest."""
    inset = 6
    pts = [(x0 + 1, top + 1), (x0 + inset, top - rise), (x0 + w - inset, top - rise), (x0 + w - 1, top + 1)]
    polygon(ctx, pts)
    ctx.set_source(gradient(top - rise, top, [(0, lit(slate, 0.2)), (1, shaded(slate, 0.2))]))
    ctx.fill()
    ctx.save()
    polygon(ctx, pts)
    ctx.clip()
    # Fish-scale slates in staggered rows.
    row = 0
    for yy in range(int(top - rise) + 4, int(top) + 2, 4):
        off = 2.5 if row % 2 else 0
        for xx in range(int(x0), int(x0 + w) + 5, 5):
            ctx.new_sub_path()
            ctx.arc(xx + off, yy, 2.5, 0, math.pi)
        row += 1
    colour(ctx, shaded(slate, 0.6), 0.35)
    ctx.set_line_width(0.6)
    ctx.stroke()
    polygon(ctx, [(x0, top + 1), (x0 + inset, top - rise), (x0 + inset + 3, top - rise), (x0 + 4, top + 1)])
    fill(ctx, COOL_SHADE, 0.3)
    ctx.restore()
    polygon(ctx, pts)
    colour(ctx, ink(slate))
    ctx.set_line_width(0.8)
    ctx.stroke()
    snow(ctx, rng, x0 + inset - 1, top - rise, w - 2 * inset + 2, 5)
    n = max(1, int((w - 16) // 30))
    for i in range(n):
        dx = x0 + w * (i + 0.5) / n - 7
        dy = top - rise + 6
        dh = rise - 9
        ctx.rectangle(dx - 2.5, dy + 2, 3, dh)
        fill(ctx, COOL_SHADE, 0.3)
        ctx.move_to(dx, dy + dh)
        ctx.line_to(dx, dy + 5)
        ctx.arc(dx + 7, dy + 5, 7, math.pi, 0)
        ctx.line_to(dx + 14, dy + dh)
        ctx.close_path()
        fill_line(ctx, FRAME_WHITE, ink(slate), 0.6)
        window(ctx, rng, dx + 3, dy + 4, 8, dh - 7, FRAME_WHITE, arch=True, lintel=False)


def water_tank(ctx, rng, x, roof_y, w, h):
    """A timber water tank on legs, with a conical roof."""
    wood = hexcolour("8a6a52")
    legs = 6
    for lx in (x + 2, x + w - 4):
        ctx.rectangle(lx, roof_y - legs, 2, legs)
        fill(ctx, shaded(wood, 0.6))
    body_top = roof_y - legs - h
    ctx.rectangle(x, body_top, w, h)
    g = cairo.LinearGradient(x, 0, x + w, 0)
    g.add_color_stop_rgb(0, *shaded(wood, 0.55))
    g.add_color_stop_rgb(0.6, *wood)
    g.add_color_stop_rgb(1, *lit(wood, 0.35))
    ctx.set_source(g)
    ctx.fill()
    for k in range(1, int(w // 3)):
        ctx.move_to(x + k * 3 + 0.5, body_top)
        ctx.line_to(x + k * 3 + 0.5, body_top + h)
    colour(ctx, shaded(wood, 0.6), 0.35)
    ctx.set_line_width(0.5)
    ctx.stroke()
    for hy in (body_top + h * 0.3, body_top + h * 0.75):
        ctx.rectangle(x, hy, w, 1.2)
        fill(ctx, hexcolour("4b4f5a"))
    ctx.rectangle(x, body_top, w, h)
    colour(ctx, ink(wood))
    ctx.set_line_width(0.8)
    ctx.stroke()
    polygon(ctx, [(x - 2, body_top + 1), (x + w / 2, body_top - 9), (x + w + 2, body_top + 1)])
    fill_line(ctx, hexcolour("6b5a4e"), ink(wood), 0.7)
    polygon(ctx, [(x - 2, body_top), (x + w / 2, body_top - 10), (x + w + 2, body_top), (x + w / 2, body_top - 6)])
    fill(ctx, SNOW_LIGHT)


# Street furniture -----------------------------------------------------------

def street_lamp(ctx, x):
    """An unlit cast-iron lamp: clear glass with a highlight, a ribbon on the post."""
    iron = hexcolour("2f3a45")
    base_y = PAVEMENT_TOP + 22
    # Its shadow on the pavement, short, to the left.
    ellipse(ctx, x - 7, base_y + 1, 9, 1.8)
    fill(ctx, COOL_SHADE, 0.35)
    ctx.rectangle(x - 2, PAVEMENT_TOP - 104, 4, base_y - PAVEMENT_TOP + 104)
    g = cairo.LinearGradient(x - 2, 0, x + 2, 0)
    g.add_color_stop_rgb(0, *shaded(iron, 0.4))
    g.add_color_stop_rgb(1, *lit(iron, 0.3))
    ctx.set_source(g)
    ctx.fill()
    ctx.rectangle(x - 5, base_y - 9, 10, 9)
    fill_line(ctx, iron, OUTLINE, 0.7)
    ctx.rectangle(x + 2, base_y - 9, 2.5, 9)
    fill(ctx, lit(iron, 0.3), 0.8)
    # Lantern: glass panes with the sky in them, unlit.
    ly = PAVEMENT_TOP - 124
    polygon(ctx, [(x - 8, ly + 20), (x + 8, ly + 20), (x + 6, ly), (x - 6, ly)])
    ctx.set_source(gradient(ly, ly + 20, [(0, SKY_TOP), (1, mix(SKY_LOW, GLASS_DEEP, 0.4))]))
    ctx.fill_preserve()
    colour(ctx, OUTLINE)
    ctx.set_line_width(0.9)
    ctx.stroke()
    ctx.move_to(x, ly)
    ctx.line_to(x, ly + 20)
    colour(ctx, iron)
    ctx.set_line_width(1)
    ctx.stroke()
    polygon(ctx, [(x + 2.5, ly + 3), (x + 4.5, ly + 3), (x + 3.8, ly + 15), (x + 2.2, ly + 15)])
    fill(ctx, (1, 1, 1), 0.75)
    polygon(ctx, [(x - 10, ly), (x + 10, ly), (x, ly - 9)])
    fill_line(ctx, iron, OUTLINE, 0.8)
    polygon(ctx, [(x - 9, ly - 1), (x, ly - 9.5), (x + 9, ly - 1), (x, ly - 6)])
    fill(ctx, SNOW_LIGHT)
    ctx.rectangle(x - 9, ly + 20, 18, 3)
    fill_line(ctx, iron, OUTLINE, 0.6)
    # A red ribbon wound round the post and a sprig of green under the lantern.
    for k in range(6):
        y = PAVEMENT_TOP - 96 + k * 15
        polygon(ctx, [(x - 2, y), (x + 2, y + 4), (x + 2, y + 7), (x - 2, y + 3)])
        fill(ctx, BERRY)
    ellipse(ctx, x, ly + 27, 6, 3)
    fill(ctx, GREEN)
    ellipse(ctx, x + 1, ly + 29, 1.4, 1.4)
    fill(ctx, BERRY)


# Buildings ------------------------------------------------------------------

def window_grid(ctx, rng, x0, w, top, bottom, wallc, ww, wh, pitch, arch=False, shutters=None,
                lamp_share=1 / 6, balconies=False):
    cols = max(1, int(w // (ww * 2.1)))
    y = top
    floor = 0
    while y + wh <= bottom:
        for c in range(cols):
            cx = x0 + (c + 0.5) * w / cols
            window(ctx, rng, cx - ww / 2, y, ww, wh, wallc, arch=arch, shutters=shutters,
                   lamp_share=lamp_share)
            if balconies and floor % 2 == 1:
                balcony(ctx, rng, cx, y + wh, ww + 8)
        y += pitch
        floor += 1


def balcony(ctx, rng, cx, y, w):
    """A small iron balcony on a stone slab, snow on both, its shadow below."""
    iron = hexcolour("2f3a45")
    x = cx - w / 2
    cast_shadow(ctx, x, y + 1, w, 3, dx=-3, dy=4, alpha=0.4)
    ctx.rectangle(x, y + 1, w, 3)
    fill_line(ctx, hexcolour("c9c2b4"), ink(hexcolour("c9c2b4")), 0.5)
    for k in range(int(w // 3) + 1):
        bx = x + 0.5 + k * (w - 1) / int(w // 3)
        ctx.move_to(bx, y + 1)
        ctx.line_to(bx, y - 7)
    colour(ctx, iron, 0.9)
    ctx.set_line_width(0.7)
    ctx.stroke()
    ctx.rectangle(x, y - 8, w, 1.4)
    fill(ctx, iron)
    snow(ctx, rng, x, y - 8, w, 1.8)
    snow(ctx, rng, x, y + 1, w, 1.5)


def string_course(ctx, x0, w, y, wallc):
    cast_shadow(ctx, x0, y, w, 2.5, dx=-2, dy=2.5, alpha=0.3)
    ctx.rectangle(x0, y, w, 2.5)
    fill(ctx, mix(wallc, hexcolour("e8e0d0"), 0.5))


def townhouse(ctx, rng, x0, w, top, wallc, material, roof, paint, chimney_at=None):
    """A house of three or four floors with a gabled, hipped, mansard or
    flat corniced roof."""
    wall(ctx, rng, x0, w, top, PAVEMENT_TOP, material, wallc)
    pilaster_edges(ctx, x0, w, top, PAVEMENT_TOP, wallc)
    if chimney_at is not None:
        # Its foot hides behind the gable; its cap stands no higher than the
        # ridge's snow, so from the back row it reads as part of the roof.
        chimney(ctx, rng, x0 + w * chimney_at, top - 8, 9, 20, hexcolour("8a4a3a"))
    if roof == "gable":
        gable_roof(ctx, rng, x0, w, top, 28, hexcolour("5a4650"), wallc, material)
    elif roof == "hip":
        hip_roof(ctx, rng, x0, w, top, 16, hexcolour("8c5a44"), dormers=max(1, int(w // 60)), wallc=wallc)
    elif roof == "mansard":
        mansard(ctx, rng, x0, w, top, 24, hexcolour("4f5d73"), wallc)
    else:
        cornice(ctx, rng, x0, w, top, 7, mix(wallc, hexcolour("e8e0d0"), 0.6), brackets=max(3, int(w // 14)))
    shutters = hexcolour("3f6f6a") if material == "clapboard" else None
    pitch = 40
    window_grid(ctx, rng, x0 + 4, w - 8, top + 16, PAVEMENT_TOP - 56, wallc, 15, 22, pitch,
                arch=(material == "stone"), shutters=shutters)
    string_course(ctx, x0, w, PAVEMENT_TOP - 54, wallc)
    door(ctx, rng, x0 + w / 2 - 10, 20, 38, paint, wallc)
    for sx in (x0 + w / 2 - 10 - 26, x0 + w / 2 + 16):
        if sx > x0 + 4 and sx + 14 < x0 + w - 4:
            window(ctx, rng, sx, PAVEMENT_TOP - 44, 14, 24, wallc)


def awning(ctx, rng, x0, w, y, paint):
    """A striped canvas awning with a scalloped valance and its shadow."""
    depth = 14
    stripes = max(4, int(w // 11))
    # The shadow falls down-left on the shop window.
    polygon(ctx, [(x0 - 2, y + depth + 2), (x0 + w - 2, y + depth + 2), (x0 + w - 8, y + depth + 11),
                  (x0 - 8, y + depth + 11)])
    fill(ctx, COOL_SHADE, 0.35)
    for i in range(stripes):
        sx = x0 + w * i / stripes
        sw = w / stripes
        polygon(ctx, [(sx + 2, y), (sx + sw + 2, y), (sx + sw, y + depth), (sx, y + depth)])
        base = paint if i % 2 == 0 else hexcolour("f3efe6")
        ctx.set_source(gradient(y, y + depth, [(0, lit(base, 0.3)), (1, shaded(base, 0.15))]))
        ctx.fill()
    for i in range(stripes):
        sx = x0 + w * i / stripes
        sw = w / stripes
        ctx.move_to(sx, y + depth)
        ctx.line_to(sx + sw, y + depth)
        ctx.arc(sx + sw / 2, y + depth, sw / 2, 0, math.pi)
        ctx.close_path()
        fill(ctx, shaded(paint if i % 2 == 0 else hexcolour("f3efe6"), 0.35))
    polygon(ctx, [(x0 + 2, y), (x0 + w + 2, y), (x0 + w, y + depth), (x0, y + depth)])
    colour(ctx, ink(paint))
    ctx.set_line_width(0.7)
    ctx.stroke()
    snow(ctx, rng, x0 + 2, y, w, 4, icicles=0.35)


def painted_sign(ctx, x, y, w, h, text, board, letters, size=11):
    cast_shadow(ctx, x, y, w, h, dx=-3, dy=3.5, alpha=0.38)
    rounded_rect(ctx, x, y, w, h, 2.5)
    ctx.set_source(gradient(y, y + h, [(0, lit(board, 0.2)), (1, shaded(board, 0.2))]))
    ctx.fill_preserve()
    colour(ctx, mix(GOLD, hexcolour("8a6a2a"), 0.35))
    ctx.set_line_width(1.2)
    ctx.stroke()
    ctx.select_font_face("DejaVu Serif", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.set_font_size(size)
    ext = ctx.text_extents(text)
    tx = x + w / 2 - ext.width / 2 - ext.x_bearing
    ty = y + h / 2 - ext.height / 2 - ext.y_bearing
    ctx.move_to(tx - 0.6, ty + 0.8)
    colour(ctx, shaded(board, 0.7))
    ctx.show_text(text)
    ctx.move_to(tx, ty)
    colour(ctx, letters)
    ctx.show_text(text)


def display(ctx, rng, x, y, w, h, goods):
    """A shop window lit warm from inside, its goods glowing under the lamps,
    a little of the sky mirrored over them."""
    ctx.rectangle(x - 2, y - 2, w + 4, h + 4)
    fill(ctx, hexcolour("3a3330"))
    ctx.save()
    ctx.rectangle(x, y, w, h)
    ctx.clip()
    ctx.set_source(gradient(y, y + h, [(0, ROOM_TOP), (0.6, mix(ROOM_TOP, ROOM_LOW, 0.5)), (1, ROOM_LOW)]))
    ctx.paint()
    for k in range(3):
        lx = x + w * (k + 0.5) / 3
        g = cairo.RadialGradient(lx, y + 2, 0, lx, y + 2, h * 0.7)
        g.add_color_stop_rgba(0, *LAMP_CORE, 0.75)
        g.add_color_stop_rgba(1, *LAMP_CORE, 0.0)
        ctx.set_source(g)
        ctx.paint()
    # Shelves and goods.
    gx = x + 4
    base = y + h - 3
    while gx < x + w - 10:
        gw = rng.range(7, 13)
        gh = rng.range(7, 15)
        c = rng.choice(goods)
        ctx.rectangle(gx, base - gh, gw, gh)
        ctx.set_source(gradient(base - gh, base, [(0, mix(c, LAMP_CORE, 0.3)), (1, shaded(c, 0.15))]))
        ctx.fill()
        ctx.rectangle(gx + gw / 2 - 0.7, base - gh, 1.4, gh)
        fill(ctx, GOLD, 0.85)
        gx += gw + rng.range(2, 5)
    ctx.rectangle(x, y + h * 0.42, w, 1.5)
    fill(ctx, hexcolour("6b5a4a"))
    gx = x + 5
    while gx < x + w - 8:
        gw = rng.range(5, 9)
        gh = rng.range(5, 10)
        ellipse(ctx, gx + gw / 2, y + h * 0.42 - gh / 2, gw / 2, gh / 2)
        fill(ctx, rng.choice(goods))
        gx += gw + rng.range(3, 7)
    # Reflections: a little sky at the top, a broad glint.
    ctx.rectangle(x, y, w, h * 0.18)
    fill(ctx, SKY_TOP, 0.2)
    ctx.move_to(x + w * 0.45, y)
    ctx.line_to(x + w * 0.7, y)
    ctx.line_to(x + w * 0.4, y + h)
    ctx.line_to(x + w * 0.15, y + h)
    ctx.close_path()
    fill(ctx, (1, 1, 1), 0.12)
    ctx.restore()
    ctx.rectangle(x, y, w, h)
    colour(ctx, OUTLINE)
    ctx.set_line_width(0.8)
    ctx.stroke()
    # A garland along the top of the window.
    ctx.move_to(x, y + 1)
    for i in range(int(w // 14)):
        ctx.curve_to(x + i * 14 + 4, y + 6, x + i * 14 + 10, y + 6, x + (i + 1) * 14, y + 1)
    colour(ctx, GREEN)
    ctx.set_line_width(2.2)
    ctx.stroke()
    for i in range(int(w // 14) + 1):
        ellipse(ctx, x + i * 14, y + 1.5, 1.3, 1.3)
        fill(ctx, BERRY)


def shop(ctx, rng, x0, w, top, wallc, material, awning_paint, sign, roof="flat"):
    """A shop on the ground floor with a flat or two floors over it; its
    sign and awning stay low, under the front rooflines."""
    wall(ctx, rng, x0, w, top, PAVEMENT_TOP, material, wallc)
    pilaster_edges(ctx, x0, w, top, PAVEMENT_TOP, wallc)
    if roof == "hip":
        hip_roof(ctx, rng, x0, w, top, 14, hexcolour("7a4a3a"), dormers=max(1, int(w // 70)), wallc=wallc)
    else:
        cornice(ctx, rng, x0, w, top, 6, mix(wallc, hexcolour("e8e0d0"), 0.55), brackets=max(3, int(w // 16)))
    window_grid(ctx, rng, x0 + 4, w - 8, top + 14, PAVEMENT_TOP - 104, wallc, 14, 20, 36)
    # The shop front: a painted fascia board over a wide window and a door.
    front = shaded(awning_paint, 0.1)
    fy = PAVEMENT_TOP - 96
    ctx.rectangle(x0 + 3, fy, w - 6, 96)
    fill(ctx, mix(front, hexcolour("2a2a33"), 0.35))
    ctx.rectangle(x0 + 3, fy, 3, 96)
    fill(ctx, COOL_SHADE, 0.35)
    painted_sign(ctx, x0 + 8, fy + 4, w - 16, 16, sign, mix(front, hexcolour("1e2433"), 0.5),
                 hexcolour("f2d38a"))
    awning(ctx, rng, x0 + 4, w - 8, fy + 24, awning_paint)
    display(ctx, rng, x0 + 9, PAVEMENT_TOP - 56, w - 48, 44,
            [hexcolour("c23b3b"), hexcolour("3f8a52"), hexcolour("3c6fb0"), hexcolour("d1a23a"),
             hexcolour("8a4f9a"), hexcolour("e6e0d4")])
    ctx.rectangle(x0 + 6, PAVEMENT_TOP - 12, w - 38, 9)
    fill_line(ctx, mix(front, hexcolour("2a2a33"), 0.2), ink(front), 0.5)
    door(ctx, rng, x0 + w - 32, 22, 48, hexcolour("4a3a30"), front, decoration="wreath")


def apartment(ctx, rng, x0, w, top, wallc, material, tank_at=0.25, balconies=False):
    """A tall block of flats with a corniced top, a water tank on the roof
    and, on some, iron balconies on every other floor."""
    if tank_at is not None:
        water_tank(ctx, rng, x0 + w * tank_at, top - 6, 22, 16)
    wall(ctx, rng, x0, w, top, PAVEMENT_TOP, material, wallc)
    pilaster_edges(ctx, x0, w, top, PAVEMENT_TOP, wallc)
    cornice(ctx, rng, x0 - 1, w + 2, top - 6, 8, mix(wallc, hexcolour("e8e0d0"), 0.6),
            brackets=max(4, int(w // 12)))
    window_grid(ctx, rng, x0 + 3, w - 6, top + 16, PAVEMENT_TOP - 60, wallc, 12, 19, 32,
                balconies=balconies)
    string_course(ctx, x0, w, PAVEMENT_TOP - 56, wallc)
    # The entrance under a small canopy.
    door(ctx, rng, x0 + w / 2 - 13, 26, 40, hexcolour("3e5866"), wallc)
    cy = PAVEMENT_TOP - 50
    cast_shadow(ctx, x0 + w / 2 - 19, cy, 38, 5, alpha=0.4)
    ctx.rectangle(x0 + w / 2 - 19, cy, 38, 5)
    ctx.set_source(gradient(cy, cy + 5, [(0, lit(hexcolour("37474f"), 0.3)), (1, hexcolour("37474f"))]))
    ctx.fill()
    snow(ctx, rng, x0 + w / 2 - 19, cy, 38, 3, icicles=0.4)
    for sx in (x0 + 8, x0 + w - 22):
        window(ctx, rng, sx, PAVEMENT_TOP - 44, 14, 24, wallc)


def church(ctx, rng, x0, w, top):
    """A stone church: the nave's gable and a square tower with a low
    pyramid roof broad enough to read as a roof behind any front one."""
    stone = hexcolour("c4baa8")
    tw = 50
    tx = x0 + w / 2 - tw / 2
    tower_top = top - 104
    # The tower, behind the nave's gable.
    wall(ctx, rng, tx, tw, tower_top, top + 10, "stone", shaded(stone, 0.08))
    pilaster_edges(ctx, tx, tw, tower_top, top + 10, stone)
    polygon(ctx, [(tx - 4, tower_top), (tx + tw / 2, tower_top - 22), (tx + tw + 4, tower_top)])
    fill_line(ctx, hexcolour("5f6b7a"), ink(stone), 0.9)
    polygon(ctx, [(tx - 4, tower_top), (tx + tw / 2, tower_top - 22), (tx + tw / 2, tower_top)])
    fill(ctx, COOL_SHADE, 0.3)
    polygon(ctx, [(tx - 4, tower_top - 0.5), (tx + tw / 2, tower_top - 23), (tx + tw + 4, tower_top - 0.5),
                  (tx + tw / 2, tower_top - 14)])
    fill(ctx, SNOW_LIGHT)
    ctx.save()
    ctx.rectangle(tx, tower_top, tw, top - tower_top)
    ctx.rectangle(tx - 3, tower_top - 8, tw + 6, 13)
    ctx.clip()
    cornice(ctx, rng, tx - 3, tw + 6, tower_top, 5, mix(stone, hexcolour("ffffff"), 0.2), snow_depth=3)
    ctx.restore()
    for bx in (tx + 8, tx + tw / 2 + 3):
        window(ctx, rng, bx, tower_top + 14, 13, 22, stone, arch=True, lintel=False, lamp_share=0)
    # The clock, face lit by the sun.
    cx = tx + tw / 2
    cyc = tower_top + 58
    cast_shadow(ctx, cx - 12, cyc - 12, 24, 24, dx=-2, dy=2, alpha=0.25)
    ellipse(ctx, cx, cyc, 12, 12)
    fill_line(ctx, mix(GOLD, hexcolour("8a6a2a"), 0.3), ink(stone), 0.8)
    ellipse(ctx, cx, cyc, 9.5, 9.5)
    fill_line(ctx, hexcolour("f6f1e4"), ink(stone), 0.5)
    for k in range(12):
        a = k * math.pi / 6
        ctx.move_to(cx + 7.5 * math.cos(a), cyc + 7.5 * math.sin(a))
        ctx.line_to(cx + 8.8 * math.cos(a), cyc + 8.8 * math.sin(a))
    colour(ctx, OUTLINE)
    ctx.set_line_width(0.8)
    ctx.stroke()
    ctx.move_to(cx, cyc)
    ctx.line_to(cx - 3.5, cyc - 4.5)  # a quarter to two
    ctx.move_to(cx, cyc)
    ctx.line_to(cx - 7, cyc)
    ctx.set_line_width(1.3)
    ctx.stroke()
    # The nave: a broad gable of stone.
    nave_w = w
    wall(ctx, rng, x0, nave_w, top, PAVEMENT_TOP, "stone", stone)
    pilaster_edges(ctx, x0, nave_w, top, PAVEMENT_TOP, stone)
    ctx.save()
    ctx.rectangle(x0, top - 40, w, 41)
    ctx.clip()
    gable_roof(ctx, rng, x0, w, top, 26, hexcolour("5f6b7a"), stone, "stone")
    ctx.restore()
    # Rose window of coloured glass, in daylight dark with a gleam.
    rx, ry = x0 + w / 2, top + 34
    ellipse(ctx, rx, ry, 19, 19)
    fill(ctx, shaded(stone, 0.7))
    ellipse(ctx, rx, ry, 16, 16)
    ctx.set_source(gradient(ry - 16, ry + 16, [(0, hexcolour("4a5f9a")), (1, hexcolour("273454"))]))
    ctx.fill()
    for k in range(8):
        a = k * math.pi / 4 + math.pi / 8
        ellipse(ctx, rx + 9.5 * math.cos(a), ry + 9.5 * math.sin(a), 3.6, 3.6)
        fill(ctx, rng.choice([hexcolour("9c3838"), hexcolour("b8943a"), hexcolour("3f7a50"),
                              hexcolour("5a4a8a")]))
    for k in range(8):
        a = k * math.pi / 4
        ctx.move_to(rx, ry)
        ctx.line_to(rx + 16 * math.cos(a), ry + 16 * math.sin(a))
    colour(ctx, mix(stone, hexcolour("ffffff"), 0.3))
    ctx.set_line_width(1.2)
    ctx.stroke()
    ellipse(ctx, rx + 5, ry - 6, 5, 3)
    fill(ctx, (1, 1, 1), 0.25)
    # Tall lancet windows.
    for wx in (x0 + 16, x0 + 42, x0 + w - 60, x0 + w - 34):
        window(ctx, rng, wx, top + 52, 18, PAVEMENT_TOP - 60 - (top + 52), stone, arch=True,
               lintel=False, lamp_share=0)
    string_course(ctx, x0, w, PAVEMENT_TOP - 54, stone)
    # The arched doors in a deep stone porch, with a wreath.
    dx = rx - 17
    ctx.move_to(dx - 5, PAVEMENT_TOP)
    ctx.line_to(dx - 5, PAVEMENT_TOP - 36)
    ctx.arc(rx, PAVEMENT_TOP - 36, 22, math.pi, 0)
    ctx.line_to(dx + 39, PAVEMENT_TOP)
    ctx.close_path()
    fill_line(ctx, shaded(stone, 0.45), ink(stone), 0.8)
    ctx.move_to(dx, PAVEMENT_TOP)
    ctx.line_to(dx, PAVEMENT_TOP - 36)
    ctx.arc(rx, PAVEMENT_TOP - 36, 17, math.pi, 0)
    ctx.line_to(dx + 34, PAVEMENT_TOP)
    ctx.close_path()
    oak = hexcolour("6b4a34")
    ctx.set_source(gradient(PAVEMENT_TOP - 53, PAVEMENT_TOP, [(0, shaded(oak, 0.3)), (1, oak)]))
    ctx.fill_preserve()
    colour(ctx, ink(oak))
    ctx.set_line_width(0.8)
    ctx.stroke()
    for k in range(1, 6):
        ctx.move_to(dx + k * 34 / 6, PAVEMENT_TOP - 40)
        ctx.line_to(dx + k * 34 / 6, PAVEMENT_TOP)
    colour(ctx, shaded(oak, 0.5), 0.6)
    ctx.set_line_width(0.6)
    ctx.stroke()
    wreath(ctx, rx, PAVEMENT_TOP - 34, 6)
    for fx in (rx - 34, rx + 34):
        fir_tub(ctx, rng, fx, 34)


def music_hall(ctx, rng, x0, w, top):
    """Tonight's gig: a deep plum hall with gilded trim, a broad dome, tall
    arched windows, and a marquee of lit bulbs low over glowing foyer doors,
    left of where Santa stops, under every front roofline."""
    stone = HALL_PLUM
    trim = hexcolour("4a1630")
    gilt = hexcolour("d8a845")
    # The dome over the middle: broad and low, with a lantern on top.
    cx = x0 + w * 0.42
    r = 44
    base = top - 4
    # A drum lifts the dome clear of the hall's own cornice, so that from the
    # back row it shows as a whole dome or not at all.
    ctx.rectangle(cx - r + 4, base - 20, 2 * r - 8, 22)
    fill_line(ctx, sunlit(stone, 0.1), ink(stone), 0.7)
    ctx.rectangle(cx - r + 4, base - 20, 2 * r - 8, 2)
    fill(ctx, gilt)
    for k in range(6):
        wx = cx - r + 12 + k * (2 * r - 24) / 5
        ctx.rectangle(wx - 2, base - 16, 4, 10)
        fill(ctx, shaded(stone, 0.6))
    ctx.rectangle(cx - r + 4, base - 20, 10, 22)
    fill(ctx, COOL_SHADE, 0.3)
    dome_y = base - 20
    ctx.move_to(cx - r, dome_y)
    ctx.arc(cx, dome_y, r, math.pi, 2 * math.pi)
    ctx.close_path()
    g = cairo.RadialGradient(cx + r * 0.35, dome_y - r * 0.6, 2, cx, dome_y, r * 1.1)
    copper = hexcolour("6fa89a")
    g.add_color_stop_rgb(0, *lit(copper, 0.55))
    g.add_color_stop_rgb(0.6, *copper)
    g.add_color_stop_rgb(1, *shaded(copper, 0.5))
    ctx.set_source(g)
    ctx.fill()
    for k in range(1, 6):
        a = math.pi + k * math.pi / 6
        ctx.move_to(cx, dome_y - r)
        ctx.curve_to(cx + r * 0.9 * math.cos(a), dome_y - r * 0.8, cx + r * math.cos(a), dome_y - r * 0.3,
                     cx + r * math.cos(a), dome_y)
    colour(ctx, shaded(copper, 0.6), 0.6)
    ctx.set_line_width(0.9)
    ctx.stroke()
    # Snow on the dome's shoulders.
    ctx.move_to(cx - r * 0.85, dome_y - r * 0.52)
    ctx.arc(cx, dome_y, r + 1.5, math.pi + 0.55, 2 * math.pi - 0.55)
    ctx.arc_negative(cx, dome_y + 6, r - 2, 2 * math.pi - 0.65, math.pi + 0.65)
    ctx.close_path()
    fill(ctx, SNOW_LIGHT)
    ctx.move_to(cx - r, dome_y)
    ctx.arc(cx, dome_y, r, math.pi, 2 * math.pi)
    colour(ctx, ink(copper))
    ctx.set_line_width(0.9)
    ctx.stroke()
    # A gilded ball on the crown, low enough that behind a front roof that
    # hides the dome it hides too.
    ellipse(ctx, cx, dome_y - r - 1.5, 2.6, 2.6)
    fill_line(ctx, GOLD, ink(GOLD), 0.6)
    ellipse(ctx, cx + 0.8, dome_y - r - 2.3, 0.9, 0.9)
    fill(ctx, (1, 1, 1))
    # The facade.
    wall(ctx, rng, x0, w, top, PAVEMENT_TOP, "stone", stone)
    pilaster_edges(ctx, x0, w, top, PAVEMENT_TOP, stone)
    # Pilasters between the bays, lit on their right.
    bays = 5
    for i in range(1, bays):
        px = x0 + w * i / bays - 3
        ctx.rectangle(px, top + 8, 6, PAVEMENT_TOP - 100 - top - 8)
        fill(ctx, sunlit(lit(stone, 0.12), 0.2))
        ctx.rectangle(px, top + 8, 1.6, PAVEMENT_TOP - 100 - top - 8)
        fill(ctx, shaded(stone, 0.5), 0.8)
        ctx.rectangle(px + 4.6, top + 8, 1.4, PAVEMENT_TOP - 100 - top - 8)
        fill(ctx, gilt, 0.8)
        # A gilded capital under the cornice.
        ctx.rectangle(px - 1.5, top + 8, 9, 4)
        fill_line(ctx, gilt, ink(gilt), 0.5)
    cornice(ctx, rng, x0, w, top - 4, 9, gilt, brackets=w // 11)
    # Tall arched windows on the upper floor, round ones above.
    for i in range(bays):
        bx = x0 + w * (i + 0.5) / bays
        window(ctx, rng, bx - 9, top + 40, 18, 46, stone, arch=True, lintel=False, frame=gilt,
               lamp_share=0.34)
        ellipse(ctx, bx, top + 22, 6.5, 6.5)
        fill(ctx, shaded(stone, 0.7))
        ellipse(ctx, bx, top + 22, 5, 5)
        ctx.set_source(gradient(top + 17, top + 27, [(0, SKY_TOP), (1, GLASS_DEEP)]))
        ctx.fill()
        window(ctx, rng, bx - 7, top + 104, 14, 22, stone, frame=gilt)
    string_course(ctx, x0, w, PAVEMENT_TOP - 104, stone)
    ctx.rectangle(x0, PAVEMENT_TOP - 104, w, 1.2)
    fill(ctx, gilt)
    # A plum-painted ground floor under the marquee.
    gy = PAVEMENT_TOP - 100
    ctx.rectangle(x0 + 3, gy, w - 6, 100)
    ctx.set_source(gradient(gy, PAVEMENT_TOP, [(0, shaded(trim, 0.3)), (1, shaded(trim, 0.1))]))
    ctx.fill()
    # The marquee: a painted board framed in lit bulbs.
    mx, my, mw, mh = x0 + 8, gy + 2, 178, 40
    cast_shadow(ctx, mx, my, mw, mh, dx=-4, dy=5, alpha=0.45)
    rounded_rect(ctx, mx, my, mw, mh, 5)
    ctx.set_source(gradient(my, my + mh, [(0, lit(hexcolour("27304a"), 0.2)), (1, hexcolour("1d2438"))]))
    ctx.fill_preserve()
    colour(ctx, gilt)
    ctx.set_line_width(2.4)
    ctx.stroke()
    n = int((mw - 8) // 9)
    bulbs = [(mx + 4 + (mw - 8) * i / n, by) for i in range(n + 1) for by in (my + 4, my + mh - 4)]
    for bx, by in bulbs:
        g = cairo.RadialGradient(bx, by, 0, bx, by, 6)
        g.add_color_stop_rgba(0, *BULB_GLOW, 0.7)
        g.add_color_stop_rgba(1, *BULB_GLOW, 0.0)
        ctx.set_source(g)
        ctx.arc(bx, by, 6, 0, 2 * math.pi)
        ctx.fill()
    for bx, by in bulbs:
        ellipse(ctx, bx, by, 2.2, 2.2)
        fill(ctx, hexcolour("ffc85a"))
        ellipse(ctx, bx + 0.2, by - 0.2, 1.4, 1.4)
        fill(ctx, LAMP_CORE)
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    for text, size, y, paint, glow in (("SNOWGIG", 19, my + 24, hexcolour("ff5a70"), hexcolour("ff4a66")),
                                       ("LIVE TONIGHT", 7, my + 33.5, hexcolour("ffd66a"), BULB_GLOW)):
        ctx.set_font_size(size)
        ext = ctx.text_extents(text)
        tx = mx + mw / 2 - ext.width / 2 - ext.x_bearing
        # The letters are lit: a soft glow round them on the dark board.
        for width, alpha in ((5, 0.18), (2.5, 0.3)):
            ctx.move_to(tx, y)
            ctx.text_path(text)
            colour(ctx, glow, alpha)
            ctx.set_line_width(width)
            ctx.stroke()
        ctx.move_to(tx - 1, y + 1.2)
        colour(ctx, hexcolour("0d1020"))
        ctx.show_text(text)
        ctx.move_to(tx, y)
        colour(ctx, paint)
        ctx.show_text(text)
        if size > 10:
            # The sun glints along the letters' tops.
            ctx.save()
            ctx.rectangle(mx, y - ext.height, mw, ext.height * 0.35)
            ctx.clip()
            ctx.move_to(tx, y)
            colour(ctx, hexcolour("ffd0d6"))
            ctx.show_text(text)
            ctx.restore()
    # A red canopy over the doors, its shadow falling on them.
    cy = gy + 50
    polygon(ctx, [(x0 + 6, cy + 12 + 3), (x0 + w - 10, cy + 12 + 3), (x0 + w - 16, cy + 22), (x0, cy + 22)])
    fill(ctx, COOL_SHADE, 0.4)
    polygon(ctx, [(x0 + 8, cy), (x0 + w - 8, cy), (x0 + w - 4, cy + 12), (x0 + 4, cy + 12)])
    red = hexcolour("a82a32")
    ctx.set_source(gradient(cy, cy + 12, [(0, lit(red, 0.3)), (1, shaded(red, 0.2))]))
    ctx.fill_preserve()
    colour(ctx, ink(red))
    ctx.set_line_width(0.8)
    ctx.stroke()
    ctx.rectangle(x0 + 4, cy + 12, w - 8, 2.5)
    fill(ctx, mix(GOLD, hexcolour("8a6a2a"), 0.3))
    snow(ctx, rng, x0 + 8, cy, w - 16, 4, icicles=0.3)
    # Glass doors with brass, and posters between them.
    dy = cy + 24
    for i, dxx in enumerate((x0 + 42, x0 + 96, x0 + 150)):
        ctx.rectangle(dxx - 3, dy - 3, 30, PAVEMENT_TOP - dy)
        fill(ctx, hexcolour("3a2a22"))
        for k in range(2):
            ctx.rectangle(dxx + k * 12.5, dy, 11.5, PAVEMENT_TOP - 3 - dy)
            ctx.set_source(gradient(dy, PAVEMENT_TOP, [(0, LAMP_CORE), (0.35, ROOM_TOP), (1, ROOM_LOW)]))
            ctx.fill()
            ctx.move_to(dxx + k * 12.5 + 7, dy)
            ctx.line_to(dxx + k * 12.5 + 2, PAVEMENT_TOP - 3)
            colour(ctx, (1, 1, 1), 0.25)
            ctx.set_line_width(2.5)
            ctx.stroke()
            ctx.rectangle(dxx + k * 12.5 + (9 if k == 0 else 1), dy + 14, 1.6, 10)
            fill(ctx, GOLD)
        ctx.rectangle(dxx - 3, dy - 3, 30, 3)
        fill(ctx, COOL_SHADE, 0.5)
    for px, paint, mark in ((x0 + 12, hexcolour("2f8f86"), 0), (x0 + 72, hexcolour("e0a83a"), 1),
                            (x0 + 126, hexcolour("c8485a"), 2), (x0 + 180, hexcolour("2f8f86"), 0)):
        if px + 16 > x0 + w - 4:
            continue
        py = dy + 2
        cast_shadow(ctx, px, py, 16, 26, dx=-1.5, dy=2, alpha=0.35)
        ctx.rectangle(px, py, 16, 26)
        fill_line(ctx, paint, ink(paint), 0.6)
        ellipse(ctx, px + 8, py + 9, 4, 4)
        fill(ctx, hexcolour("f5efe2"))
        ctx.rectangle(px + 3, py + 16, 10, 2)
        fill(ctx, hexcolour("f5efe2"))
        ctx.rectangle(px + 3, py + 20, 7, 1.5)
        fill(ctx, hexcolour("f5efe2"))
    ctx.rectangle(x0, PAVEMENT_TOP - 3, w, 3)
    fill_line(ctx, hexcolour("b9b7b0"), ink(hexcolour("b9b7b0")), 0.5)


def foyer_light(ctx, x0):
    """The foyer's warm light thrown out on the pavement before the music
    hall's doors, faint enough that the banner's white still reads over it
    and gone before the rows every block shares."""
    for dxx in (x0 + 42, x0 + 96, x0 + 150):
        cx = dxx + 10
        ctx.save()
        ctx.translate(cx, PAVEMENT_TOP)
        ctx.scale(1.0, 0.45)
        g = cairo.RadialGradient(0, 0, 0, 0, 0, 30)
        g.add_color_stop_rgba(0, *ROOM_TOP, 0.3)
        g.add_color_stop_rgba(1, *ROOM_LOW, 0.0)
        ctx.set_source(g)
        ctx.rectangle(-30, 0, 60, 30)
        ctx.fill()
        ctx.restore()


# The ground -----------------------------------------------------------------

PAVING = hexcolour("666570")
KERB = hexcolour("a6a3a4")
ASPHALT = hexcolour("353a47")
SLUSH = hexcolour("6c7484")
TRODDEN = hexcolour("7b8498")
TRACK = hexcolour("1f2330")  # the wet track the tyres keep clear
LANE_PAINT = hexcolour("efe9d6")
CROSSING_PAINT = hexcolour("8f8b80")  # a luminance of 0.545, under the banner's 0.55


def ground(ctx):
    """Pavement, kerb and street, the same in every block: every pattern
    repeats every 32 or 64 px and takes its scatter from seeds of its own
    period, so a block's right edge runs on into any block's left edge."""
    # Pavement slabs, two rows, a joint every 32 px, each slab a touch different.
    ctx.rectangle(0, PAVEMENT_TOP, SIZE, KERB_TOP - PAVEMENT_TOP)
    ctx.set_source(gradient(PAVEMENT_TOP, KERB_TOP, [(0, shaded(PAVING, 0.15)), (1, PAVING)]))
    ctx.fill()
    for x in range(-32, SIZE + 32, 32):
        for r, (y0, y1) in enumerate(((PAVEMENT_TOP, 370), (370, KERB_TOP))):
            rng = Lcg(7 + (x // 32) % 2 * 11 + r * 5)
            v = rng.range(-1, 1)
            off = 16 if r else 0
            ctx.rectangle(x + off, y0, 32, y1 - y0)
            fill(ctx, lit(PAVING, 0.6) if v > 0 else shaded(PAVING, 0.5), abs(v) * 0.1)
    colour(ctx, shaded(PAVING, 0.7))
    ctx.set_line_width(1)
    for x in range(0, SIZE + 32, 32):
        ctx.move_to(x + 0.5, PAVEMENT_TOP)
        ctx.line_to(x + 0.5 - 3, 370)
        ctx.move_to(x + 16.5 - 3, 370)
        ctx.line_to(x + 16.5 - 7, KERB_TOP)
    ctx.move_to(0, 370.5)
    ctx.line_to(SIZE, 370.5)
    ctx.stroke()
    colour(ctx, lit(PAVING, 0.5), 0.35)
    ctx.move_to(0, 371.5)
    ctx.line_to(SIZE, 371.5)
    ctx.stroke()
    # Trodden snow in the slab joints and along the path people walk.
    for x in range(-64, SIZE + 64, 64):
        rng = Lcg(31)
        for k in range(5):
            sx = x + rng.range(0, 60)
            sy = rng.range(PAVEMENT_TOP + 8, KERB_TOP - 10)
            ellipse(ctx, sx, sy, rng.range(3, 8), rng.range(0.8, 1.6))
            fill(ctx, TRODDEN, 0.55)
    # Snow along the house fronts, swept back against the walls.
    rng = Lcg(41)
    ctx.move_to(0, PAVEMENT_TOP + 5)
    for x in range(0, SIZE + 1, 8):
        ctx.line_to(x, PAVEMENT_TOP + 4 + 2.5 * rng.unit() * (0 < x < SIZE) + 1.2 * (x in (0, SIZE)))
    ctx.line_to(SIZE, PAVEMENT_TOP)
    ctx.line_to(0, PAVEMENT_TOP)
    ctx.close_path()
    ctx.set_source(gradient(PAVEMENT_TOP, PAVEMENT_TOP + 7, [(0, SNOW_SHADE), (1, mix(SNOW_SHADE, TRODDEN, 0.5))]))
    ctx.fill()
    # Kerb: a granite top lit by the sun, its face in shade.
    ctx.rectangle(0, KERB_TOP, SIZE, STREET_TOP - KERB_TOP)
    fill(ctx, lit(KERB, 0.2))
    ctx.rectangle(0, KERB_TOP + 2.5, SIZE, STREET_TOP - KERB_TOP - 2.5)
    ctx.set_source(gradient(KERB_TOP + 2.5, STREET_TOP, [(0, shaded(KERB, 0.35)), (1, shaded(KERB, 0.6))]))
    ctx.fill()
    colour(ctx, shaded(KERB, 0.8))
    ctx.set_line_width(0.8)
    for x in range(0, SIZE + 1, 64):
        ctx.move_to(x + 0.5, KERB_TOP)
        ctx.line_to(x + 0.5, STREET_TOP)
    ctx.stroke()
    # Snow heaped along the kerb where it was shovelled, blue in its shade.
    for x in range(-64, SIZE + 64, 64):
        rng = Lcg(53)
        for k in range(3):
            hx = x + 4 + k * 20 + rng.range(-2, 2)
            hw = rng.range(9, 15)
            hh = rng.range(3, 6)
            ctx.move_to(hx - hw, KERB_TOP + 2)
            ctx.curve_to(hx - hw * 0.6, KERB_TOP + 2 - hh, hx + hw * 0.4, KERB_TOP + 2 - hh * 1.1,
                         hx + hw, KERB_TOP + 2)
            ctx.curve_to(hx + hw * 0.6, KERB_TOP + 4, hx - hw * 0.6, KERB_TOP + 4, hx - hw, KERB_TOP + 2)
            ctx.close_path()
            path = ctx.copy_path()
            ctx.set_source(gradient(KERB_TOP + 2 - hh, KERB_TOP + 4,
                                    [(0, SNOW_LIGHT), (0.5, mix(SNOW_LIGHT, SNOW_SHADE, 0.4)), (1, SNOW_SHADE)]))
            ctx.fill()
            ctx.append_path(path)
            ctx.save()
            ctx.clip()
            ctx.rectangle(hx - hw, KERB_TOP - 6, hw * 0.7, 12)
            fill(ctx, SNOW_SHADE, 0.6)
            ctx.restore()
    # The asphalt: one dark, wet surface, a touch deeper nearer the viewer.
    ctx.rectangle(0, STREET_TOP, SIZE, SIZE - STREET_TOP)
    ctx.set_source(gradient(STREET_TOP, SIZE, [(0, ASPHALT), (1, shaded(ASPHALT, 0.25))]))
    ctx.fill()
    # Grain: a sparse scatter of faint chips, one 64 px tile.
    for x in range(-64, SIZE + 64, 64):
        rng = Lcg(67)
        for k in range(60):
            gx = x + rng.unit() * 63
            gy = STREET_TOP + 10 + rng.unit() * (NEAR_KERB - STREET_TOP - 12)
            ctx.rectangle(math.floor(gx), math.floor(gy), 1, 1)
            fill(ctx, lit(ASPHALT, 0.5) if rng.unit() < 0.5 else shaded(ASPHALT, 0.6), 0.16)
    # Two wet tyre tracks in each lane: soft darker bands, gently wavering,
    # with the faintest sheen of the sky along them.
    for i, (y, h) in enumerate(((409, 6), (426, 7), (463, 7), (480, 8))):
        for x in range(-64, SIZE + 64, 64):
            rng = Lcg(151 + 7 * i)
            sway = [rng.range(-0.7, 0.7) * (0 < k < 4) for k in range(5)]
            ctx.move_to(x, y - h / 2)
            for k in range(1, 5):
                ctx.line_to(x + 16 * k, y - h / 2 + sway[k])
            for k in range(4, -1, -1):
                ctx.line_to(x + 16 * k, y + h / 2 + sway[k])
            ctx.close_path()
            ctx.set_source(gradient(y - h / 2, y + h / 2, [(0, TRACK, 0), (0.45, TRACK, 0.62),
                                                           (0.7, TRACK, 0.55), (1, TRACK, 0)]))
            ctx.fill()
        ctx.rectangle(0, y + 1, SIZE, 1)
        fill(ctx, SKY_LOW, 0.06)
    # Nearer the viewer the wet road mirrors more of the sky.
    ctx.rectangle(0, LANE_LINE + 3, SIZE, NEAR_KERB - LANE_LINE - 3)
    ctx.set_source(gradient(LANE_LINE + 3, NEAR_KERB, [(0, SKY_LOW, 0), (1, SKY_LOW, 0.12)]))
    ctx.fill()
    # The gutter: grey slush in the kerb's shadow, its edge soft and uneven.
    slush_band(ctx, STREET_TOP, STREET_TOP + 8, 2.0, 173, below=True)
    # A little slush pushed against the snowbank along the near side.
    slush_band(ctx, NEAR_KERB - 8, NEAR_KERB + 1, 2.0, 181, below=False)
    # The dashed lane line: clean road paint, crisp on the texel grid.
    for x in range(-64, SIZE + 64, 64):
        ctx.rectangle(x + 12, LANE_LINE - 2, 34, 4)
    fill(ctx, LANE_PAINT)
    for x in range(-64, SIZE + 64, 64):
        ctx.rectangle(x + 12, LANE_LINE + 1, 34, 1)
    fill(ctx, shaded(LANE_PAINT, 0.2))
    near_kerb(ctx)


def slush_band(ctx, y0, y1, wobble, seed, below):
    """Grey slush lying along a kerb from row y0 to y1: solid against the
    kerb, its free edge soft and uneven, one 64 px tile."""
    for x in range(-64, SIZE + 64, 64):
        rng = Lcg(seed)
        edge = [(x + k * 8, (y1 if below else y0) + rng.range(-wobble, wobble) * (0 < k < 8))
                for k in range(9)]
        fixed = y0 if below else y1
        polygon(ctx, [(x, fixed)] + edge + [(x + 64, fixed)])
        solid, free = (0, 1) if below else (1, 0)
        ctx.set_source(gradient(y0 - wobble, y1 + wobble,
                                [(solid, mix(SLUSH, SNOW_SHADE, 0.15), 0.85), (0.5, SLUSH, 0.6),
                                 (free, SLUSH, 0.0)]))
        ctx.fill()


def near_kerb(ctx):
    """The near side of the street along the very bottom, below the wheels of
    the cars driving left: a wet dark seam, the granite kerb's lit top in the
    gaps, and the snow shovelled off the road heaped over it, white on top in
    the sun and pale blue on its face, with a sparkle here and there."""
    top = NEAR_KERB
    ctx.rectangle(0, top - 3, SIZE, SIZE - top + 3)
    ctx.set_source(gradient(top - 3, top + 1, [(0, shaded(ASPHALT, 0.3), 0), (1, shaded(ASPHALT, 0.9), 0.8)]))
    ctx.fill()
    ctx.rectangle(0, top, SIZE, SIZE - top)
    ctx.set_source(gradient(top, top + 4, [(0, lit(KERB, 0.3)), (1, shaded(KERB, 0.3))]))
    ctx.fill()
    for x in range(-64, SIZE + 64, 64):
        rng = Lcg(307)
        # Mounds of shovelled snow, three to a slab, rounded on top.
        edge = [(x, top - 5.0)]
        for k in range(1, 4):
            edge.append((x + k * 64 / 3 - rng.range(4, 10), top - 5.0 - rng.range(2.5, 5.5)))
            edge.append((x + k * 64 / 3, top - 5.0 if k == 3 else top - rng.range(3.0, 5.0)))
        ctx.move_to(x, SIZE)
        ctx.line_to(*edge[0])
        for (px, py), (qx, qy) in zip(edge[:-1], edge[1:]):
            ctx.curve_to(px + (qx - px) * 0.5, py, qx - (qx - px) * 0.5, qy, qx, qy)
        ctx.line_to(x + 64, SIZE)
        ctx.close_path()
        ctx.set_source(gradient(top - 9, SIZE, [(0, mix(SNOW_LIGHT, KEY_LIGHT, 0.35)), (0.3, SNOW_LIGHT),
                                                (0.65, mix(SNOW_LIGHT, SNOW_SHADE, 0.6)), (1, SNOW_SHADE)]))
        ctx.fill()
        # Lumps on its face, shaded on their lower left.
        for k in range(6):
            lx = x + rng.range(4, 60)
            ly = rng.range(top + 4, SIZE - 3)
            rx = rng.range(3, 7)
            ellipse(ctx, lx - 1, ly + 1, rx, rx * 0.45)
            fill(ctx, SNOW_SHADE, 0.5)
            ellipse(ctx, lx + 0.5, ly - 0.6, rx * 0.8, rx * 0.3)
            fill(ctx, SNOW_LIGHT, 0.6)
        for k in range(3):
            ctx.rectangle(math.floor(x + rng.range(2, 62)), math.floor(rng.range(top - 5, top + 3)), 1, 1)
            fill(ctx, (1, 1, 1))
        # A cool rim of shadow where the heap meets the wet road.
        ctx.move_to(*edge[0])
        for (px, py), (qx, qy) in zip(edge[:-1], edge[1:]):
            ctx.curve_to(px + (qx - px) * 0.5, py, qx - (qx - px) * 0.5, qy, qx, qy)
        colour(ctx, COOL_SHADE, 0.3)
        ctx.set_line_width(1.2)
        ctx.stroke()


def wet_reflection(ctx, x0, x1):
    """The wet asphalt below the far kerb mirrors the buildings' lower floors:
    their colours, blurred, upside down and squeezed, faintly over the
    gutter and the first rut. Only between x0 and x1, so the block's edges
    stay the same as every other block's."""
    target = ctx.get_target()
    target.flush()
    small = cairo.ImageSurface(cairo.FORMAT_ARGB32, SIZE // 8, 6)
    sc = cairo.Context(small)
    sc.scale(1 / 8, 6 / 80)
    sc.translate(0, -(PAVEMENT_TOP - 80))
    sc.set_source_surface(target, 0, 0)
    sc.get_source().set_filter(cairo.FILTER_GOOD)
    sc.paint()
    top, rows = STREET_TOP + 1, 8
    ctx.save()
    ctx.rectangle(x0, top, x1 - x0, rows)
    ctx.clip()
    ctx.push_group()
    ctx.translate(0, top)
    ctx.scale(8, -rows / 6)
    ctx.translate(0, -6)
    ctx.set_source_surface(small, 0, 0)
    ctx.get_source().set_filter(cairo.FILTER_BILINEAR)
    ctx.get_source().set_extend(cairo.EXTEND_PAD)
    ctx.paint()
    ctx.identity_matrix()
    ctx.pop_group_to_source()
    mask = cairo.LinearGradient(x0, 0, x1, 0)
    span = x1 - x0
    for at, a in ((0, 0), (40 / span, 1), (1 - 40 / span, 1), (1, 0)):
        mask.add_color_stop_rgba(at, 0, 0, 0, a * 0.28)
    ctx.mask(mask)
    ctx.restore()


def puddle(ctx, x, y, w):
    """Meltwater lying in a dip: the sky mirrored in it (pale at the far
    edge, deeper nearer), a dark wet rim and a glint from the sun."""
    h = w * 0.16
    ellipse(ctx, x, y, w / 2 + 2, h / 2 + 1.2)
    fill(ctx, shaded(ASPHALT, 0.8), 0.6)
    ellipse(ctx, x, y, w / 2, h / 2)
    ctx.set_source(gradient(y - h / 2, y + h / 2, [(0, mix(SKY_LOW, ASPHALT, 0.25)), (1, mix(GLASS_DEEP, ASPHALT, 0.3))]))
    ctx.fill()
    ellipse(ctx, x + w * 0.12, y - h * 0.15, w * 0.18, h * 0.12)
    fill(ctx, mix(SKY_LOW, SNOW_SHADE, 0.4), 0.7)


def road_paint(ctx, paint):
    """Fills the current path with clean road paint."""
    fill(ctx, paint, 0.9)


def lane_arrow(ctx, x, y, way):
    """A painted arrow 38 px long from column x, pointing the way the lane's
    traffic drives (way +1 right, -1 left), squashed by the low view along
    the road."""
    tail = x if way > 0 else x + 38
    shape = [(0, -1.6), (26, -1.6), (26, -4.5), (38, 0), (26, 4.5), (26, 1.6), (0, 1.6)]
    polygon(ctx, [(tail + way * u, y + v) for u, v in shape])
    road_paint(ctx, LANE_PAINT)


def road_word(ctx, x, y, text, paint):
    """Letters painted on the road, centred on x, long and low as a driver sees them."""
    ctx.save()
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD)
    ctx.translate(x, y)
    ctx.scale(1.3, 0.62)
    ctx.set_font_size(18)
    ext = ctx.text_extents(text)
    ctx.move_to(-ext.x_bearing - ext.width / 2, 0)
    ctx.text_path(text)
    ctx.restore()
    road_paint(ctx, paint)


def bus_stop(ctx, x, w):
    """The bus stop's box along the near lane: a dashed yellow edge and the
    words BUS STOP."""
    paint = hexcolour("c9a640")
    y0, y1 = 474, NEAR_KERB - 6
    for k in range(int(w // 12)):
        ctx.rectangle(x + k * 12, y0, 7, 1.6)
    ctx.rectangle(x, y0, 1.6, y1 - y0)
    ctx.rectangle(x + w - 1.6, y0, 1.6, y1 - y0)
    road_paint(ctx, paint)
    road_word(ctx, x + w / 2, y1 - 2, "BUS STOP", paint)


def drain(ctx, x):
    """A cast-iron gully grate in the gutter."""
    ctx.rectangle(x, STREET_TOP + 1, 22, 6)
    fill(ctx, hexcolour("23262e"))
    for k in range(6):
        ctx.rectangle(x + 2 + k * 3.3, STREET_TOP + 2, 1.6, 4)
        fill(ctx, hexcolour("4a4f5c"))
    ctx.rectangle(x, STREET_TOP + 1, 22, 6)
    colour(ctx, OUTLINE)
    ctx.set_line_width(0.6)
    ctx.stroke()


def manhole(ctx, x, y):
    """A small iron cover, squashed by the low view along the road."""
    ellipse(ctx, x, y, 12, 3)
    fill(ctx, hexcolour("262931"))
    ellipse(ctx, x, y, 10, 2.3)
    fill(ctx, hexcolour("41454f"))
    for k in range(-1, 2):
        ctx.move_to(x + k * 5 - 2, y - 1.6)
        ctx.line_to(x + k * 5 + 2, y + 1.6)
    colour(ctx, hexcolour("2e3139"))
    ctx.set_line_width(0.7)
    ctx.stroke()
    ellipse(ctx, x + 3, y - 0.9, 4, 0.6)
    fill(ctx, SKY_LOW, 0.3)


def crossing(ctx, x, w):
    """A zebra crossing: bars along the street's length from kerb to far
    side, a pale grey no brighter than the banner's white allows; tactile
    paving and a dropped kerb on the pavement."""
    ctx.rectangle(x - 4, KERB_TOP - 10, w + 8, 10)
    fill(ctx, hexcolour("8a7a62"))
    for k in range(int((w + 8) // 4)):
        for r in range(2):
            ellipse(ctx, x - 2 + k * 4, KERB_TOP - 7.5 + r * 4, 0.9, 0.9)
            fill(ctx, hexcolour("6a5c4a"))
    ctx.rectangle(x - 4, KERB_TOP, w + 8, STREET_TOP - KERB_TOP)
    fill(ctx, shaded(KERB, 0.25))
    # The bars: clean paint, as light as the banner's rows allow, each with
    # a wet dark lip along its near edge.
    y = STREET_TOP + 6
    while y < NEAR_KERB - 6:
        ctx.rectangle(x, y, w, 6)
        fill(ctx, CROSSING_PAINT)
        ctx.rectangle(x, y + 5, w, 1)
        fill(ctx, shaded(CROSSING_PAINT, 0.3))
        y += 12
    # The snow is cleared off the near kerb where the crossing meets it.
    ctx.rectangle(x - 4, NEAR_KERB - 2, w + 8, SIZE - NEAR_KERB + 2)
    ctx.set_source(gradient(NEAR_KERB - 2, SIZE, [(0, lit(KERB, 0.3)), (0.3, shaded(KERB, 0.2)),
                                                  (1, mix(shaded(KERB, 0.3), TRODDEN, 0.5))]))
    ctx.fill()
    for side in (x - 4, x + w + 4):
        ellipse(ctx, side, NEAR_KERB + 6, 3, 9)
        fill(ctx, SNOW_SHADE, 0.8)


def bollard(ctx, x):
    post = hexcolour("2f3a45")
    ellipse(ctx, x - 4, KERB_TOP - 5, 6, 1.4)
    fill(ctx, COOL_SHADE, 0.35)
    rounded_rect(ctx, x - 3, KERB_TOP - 30, 6, 26, 2.5)
    fill_line(ctx, post, OUTLINE, 0.7)
    ctx.rectangle(x + 0.8, KERB_TOP - 28, 1.4, 22)
    fill(ctx, lit(post, 0.3), 0.8)
    ctx.rectangle(x - 3, KERB_TOP - 24, 6, 2)
    fill(ctx, BERRY)


# Each block: (kind, width, roof row, details); widths add up to 512.
# townhouse: wall colour, material, roof (gable, hip, mansard, flat), door
#   paint, where its chimney stands as a share of its width (None for none);
# shop: wall colour, material, awning paint, sign, roof (flat or hip);
# apartment: wall colour, material, where its tank stands (None for none).
BRICK_RED = hexcolour("a65a42")
BRICK_BROWN = hexcolour("7f5e4e")
BRICK_ROSE = hexcolour("b47460")
SAGE = hexcolour("8fa08a")
TEAL = hexcolour("5f8a88")
SLATE = hexcolour("6f7d92")
CREAM = hexcolour("e6cfa4")
OCHRE = hexcolour("d2a35c")
STONE = hexcolour("cdb896")
PALE = hexcolour("cfc6b8")

BLOCKS = [
    [("townhouse", 110, 186, BRICK_RED, "brick", "gable", hexcolour("2f5e46"), 0.72),
     ("shop", 130, 236, TEAL, "clapboard", hexcolour("b23a3a"), "TOYS"),
     ("apartment", 150, 126, CREAM, "stone", 0.25),
     ("townhouse", 122, 186, BRICK_BROWN, "brick", "flat", hexcolour("7a2a30"), None)],
    [("shop", 140, 244, OCHRE, "stucco", hexcolour("3a7a4a"), "BAKERY"),
     ("apartment", 120, 130, hexcolour("a8705e"), "brick", 0.25),
     ("townhouse", 100, 230, SAGE, "clapboard", "gable", hexcolour("8a2a2a"), 0.7),
     ("townhouse", 152, 206, BRICK_ROSE, "brick", "mansard", hexcolour("27406a"), None)],
    [("townhouse", 100, 228, BRICK_BROWN, "brick", "gable", hexcolour("27406a"), 0.7),
     ("church", 170, 214),
     ("shop", 120, 250, SLATE, "stucco", hexcolour("2f5f9a"), "CAFE"),
     ("apartment", 122, 120, STONE, "stone", 0.25, True)],
    [("apartment", 140, 112, hexcolour("d6b88e"), "stucco", 0.25),
     ("townhouse", 110, 184, TEAL, "clapboard", "hip", hexcolour("f0e6d0"), None),
     ("shop", 150, 238, BRICK_RED, "brick", hexcolour("8a2a55"), "RECORDS"),
     ("townhouse", 112, 192, OCHRE, "stucco", "hip", hexcolour("2f5e46"), None)],
    [("music_hall", 224, 130),
     ("apartment", 92, 126, BRICK_BROWN, "brick", 0.55),
     ("apartment", 84, 116, hexcolour("dccd9c"), "stucco", None, True),
     ("shop", 112, 244, SAGE, "clapboard", hexcolour("c8642a"), "GIFTS")],
]
LAMPS = [(250,), (200,), (396,), (100,), (352,)]
DRAINS = [(300,), (170, 380), (100,), (210,), (350,)]
MANHOLES = [((180, 430),), ((250, 442),), ((200, 480),), ((360, 432),), ((150, 480),)]
# What else lies on each block's stretch of road, all between columns 100
# and 412 so the edges stay alike: puddles (x, row, width), lane arrows
# (x, row, way), a bus stop (x, width). The arrows lie in the near lane, in
# front of its cars' tyres, pointing left the way that lane drives; the far
# lane's road shows only behind the near lane's cars, so it carries none.
PUDDLES = [((300, 444, 46), (140, 486, 30)), ((150, 403, 40), (370, 486, 44)), ((390, 444, 36),),
           ((140, 446, 54), (250, 403, 34)), ((300, 486, 40), (240, 446, 30))]
ARROWS = [((240, 480, -1),), (), ((120, 480, -1),), (), ((200, 480, -1),)]
BUS_STOPS = [(), ((160, 150),), (), ((230, 150),), ()]
CROSSINGS = [(), (), ((296, 64),), (), ()]


def block(index):
    def draw(ctx, width, height):
        rng = Lcg(1000 + index)
        ground(ctx)
        for x in DRAINS[index]:
            drain(ctx, x)
        for x, y in MANHOLES[index]:
            manhole(ctx, x, y)
        for x, y, w in PUDDLES[index]:
            puddle(ctx, x, y, w)
        for x, y, way in ARROWS[index]:
            lane_arrow(ctx, x, y, way)
        for x, w in BUS_STOPS[index]:
            bus_stop(ctx, x, w)
        for x, w in CROSSINGS[index]:
            crossing(ctx, x, w)
            bollard(ctx, x - 8)
            bollard(ctx, x + w + 8)
        x = 0
        for kind, w, top, *details in BLOCKS[index]:
            ctx.save()
            ctx.rectangle(x, 0, w, PAVEMENT_TOP)
            ctx.clip()
            if kind == "townhouse":
                townhouse(ctx, rng, x, w, top, *details)
            elif kind == "shop":
                shop(ctx, rng, x, w, top, *details)
            elif kind == "apartment":
                apartment(ctx, rng, x, w, top, *details)
            elif kind == "church":
                church(ctx, rng, x, w, top)
            else:
                music_hall(ctx, rng, x, w, top)
            ctx.restore()
            if kind == "music_hall":
                foyer_light(ctx, x)
            x += w
        assert x == SIZE
        # A taller building stands a little forward of a lower one on its
        # left and throws a soft strip of shadow down-left on that one's face.
        x = 0
        for (_, w_left, top_left, *_), (_, w_right, top_right, *_) in zip(BLOCKS[index], BLOCKS[index][1:]):
            x += w_left
            if top_right < top_left - 20:
                ctx.save()
                ctx.rectangle(x - w_left, 0, w_left, PAVEMENT_TOP)
                ctx.clip()
                polygon(ctx, [(x, top_left), (x, PAVEMENT_TOP), (x - 7, PAVEMENT_TOP), (x - 7, top_left + 7)])
                g = cairo.LinearGradient(x - 7, 0, x, 0)
                g.add_color_stop_rgba(0, COOL_SHADE[0], COOL_SHADE[1], COOL_SHADE[2], 0.0)
                g.add_color_stop_rgba(0.5, COOL_SHADE[0], COOL_SHADE[1], COOL_SHADE[2], 0.3)
                g.add_color_stop_rgba(1, COOL_SHADE[0], COOL_SHADE[1], COOL_SHADE[2], 0.38)
                ctx.set_source(g)
                ctx.fill()
                ctx.restore()
        for lx in LAMPS[index]:
            street_lamp(ctx, lx)
        wet_reflection(ctx, 100, 412)
    return draw


IMAGES = {"city%d.tga" % i: (SIZE, SIZE, block(i)) for i in range(5)}
