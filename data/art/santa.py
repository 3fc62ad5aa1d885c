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
"""

import math

from paint import (BOOT, CHEEK, FUR, FUR_SHADE, GOLD, OUTLINE, SANTA_RED,
                   SANTA_RED_DARK, SKIN, colour, ellipse, fill_stroke,
                   rounded_rect)


def draw_head(ctx, trail):
    """A head facing right, centred on its face; the hat flops back by trail."""
    # Hat: crown and the floppy tip hanging behind.
    ctx.move_to(-17, -9)
    ctx.curve_to(-13, -27, 6, -31, 16, -10)
    ctx.close_path()
    ctx.move_to(-5, -25)
    ctx.curve_to(-trail * 0.45, -31, -trail, -24, -trail, -15)
    ctx.curve_to(-trail * 0.65, -18, -14, -17, -15, -10)
    ctx.close_path()
    fill_stroke(ctx, SANTA_RED)
    ellipse(ctx, -trail, -15, 5, 5)
    fill_stroke(ctx, FUR, FUR_SHADE, 1.0)
    # Hair behind the face.
    ellipse(ctx, -10, 2, 6.5, 9)
    fill_stroke(ctx, FUR, FUR_SHADE, 1.0)
    # Face.
    ellipse(ctx, 1, 0, 13, 12.5)
    fill_stroke(ctx, SKIN, (0.55, 0.35, 0.28), 1.0)
    ellipse(ctx, 5, 3, 3.5, 2.8)
    colour(ctx, CHEEK, 0.7)
    ctx.fill()
    # Beard, moustache, nose, eye and brow.
    ctx.move_to(-11, 1)
    ctx.curve_to(-13, 14, -4, 21, 5, 20)
    ctx.curve_to(13, 19, 17, 11, 16, 4)
    ctx.curve_to(9, 10, -3, 10, -11, 1)
    ctx.close_path()
    fill_stroke(ctx, FUR, FUR_SHADE, 1.0)
    ellipse(ctx, 11, 6, 5.5, 2.8)
    fill_stroke(ctx, FUR, FUR_SHADE, 0.8)
    ellipse(ctx, 5, 7, 5, 2.6)
    fill_stroke(ctx, FUR, FUR_SHADE, 0.8)
    ellipse(ctx, 14.5, 2, 3.4, 2.9)
    fill_stroke(ctx, (0.95, 0.45, 0.45), (0.55, 0.2, 0.2), 0.8)
    ellipse(ctx, 8, -3.5, 1.5, 1.9)
    colour(ctx, OUTLINE)
    ctx.fill()
    ctx.move_to(5, -7)
    ctx.line_to(10.5, -7.5)
    ctx.set_line_width(1.6)
    colour(ctx, FUR)
    ctx.stroke()
    # Fur brim over the forehead.
    rounded_rect(ctx, -18, -15, 35, 7.5, 3.7)
    fill_stroke(ctx, FUR, FUR_SHADE, 1.0)


def draw_body(ctx, width, height):
    # Coat: round back, belly bulging forward (right), hem near the bottom.
    ctx.move_to(24, 46)
    ctx.curve_to(14, 50, 11, 70, 13, 94)
    ctx.line_to(76, 95)
    ctx.curve_to(86, 86, 86, 62, 70, 46)
    ctx.curve_to(56, 42, 38, 42, 24, 46)
    ctx.close_path()
    coat = ctx.copy_path()
    fill_stroke(ctx, SANTA_RED, SANTA_RED_DARK, 1.4)
    # Belt and buckle, clipped to the coat.
    ctx.save()
    ctx.append_path(coat)
    ctx.clip()
    ctx.rectangle(0, 70, width, 8)
    colour(ctx, BOOT)
    ctx.fill()
    # A soft shade along the back.
    ctx.rectangle(10, 40, 7, 60)
    colour(ctx, SANTA_RED_DARK, 0.35)
    ctx.fill()
    ctx.restore()
    rounded_rect(ctx, 66, 68.5, 11, 11, 1.5)
    fill_stroke(ctx, GOLD, (0.5, 0.35, 0.05), 1.0)
    ctx.rectangle(69.5, 72, 4, 4)
    colour(ctx, BOOT)
    ctx.fill()
    # Fur hem and the fur down the front edge.
    rounded_rect(ctx, 11, 89, 68, 10, 4.5)
    fill_stroke(ctx, FUR, FUR_SHADE, 1.0)
    ctx.save()
    ctx.translate(54, 30)
    draw_head(ctx, 38)
    ctx.restore()


def draw_leg(ctx, width, height):
    # Trouser leg, centred on x = 14, with its top hidden under the coat.
    rounded_rect(ctx, 7, 0, 14, 60, 5)
    fill_stroke(ctx, SANTA_RED, SANTA_RED_DARK, 1.2)
    # Boot pointing forward (right), sole at the bottom row.
    ctx.translate(0, height - 60)
    ctx.move_to(6.5, 45)
    ctx.line_to(21.5, 45)
    ctx.line_to(21.5, 50)
    ctx.curve_to(24.5, 50, 26.5, 53, 26.5, 56)
    ctx.line_to(26.5, 58.8)
    ctx.line_to(5.5, 58.8)
    ctx.close_path()
    fill_stroke(ctx, BOOT, (0.0, 0.0, 0.0), 1.0)
    ctx.move_to(9, 52)
    ctx.line_to(13, 51)
    ctx.set_line_width(1.2)
    colour(ctx, (0.45, 0.45, 0.5))
    ctx.stroke()
    rounded_rect(ctx, 5.5, 41, 17, 6, 3)
    fill_stroke(ctx, FUR, FUR_SHADE, 1.0)


def draw_arm(ctx, width, height):
    # Shoulder cap at the top, sleeve down to a fur cuff, then the mitten.
    ctx.move_to(2.5, 12)
    ctx.arc(10, 11, 8, math.pi, 0)
    ctx.line_to(16.5, 38)
    ctx.line_to(3.5, 38)
    ctx.close_path()
    fill_stroke(ctx, SANTA_RED, SANTA_RED_DARK, 1.2)
    ctx.move_to(7, 14)
    ctx.line_to(7, 34)
    ctx.set_line_width(1.0)
    colour(ctx, SANTA_RED_DARK, 0.6)
    ctx.stroke()
    ellipse(ctx, 10, 45.5, 6.5, 5.5)
    fill_stroke(ctx, BOOT, (0, 0, 0), 1.0)
    ellipse(ctx, 15.5, 43, 2.5, 3.2)
    fill_stroke(ctx, BOOT, (0, 0, 0), 1.0)
    rounded_rect(ctx, 2, 35, 16, 6.5, 3)
    fill_stroke(ctx, FUR, FUR_SHADE, 1.0)


def draw_driver_head(ctx, width, height):
    # Faces left: the car is stored driving left. The hat flops back (right).
    ctx.translate(width, 0)
    ctx.scale(-1, 1)
    ctx.translate(19, 28)
    ctx.scale(0.85, 0.85)
    draw_head(ctx, 15)


IMAGES = {
    "santa.tga": (84, 100, draw_body),
    "leg.tga": (28, 72, draw_leg),
    "hand.tga": (20, 52, draw_arm),
    "santa-head.tga": (40, 46, draw_driver_head),
}
