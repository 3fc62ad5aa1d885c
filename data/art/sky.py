"""The sun and the one ray that eight copies of make its turning ring.

Sun 64 x 64, a disc of radius 29 about its centre. Each ray (10 x 26) is
placed with its top edge 35 to 45 px out from the ring's centre and points
away from it, so its top is the broad inner end and it tapers outward."""

import math

import cairo

from paint import colour, ellipse, hexcolour


def draw_sun(ctx, width, height):
    cx, cy = width / 2, height / 2
    glow = cairo.RadialGradient(cx, cy, 27, cx, cy, 32)
    glow.add_color_stop_rgba(0, 1.0, 0.93, 0.45, 0.8)
    glow.add_color_stop_rgba(1, 1.0, 0.93, 0.45, 0.0)
    ctx.set_source(glow)
    ctx.arc(cx, cy, 32, 0, 2 * math.pi)
    ctx.fill()
    disc = cairo.RadialGradient(cx - 8, cy - 9, 3, cx, cy, 29)
    disc.add_color_stop_rgb(0, *hexcolour("fff8c4"))
    disc.add_color_stop_rgb(0.6, *hexcolour("ffd93b"))
    disc.add_color_stop_rgb(1, *hexcolour("ffab1f"))
    ctx.set_source(disc)
    ctx.arc(cx, cy, 29, 0, 2 * math.pi)
    ctx.fill_preserve()
    colour(ctx, hexcolour("e68a00"))
    ctx.set_line_width(1.5)
    ctx.stroke()
    # A content face: closed smiling eyes, rosy cheeks, a wide smile.
    colour(ctx, hexcolour("7a3b00"))
    ctx.set_line_width(2.2)
    for ex in (cx - 9, cx + 9):
        ctx.new_sub_path()
        ctx.arc_negative(ex, cy - 3, 4.5, -0.3, math.pi + 0.3)
        ctx.stroke()
    ctx.new_sub_path()
    ctx.arc(cx, cy + 3, 10, 0.35, math.pi - 0.35)
    ctx.stroke()
    for ex in (cx - 15, cx + 15):
        ellipse(ctx, ex, cy + 4, 4, 2.8)
        colour(ctx, hexcolour("ff7a59"), 0.55)
        ctx.fill()


def draw_ray(ctx, width, height):
    ctx.move_to(1.2, 2.5)
    ctx.curve_to(1.2, 0.8, 8.8, 0.8, 8.8, 2.5)
    ctx.line_to(5.6, height - 0.8)
    ctx.line_to(4.4, height - 0.8)
    ctx.close_path()
    fill = cairo.LinearGradient(0, 0, 0, height)
    fill.add_color_stop_rgb(0, *hexcolour("ffe35a"))
    fill.add_color_stop_rgb(1, *hexcolour("ff9d1a"))
    ctx.set_source(fill)
    ctx.fill_preserve()
    colour(ctx, hexcolour("e68a00"), 0.8)
    ctx.set_line_width(0.8)
    ctx.stroke()


IMAGES = {
    "sun.tga": (64, 64, draw_sun),
    "sunray.tga": (10, 26, draw_ray),
}
