#!/usr/bin/python3
"""city_overlap.py [--hz N] ARTDIR [OUTDIR]

Scrolls the two city rows through one full joint cycle, frame by frame at
N frames a second (60 unless given) with the program's own scroll rule (the front row 0.1
texels a millisecond, the back row half that, each wrapping to the next block
and dropping what lies beyond the block edge; both halted for 10 s while block
4 is at the front row's left edge), and looks at every place where the back
row shows above a front roof at 640 x 480.

Each picture column is reduced to its silhouette: the first row from the top
whose alpha is at least 128, solid below. A back-row column's "body" is what
stays of the silhouette after an opening with a flat element 30 texels wide:
roofs and walls stay, while what is narrower than 30 texels (chimneys, water
tanks, lamp heads, the tips of gables) is "ornament". Screen pixels sample the
nearest texel at their centre, as the rows are drawn at 1 x 1 horizontally.

In a frame, the back row shows in column x from its top down to the front
row's top. Neighbouring columns whose shown intervals overlap form one patch.
A patch reads wrong when
  - ornament: no column of it shows any back-row body, so what shows is a
    chimney, tank, lamp or gable tip standing right on the front roof;
  - sliver: it is narrower than 6 px and shows some body, a thin strip of a
    building poking up beside a front wall;
  - ledge: it shows some body but nowhere more than 3 px of it, a back roof
    that clears the front roof by too little and reads as a lip on it.
A patch is followed from frame to frame in front-row coordinates while it
keeps its kind and overlaps (within 2 px) where it was; one that lasts
200 ms or more, or stands through the halt, is a fault. A patch that merely
passes while a back wall edge crosses a front wall edge lasts a few frames and
is not reported.

Prints every fault with its time in the show (seconds since Santa starts
walking), and with OUTDIR saves crops of the worst few, enlarged three times,
as OUTDIR/overlap-N.png. Exit status 1 when there is any fault."""

import math
import os
import struct
import sys

import cairo

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import tga  # noqa: E402
from scene_preview import Art, SKY, city_strip  # noqa: E402

WIDTH, HEIGHT = 640, 480
BLOCK = 512
RING = 5 * BLOCK
ALPHA_SOLID = 128
BODY_WIDTH = 30
SLIVER_WIDTH = 6
LEDGE_HEIGHT = 4
LINK_SLACK = 2
FAULT_MS = 200.0
STOP_BLOCK = 4
STOP_MS = 10000.0
BACK_TOP, BACK_BOTTOM = 60, 420


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def column_tops(artdir):
    """Top silhouette row of every column of the ring of five blocks."""
    tops = []
    for b in range(5):
        with open(os.path.join(artdir, "city%d.tga" % b), "rb") as f:
            width, height, rows = tga.decode(f.read())
        if width != BLOCK or height != BLOCK:
            raise ValueError("city%d.tga is %dx%d, not 512x512" % (b, width, height))
        for x in range(BLOCK):
            top = next((y for y in range(height) if rows[y][4 * x + 3] >= ALPHA_SOLID), height)
            tops.append(top)
    return tops


def body_tops(tops):
    """The silhouette opened by a flat element BODY_WIDTH wide (rows grow downward)."""
    eroded = [max(tops[(x + k) % RING] for k in range(BODY_WIDTH)) for x in range(RING)]
    return [min(eroded[(x - k) % RING] for k in range(BODY_WIDTH)) for x in range(RING)]


def screen_row(texel_row, y0, y1):
    """First screen row of a layer spanning y0..y1 that samples texel_row or below."""
    scale = (y1 - y0) / BLOCK
    return y0 + max(0, math.ceil(texel_row * scale - 0.5))


def timeline(santa_width, hz=60):
    """Frames of one joint cycle: (ms since Santa starts walking, ms the frame
    stays, front ring position, back ring position)."""
    dt = f32(1000.0 / hz)
    stop_x = f32(WIDTH * 0.5 - santa_width * 1.5)
    x = f32(-1.3 * santa_width)
    t = 0.0
    while x <= stop_x:
        x = f32(x + f32(dt * 0.05))
        t += dt
    front = [0.0, 0]
    back = [0.0, 4]
    stop_timer = 0.0
    frames = []
    wraps = 0
    while wraps < 10:
        if front[1] == STOP_BLOCK and stop_timer <= STOP_MS:
            frames.append((t, STOP_MS, front[1] * BLOCK + front[0], back[1] * BLOCK + back[0]))
            t += STOP_MS
            stop_timer = STOP_MS + 1
            continue
        frames.append((t, dt, front[1] * BLOCK + front[0], back[1] * BLOCK + back[0]))
        t += dt
        for layer, step in ((front, f32(dt * 0.1)), (back, f32(dt * 0.05))):
            layer[0] = f32(layer[0] + step)
            if layer[0] > BLOCK:
                layer[0] = 0.0
                layer[1] = (layer[1] + 1) % 5
                if layer is front:
                    wraps += 1
        if front[1] != STOP_BLOCK:
            stop_timer = 0.0
    return frames


def patches(front_pos, back_pos, front_top, back_top, back_body):
    """Patches of back row showing above the front row in one frame: (first
    column, last column, kind or None, tallest shown run, back ring column,
    top row, bottom row)."""
    found = []
    current = None
    prev = None
    for x in range(WIDTH):
        fc = math.floor(front_pos + x + 0.5) % RING
        bc = math.floor(back_pos + x + 0.5) % RING
        low = front_top[fc]
        high = back_top[bc]
        if high < low:
            body = back_body[bc] < low
            if current is not None and max(high, prev[0]) < min(low, prev[1]):
                current[1] = x
                current[2] = current[2] or body
                current[3] = max(current[3], low - high)
                current[5] = min(current[5], high)
                current[6] = max(current[6], low)
            else:
                if current is not None:
                    found.append(current)
                current = [x, x, body, low - high, bc, high, low]
            prev = (high, low)
        elif current is not None:
            found.append(current)
            current = None
    if current is not None:
        found.append(current)
    result = []
    for first, last, body, tall, bc, high, low in found:
        if not body:
            kind = "ornament"
        elif last - first + 1 < SLIVER_WIDTH:
            kind = "sliver"
        elif tall < LEDGE_HEIGHT:
            kind = "ledge"
        else:
            kind = None
        result.append((first, last, kind, tall, bc, high, low))
    return result


def faults(front_tops, back_tops, back_body, frames):
    """Tracks of wrong-reading patches that last FAULT_MS or more or stand through the halt."""
    done = []
    live = []
    for t, hold, front_pos, back_pos in frames:
        following = []
        for first, last, kind, tall, bc, high, low in patches(front_pos, back_pos, front_tops, back_tops, back_body):
            if kind is None:
                continue
            a, b = front_pos + first, front_pos + last
            track = next((tr for tr in live if tr["kind"] == kind and
                          a <= tr["b"] + LINK_SLACK and b >= tr["a"] - LINK_SLACK), None)
            if track is None:
                track = {"kind": kind, "start": t, "ms": 0.0, "tall": 0, "worst": None}
            else:
                live.remove(track)
            track.update(a=a, b=b)
            track["ms"] += hold
            if tall >= track["tall"]:
                track["tall"] = tall
                track["worst"] = (t, front_pos, back_pos, first, last, bc, high, low)
            following.append(track)
        done += live
        live = following
    done += live
    return sorted((tr for tr in done if tr["ms"] >= FAULT_MS),
                  key=lambda tr: (-tr["ms"], -tr["tall"]))


def crop(art, track, path):
    t, front_pos, back_pos, first, last, _, high, low = track["worst"]
    frame = cairo.ImageSurface(cairo.FORMAT_RGB24, WIDTH, HEIGHT)
    ctx = cairo.Context(frame)
    ctx.set_source_rgb(*SKY)
    ctx.paint()
    for pos, y0, y1, grey in ((back_pos, BACK_TOP, BACK_BOTTOM, 0.4), (front_pos, 0, HEIGHT, 1.0)):
        block = int(pos // BLOCK)
        city_strip(ctx, art, pos - block * BLOCK, block, y0, y1, grey)
    cx = (first + last) // 2
    left = min(max(cx - 80, 0), WIDTH - 160)
    top = min(max((high + low) // 2 - 50, 0), HEIGHT - 100)
    out = cairo.ImageSurface(cairo.FORMAT_RGB24, 160 * 3, 100 * 3)
    octx = cairo.Context(out)
    octx.scale(3, 3)
    octx.set_source_surface(frame, -left, -top)
    octx.get_source().set_filter(cairo.FILTER_NEAREST)
    octx.paint()
    octx.set_source_rgb(1, 0, 0)
    octx.set_line_width(0.7)
    octx.rectangle(first - left - 2, high - top - 2, last - first + 5, low - high + 4)
    octx.stroke()
    out.write_to_png(path)


def main(argv):
    hz = 60
    if len(argv) > 2 and argv[1] == "--hz":
        try:
            hz = int(argv[2])
        except ValueError:
            hz = 0
        argv = argv[:1] + argv[3:]
    if len(argv) not in (2, 3) or not 10 <= hz <= 1000:
        sys.stderr.write("usage: city_overlap.py [--hz N] ARTDIR [OUTDIR], N from 10 to 1000\n")
        return 2
    artdir = argv[1]
    try:
        tops = column_tops(artdir)
        with open(os.path.join(artdir, "santa.tga"), "rb") as f:
            santa_width = tga.decode(f.read())[0]
    except (OSError, ValueError) as error:
        sys.stderr.write("city_overlap.py: %s\n" % error)
        return 2
    front_tops = [screen_row(r, 0, HEIGHT) for r in tops]
    back_tops = [screen_row(r, BACK_TOP, BACK_BOTTOM) for r in tops]
    back_body = [screen_row(r, BACK_TOP, BACK_BOTTOM) for r in body_tops(tops)]
    frames = timeline(santa_width, hz)
    found = faults(front_tops, back_tops, back_body, frames)
    print("%d frames at %d Hz over %.1f s of scrolling and halts: %d faults lasting %.0f ms or more"
          " (ornament on a front roof, sliver under %d px, ledge under %d px)" % (
              len(frames), hz, (frames[-1][0] + frames[-1][1] - frames[0][0]) / 1000, len(found), FAULT_MS,
              SLIVER_WIDTH, LEDGE_HEIGHT))
    for i, tr in enumerate(found):
        t, front_pos, back_pos, first, last, bc, _, _ = tr["worst"]
        print("%3d %-8s %6.2f s to %6.2f s (%5.2f s)  x %3d-%3d  %2d px tall  back block %d col %3d"
              "  front block %d col %3d" % (
                  i, tr["kind"], tr["start"] / 1000, (tr["start"] + tr["ms"]) / 1000, tr["ms"] / 1000,
                  first, last, tr["tall"], bc // BLOCK, bc % BLOCK,
                  int((front_pos + first) % RING) // BLOCK, int((front_pos + first) % BLOCK)))
    if len(argv) == 3:
        os.makedirs(argv[2], exist_ok=True)
        art = Art(artdir)
        for i, tr in enumerate(found[:6]):
            crop(art, tr, os.path.join(argv[2], "overlap-%d.png" % i))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
