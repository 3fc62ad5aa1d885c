#!/usr/bin/python3
"""icon_test.py ICON_DIR SIZE...

The built snowgig.ico as Windows reads it: one entry for every size, each
entry decoded by ImageMagick (an independent decoder) has exactly the pixels
of the PNG of the same size, and every bitmap entry's transparency mask is set
where, and only where, the picture is fully transparent (what a reader that
ignores the alpha channel goes by)."""

import os
import struct
import subprocess
import sys


def rgba(path):
    return subprocess.run(["convert", path, "-depth", "8", "rgba:-"], check=True,
                          capture_output=True, timeout=60).stdout


def entries(ico):
    reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
    if (reserved, kind) != (0, 1):
        raise AssertionError("not an icon file: reserved %d, type %d" % (reserved, kind))
    found = {}
    for i in range(count):
        w, h, _, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        if offset + size > len(ico):
            raise AssertionError("entry %d runs past the end of the file" % i)
        side = w or 256
        found[side] = (i, h or 256, planes, bits, ico[offset:offset + size])
    return found


def mask_faults(data, side, pixels):
    """Pixels whose mask bit disagrees with their alpha (rows stored bottom-up)."""
    header_size, width, height = struct.unpack_from("<Iii", data, 0)
    if (width, height) != (side, 2 * side):
        return ["bitmap %d x %d, want %d x %d" % (width, height, side, 2 * side)]
    stride = (side + 31) // 32 * 4
    mask = data[header_size + side * side * 4:]
    if len(mask) != stride * side:
        return ["mask of %d bytes, want %d" % (len(mask), stride * side)]
    faults = []
    for y in range(side):
        row = mask[(side - 1 - y) * stride:]
        for x in range(side):
            transparent = bool(row[x // 8] & (0x80 >> (x % 8)))
            if transparent != (pixels[(y * side + x) * 4 + 3] == 0):
                faults.append("(%d, %d)" % (x, y))
    return faults


def main(argv):
    icon_dir, sizes = argv[1], [int(s) for s in argv[2:]]
    path = os.path.join(icon_dir, "snowgig.ico")
    with open(path, "rb") as f:
        found = entries(f.read())
    failures = []
    extra = sorted(set(found) - set(sizes))
    if extra:
        failures.append("entries of sizes nobody asked for: %s" % extra)
    for side in sizes:
        if side not in found:
            failures.append("%d px: no entry" % side)
            continue
        index, height, planes, bits, data = found[side]
        if (height, planes, bits) != (side, 1, 32):
            failures.append("%d px: directory says height %d, %d planes, %d bits"
                            % (side, height, planes, bits))
        want = rgba(os.path.join(icon_dir, "snowgig-%d.png" % side))
        got = rgba("%s[%d]" % (path, index))
        if got != want:
            differ = sum(got[i:i + 4] != want[i:i + 4] for i in range(0, min(len(got), len(want)), 4))
            failures.append("%d px: %d pixels differ from the PNG" % (side, differ))
        is_png = data.startswith(b"\x89PNG")
        if is_png != (side >= 256):
            failures.append("%d px: stored as %s" % (side, "PNG" if is_png else "bitmap"))
        if not is_png:
            faults = mask_faults(data, side, want)
            if faults:
                failures.append("%d px: mask wrong at %d pixels, first %s"
                                % (side, len(faults), faults[0]))
        print("%4d px: %s, %d bytes" % (side, "PNG" if is_png else "bitmap and mask", len(data)))
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
