#!/usr/bin/env python3
"""The dropout counter on made-up captures: each case is a list of pieces
(sound or zero frames, counts) and the dropouts it must report, in frames."""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from dropouts import find_dropouts  # noqa: E402

RATE = 44100


def sound(frames):
    return ("sound", frames)


def zeros(frames):
    return ("zeros", frames)


def capture(pieces):
    out = bytearray()
    for kind, frames in pieces:
        if kind == "sound":
            out += struct.pack("<hh", 1200, -900) * frames
        elif kind == "zeros":
            out += bytes(4 * frames)
        elif kind == "left-zero":  # one channel at zero, the other not
            out += struct.pack("<hh", 0, 5) * frames
        elif kind == "raw":
            out += frames
    return bytes(out)


CASES = [
    # name, pieces, [(start frame, length in frames)]
    ("leading silence is the lead-in, not a dropout",
     [zeros(44100), sound(1000)], []),
    ("88 frames are under 2 ms",
     [sound(500), zeros(88), sound(500)], []),
    ("89 frames are 2 ms",
     [sound(500), zeros(89), sound(500)], [(500, 89)]),
    ("every dropout is counted, not only the longest",
     [sound(100), zeros(200), sound(100), zeros(90), sound(100), zeros(4410), sound(10)],
     [(100, 200), (400, 90), (590, 4410)]),
    ("a run still going at the end counts",
     [sound(100), zeros(300)], [(100, 300)]),
    ("one channel at zero is still sound",
     [sound(100), ("left-zero", 1000), sound(100)], []),
    # A zero byte pair either side of the run must not lengthen it: the frames
    # 0x0000,0x0001 and 0x0100,0x0000 hold zero bytes but are not silent.
    ("zero bytes of neighbouring frames do not join the run",
     [sound(10), ("raw", b"\x05\x00\x00\x00"), zeros(88), ("raw", b"\x00\x00\x00\x05"),
      sound(10)], []),
    ("a trailing half frame is ignored",
     [sound(10), zeros(100), ("raw", b"\x00\x00")], [(10, 100)]),
    ("all silence has no music and no dropout", [zeros(10000)], []),
    ("empty", [], []),
]


def main():
    failed = 0
    for name, pieces, want in CASES:
        got = find_dropouts(capture(pieces))
        want_s = [(start / RATE, length / RATE) for start, length in want]
        ok = len(got) == len(want_s) and all(
            abs(a - c) < 1e-9 and abs(b - d) < 1e-9 for (a, b), (c, d) in zip(got, want_s))
        print("%s %s" % ("ok" if ok else "FAILED", name))
        if not ok:
            print("  got %r\n  want %r" % (got, want_s))
            failed += 1
    print("dropouts: %d passed, %d failed" % (len(CASES) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
