"""The program's icon: Santa's head from santa.py, facing right, with a long
hat tip and its white bobble behind, inside a dark edge that keeps it apart
from light and dark backgrounds alike.

The same drawing serves every size in SIZES; at 16 and 24 px the eye and the
nose are drawn larger and darker, as the show's own shrink to a smudge there.
The white bobble, the red hat over a white brim and the beard are what must
stay readable at 16 px (tools/artwork/make_icon.py writes a contact sheet of
every size to judge that by eye).
"""

import math

from paint import OUTLINE, colour, ellipse
from santa import draw_head

NOSE = (0.90, 0.25, 0.25)

SIZES = (16, 24, 32, 48, 64, 128, 256)

# How far the bobble trails behind the face, and the head's extent in the
# units of draw_head at that trail (hat tip to nose, hat top to beard).
TRAIL = 24
LEFT, RIGHT = -TRAIL - 7.0, 18.2
TOP, BOTTOM = -29.5, 21.6


def edge_width(size):
    """The dark edge in pixels: one pixel up to 48 px, then growing slowly."""
    return max(1.0, size / 48.0)


def draw_icon(ctx, size):
    edge = edge_width(size)
    # Small sizes use every pixel; large ones keep a margin, as icons beside
    # them do.
    pad = edge + (0.3 if size < 48 else size / 40.0)
    scale = (size - 2 * pad) / max(RIGHT - LEFT, BOTTOM - TOP)

    ctx.push_group()
    ctx.translate(size / 2, size / 2)
    ctx.scale(scale, scale)
    ctx.translate(-(LEFT + RIGHT) / 2, -(TOP + BOTTOM) / 2)
    draw_head(ctx, TRAIL)
    if size < 32:
        ellipse(ctx, 4.6, -3.4, 2.5, 3.2)
        colour(ctx, OUTLINE)
        ctx.fill()
        ellipse(ctx, 14.0, 2.6, 4.2, 3.6)
        colour(ctx, NOSE)
        ctx.fill()
    head = ctx.pop_group()

    # The edge: the head's shape in the outline colour, shifted all round.
    steps = max(16, int(math.ceil(2 * math.pi * edge / 0.5)))
    colour(ctx, OUTLINE)
    for radius in (edge / 2, edge):
        for i in range(steps):
            angle = 2 * math.pi * i / steps
            ctx.save()
            ctx.translate(radius * math.cos(angle), radius * math.sin(angle))
            ctx.mask(head)
            ctx.restore()
    ctx.set_source(head)
    ctx.paint()
