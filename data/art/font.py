"""The font sheet, 256 x 256: white letters (Comic Neue Bold, a comic
letterer's hand, reshaped to fit)
with a dark edge all round, on transparent ground, each inside its rectangle
of the program's glyph table.

A glyph row below is (character, texX, texY, width, height, offsetY): texY is
the glyph's lowest row counted from the top of the picture, and the glyph
occupies the `height` rows above it up to and including texY; offsetY places
its top relative to the pen line when drawn. Every glyph is drawn on one
baseline, a little less than 11 rows below the pen line, so letters of
different heights line up.

The program draws the banner lines in white, so they show the white letter
with its dark edge, readable over the pale pavement and the dark road alike;
it draws the quotes in black, which colours letter and edge alike, so a quote
shows the whole inked shape. The edge is a solid dark ring about a texel wide
round the letter, narrower inside the counters so that the quotes keep them
open, with a faint shadow fallen down and to the left where the rectangle has
room. Each letter is nudged sideways by a third of a texel at most so that its
stems land on whole texels and keep a solid white core. Ink keeps the
rightmost column of each rectangle clear
because the pen advances by the rectangle's width with no extra spacing, and
no stroke is thinner than two texels."""

import subprocess
import sys

import cairo

GLYPHS = [
    ("a", 4, 18, 10, 11, 0), ("b", 15, 18, 11, 15, -4), ("c", 26, 18, 10, 11, 0),
    ("d", 37, 18, 10, 15, -4), ("e", 48, 18, 11, 11, 0), ("f", 59, 18, 7, 15, -4),
    ("g", 66, 21, 10, 14, 0), ("h", 78, 18, 11, 15, -4), ("i", 90, 18, 4, 15, -4),
    ("j", 94, 21, 7, 17, -3), ("k", 103, 18, 9, 15, -4), ("l", 114, 18, 3, 15, -4),
    ("m", 119, 18, 16, 13, -2), ("n", 137, 18, 11, 12, -1), ("o", 148, 18, 11, 11, 0),
    ("p", 160, 21, 10, 14, 0), ("q", 171, 21, 10, 14, 0), ("r", 184, 18, 7, 11, 0),
    ("s", 192, 18, 9, 11, 0), ("t", 201, 18, 7, 14, -3), ("u", 209, 18, 10, 11, 0),
    ("v", 220, 18, 11, 11, 0), ("w", 231, 18, 15, 12, -1), ("x", 3, 40, 11, 12, -1),
    ("y", 15, 43, 10, 15, -1), ("z", 25, 40, 10, 12, -1), ("A", 35, 40, 13, 15, -3),
    ("B", 49, 40, 11, 15, -3), ("C", 61, 40, 12, 15, -3), ("D", 75, 40, 13, 15, -3),
    ("E", 89, 40, 11, 15, -3), ("F", 100, 40, 11, 15, -3), ("G", 112, 40, 13, 15, -3),
    ("H", 126, 40, 12, 15, -3), ("I", 140, 40, 7, 15, -3), ("J", 147, 40, 8, 15, -3),
    ("L", 170, 40, 10, 15, -3), ("M", 180, 40, 14, 15, -3), ("N", 197, 40, 11, 15, -3),
    ("O", 210, 40, 13, 15, -3), ("P", 225, 40, 10, 15, -3), ("S", 17, 62, 11, 15, -3),
    ("T", 29, 62, 12, 15, -3), ("W", 67, 62, 17, 15, -3), ("Y", 98, 62, 12, 15, -3),
    (".", 123, 61, 4, 4, 7), (",", 129, 65, 5, 7, 7), ("!", 137, 61, 4, 14, -3),
    ("-", 143, 57, 8, 5, 4), ('"', 152, 53, 9, 7, -4), ("0", 161, 62, 10, 15, -3),
    ("1", 174, 62, 9, 15, -3), ("2", 185, 62, 10, 15, -3), ("3", 197, 62, 10, 15, -3),
    ("4", 208, 62, 11, 15, -3), ("5", 221, 62, 10, 15, -3), ("6", 233, 62, 10, 15, -3),
    ("7", 3, 84, 11, 15, -3), ("8", 16.4, 84, 10, 15, -3), ("9", 27, 84, 11, 15, -3),
]

BASELINE = 11    # rows from the pen line down to the baseline
EM = 19.5        # font size in pixels before reshaping
CONDENSE = 0.92  # horizontal squeeze applied to every glyph
RIGHT_GAP = 1.0  # columns kept clear at the right of each rectangle
BOLDEN = 0.2   # how far the white letter grows out of its outline, all round
RING = 0.9     # width of the solid dark edge around the grown letter
COUNTER_RING = 0.6  # the edge inside a counter, narrower so quotes keep it open
SHADOW = 0.8     # how far the letter's shadow falls down and to the left
SHADOW_ALPHA = 0.35  # opacity of the shadow
NARROW_RING = 0.85  # the edge of a narrow letter: solid, on its right only
MIN_CORE = 1.2   # narrowest white letter that gets an edge on its left too
EDGE = (0.06, 0.06, 0.06)
FACE = "Comic Neue"
WEIGHT = cairo.FONT_WEIGHT_BOLD

def glyph_outline(ctx, char):
    """The outline of char at size EM, baseline at y = 0, as a list of cairo
    path elements, with its ink extents (x0, y0, x1, y1)."""
    ctx.save()
    ctx.new_path()
    ctx.move_to(0, 0)
    ctx.text_path(char)
    path = list(ctx.copy_path())
    x0, y0, x1, y1 = ctx.fill_extents()
    ctx.new_path()
    ctx.restore()
    return path, (x0, y0, x1, y1)


def placed(path, mapping):
    out = []
    for kind, points in path:
        pts = []
        for i in range(0, len(points), 2):
            pts.extend(mapping(points[i], points[i + 1]))
        out.append((kind, pts))
    return out


def trace(ctx, path):
    for kind, p in path:
        if kind == cairo.PATH_MOVE_TO:
            ctx.move_to(*p)
        elif kind == cairo.PATH_LINE_TO:
            ctx.line_to(*p)
        elif kind == cairo.PATH_CURVE_TO:
            ctx.curve_to(*p)
        else:
            ctx.close_path()


def contours(path):
    """The path split into its closed contours, each tagged True when it is
    a counter (a hole, wound the other way from the letter's outside)."""
    out, current, points = [], [], []
    for kind, p in path:
        if kind == cairo.PATH_MOVE_TO and current:
            out.append((current, points))
            current, points = [], []
        current.append((kind, p))
        points.extend(zip(p[0::2], p[1::2]))
    if current:
        out.append((current, points))
    tagged = []
    for contour, pts in out:
        area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]))
        tagged.append((contour, area))
    outside = max(tagged, key=lambda t: abs(t[1]))[1] if tagged else 0
    return [(contour, area * outside < 0) for contour, area in tagged]


def clear_counters(ctx, shapes):
    """Clears the insides of the letter's counters from what is drawn so far."""
    ctx.set_operator(cairo.OPERATOR_CLEAR)
    for contour, counter in shapes:
        if counter:
            trace(ctx, contour)
            ctx.fill()
    ctx.set_operator(cairo.OPERATOR_OVER)


def glyph_box(ctx, row):
    """Where the white letter of a glyph row goes: its outline, its ink
    extents, the left edge of its ring, the room for the letter, how far it
    grows out of its outline and how wide its dark edge is."""
    char, tex_x, tex_y, width, height, offset_y = row
    path, extents = glyph_outline(ctx, char)
    ring_left = RING + BOLDEN
    room = width - RIGHT_GAP - ring_left - (RING + BOLDEN)
    if room < MIN_CORE:
        # Narrow letters (i, l, !, the full stop) do not grow and keep their
        # edge on the right only: grown, the dot of an i would run into its
        # stem. The edge leaves the letter at least three fifths of the room.
        ring = min(NARROW_RING, 0.4 * (width - RIGHT_GAP))
        return path, extents, 0.0, width - RIGHT_GAP - ring, 0.0, ring
    return path, extents, ring_left, room, BOLDEN, RING


def vertical_scales(ctx):
    """One squeeze above the baseline and one below for the whole font, the
    least that keeps every letter and its ring inside its rectangle, so that
    all lowercase letters keep one height and all capitals another."""
    up = down = 1.0
    for row in GLYPHS:
        _, tex_x, tex_y, width, height, offset_y = row
        top = tex_y - height + 1
        bottom = tex_y + 1
        baseline = top + BASELINE - offset_y - RING - BOLDEN
        _, (x0, y0, x1, y1), _, _, _, _ = glyph_box(ctx, row)
        if y0 < 0:
            up = min(up, (baseline - top - RING - BOLDEN) / -y0)
        # A descender may reach the rectangle's last row: its ring is cut
        # off there, which costs less than a tail squeezed shut.
        if y1 > 0.5:
            down = min(down, (bottom - baseline) / y1)
    return up, down


def draw_glyph(ctx, row, up, down, nudge=0.0):
    char, tex_x, tex_y, width, height, offset_y = row
    top = tex_y - height + 1
    # The white letter leaves room for its dark ring inside the rectangle and
    # one clear column on the right, so that neighbouring letters drawn in
    # black do not run together. A letter too narrow for a ring on both sides
    # stands at the left edge with its ring on the right.
    path, (x0, y0, x1, y1), ring_left, room, bold, ring = glyph_box(ctx, row)
    ink_width = x1 - x0
    sx = min(CONDENSE, room / ink_width)
    left = tex_x + ring_left + (room - ink_width * sx) / 2 + nudge
    # One baseline for every glyph, raised by the ring's width.
    baseline = top + BASELINE - offset_y - RING - BOLDEN
    if top + height <= baseline:
        # A mark that floats above the baseline (the double quote) hangs from
        # the top of its rectangle instead, whole, its strokes on whole texels.
        baseline = top + RING + bold - y0 * up
        left = round(left)
    def mapping(x, y):
        return (left + (x - x0) * sx, baseline + y * (up if y < 0 else down))

    letter = placed(path, mapping)
    ctx.save()
    ctx.rectangle(tex_x, top, width, height)
    ctx.clip()
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    # The shadow: the inked shape, faint, fallen down and to the left as the
    # sun's shadows do; soft, as two offsets overlaid. It stays out of the
    # letter's counters, which the quotes' black would otherwise fill.
    shapes = contours(letter)
    ctx.push_group()
    for step in (0.6, 1.0):
        ctx.save()
        ctx.translate(-SHADOW * step, SHADOW * step)
        trace(ctx, letter)
        ctx.set_source_rgba(*EDGE, 0.5)
        ctx.set_line_width(2 * (ring + bold))
        ctx.stroke_preserve()
        ctx.fill()
        ctx.restore()
    clear_counters(ctx, shapes)
    ctx.pop_group_to_source()
    ctx.paint_with_alpha(SHADOW_ALPHA / 0.75)
    # The edge: one solid dark ring round the grown letter, so the banner's
    # white letters stand off pale and dark ground alike; narrower inside the
    # counters, which the quotes' black would otherwise fill. The outside's
    # ring is kept out of the counters, where a thin stem would let it show.
    ctx.push_group()
    ctx.set_source_rgb(*EDGE)
    for contour, counter in shapes:
        if not counter:
            trace(ctx, contour)
            ctx.set_line_width(2 * (ring + bold))
            ctx.stroke_preserve()
            ctx.fill()
    clear_counters(ctx, shapes)
    for contour, counter in shapes:
        if counter:
            trace(ctx, contour)
            ctx.set_line_width(2 * (min(ring, COUNTER_RING) + bold))
            ctx.stroke()
    ctx.pop_group_to_source()
    ctx.paint()
    trace(ctx, letter)
    ctx.set_source_rgb(1, 1, 1)
    ctx.fill_preserve()
    if bold:
        ctx.set_line_width(2 * bold)
        ctx.stroke()
    ctx.restore()


def require_face():
    """Cairo quietly draws with another face when the one asked for is not
    installed, which would change every letter: stop with a clear message
    instead."""
    try:
        found = subprocess.run(["fc-match", "-f", "%{family}", FACE + ":bold"], check=True,
                               capture_output=True, text=True).stdout
    except (OSError, subprocess.CalledProcessError) as error:
        sys.exit("font.py: cannot ask fontconfig for %s: %s" % (FACE, error))
    if FACE not in found.split(","):
        sys.exit("font.py: the font %s is not installed (Debian package fonts-comic-neue); "
                 "fontconfig offers %s instead" % (FACE, found or "nothing"))


def draw_sheet(ctx, width, height):
    require_face()
    ctx.select_font_face(FACE, cairo.FONT_SLANT_NORMAL, WEIGHT)
    ctx.set_font_size(EM)
    up, down = vertical_scales(ctx)
    for row in GLYPHS:
        draw_glyph(ctx, row, up, down, best_nudge(row, up, down))


NUDGES = (0.0, -0.15, 0.15, -0.3, 0.3)  # sideways shifts tried, the least first


def solid_white(surface, row):
    """Texels of the glyph's rectangle that are opaque white."""
    _, tex_x, tex_y, width, height, _ = row
    data, stride = surface.get_data(), surface.get_stride()
    count = 0
    for y in range(int(tex_y - height + 1), int(tex_y + 1)):
        for x in range(int(tex_x), int(tex_x + width + 0.99)):
            b, g, r, a = data[y * stride + 4 * x:y * stride + 4 * x + 4]
            if a >= 128 and 0.299 * r + 0.587 * g + 0.114 * b >= 0.8 * a:
                count += 1
    return count


def best_nudge(row, up, down):
    """Hints a letter: the sideways shift, by a third of a texel at most, that
    lands its upright strokes on whole texels, so they keep a solid white
    core instead of two grey columns."""
    best, most = 0.0, -1
    for nudge in NUDGES:
        surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, 256, 256)
        ctx = cairo.Context(surface)
        ctx.select_font_face(FACE, cairo.FONT_SLANT_NORMAL, WEIGHT)
        ctx.set_font_size(EM)
        draw_glyph(ctx, row, up, down, nudge)
        surface.flush()
        white = solid_white(surface, row)
        if white > most:
            best, most = nudge, white
    return best


IMAGES = {"font.tga": (256, 256, draw_sheet)}
