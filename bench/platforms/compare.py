#!/usr/bin/env python3
"""The Linux program beside the Windows one under Wine, in one run on this
machine: frames per second of the scene (and of a bare clear-and-swap loop) at
640 x 480 and 1024 x 768, then OK to the first frame and peak memory of the real
programs, and the dropouts in their music (runs of silence of 2 ms or more).
Native and Wine runs alternate, so both see the same machine load.

    python3 bench/platforms/compare.py NATIVE_TREE WINDOWS_TREE [SECONDS] [RUNS]
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(os.path.dirname(HERE))
sys.path[:0] = [os.path.join(TOP, "tests", "rig"), os.path.join(TOP, "tests", "e2e"),
                os.path.join(TOP, "bench", "startup")]

import snowrig  # noqa: E402
import startup  # noqa: E402

FPS = re.compile(r"scene (\d+) fps, bare clear-and-swap (\d+) fps")


def fps(native, program, pack, size, seconds):
    """(scene fps, bare fps) of one fps benchmark run at size (w, h)."""
    with snowrig.Rig(screen="1280x1024", capture_sound=False, native=native,
                     name="fps-native" if native else "fps-wine") as rig:
        code, out = rig.run([program, str(size[0]), str(size[1]), str(seconds), pack],
                            cwd=os.path.dirname(program), timeout=seconds * 2 + 90)
    found = FPS.search(out)
    if code != 0 or not found:
        raise SystemExit("%s failed (%d): %s" % (program, code, out))
    return int(found.group(1)), int(found.group(2))


def main():
    native_tree, windows_tree = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    seconds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 2
    os.environ["SNOWGIG_WIN_BUILD"] = windows_tree
    os.environ["SNOWGIG_DIST"] = os.path.join(windows_tree, "dist")
    os.environ["SNOWGIG_NATIVE_DIST"] = os.path.join(native_tree, "dist")
    pack = os.path.join(native_tree, "data", "snowgig.dat")
    programs = {True: os.path.join(native_tree, "bench", "show", "show_native_fps"),
                False: os.path.join(windows_tree, "bench", "show", "show_wine_fps.exe")}

    print("frames per second (llvmpipe on both; scene / bare clear-and-swap):")
    for size in ((640, 480), (1024, 768)):
        figures = {native: fps(native, programs[native], pack, size, seconds)
                   for native in (True, False)}
        (ns, nb), (ws, wb) = figures[True], figures[False]
        print("  %4dx%-4d  native %5d / %5d   Wine %5d / %5d   native/Wine scene %.2f"
              % (size + (ns, nb, ws, wb, ns / ws if ws else 0.0)))

    print("OK to the first frame, peak memory, dropouts in the music "
          "(640 x 480 full screen, %d runs each):" % runs)
    for native in (True, False):
        results = startup.measure(native, runs)
        times = sorted(r[0] for r in results)
        print("  %-6s  median OK to first frame %.2f s, peak memory %.1f MiB, "
              "dropouts %s in %.0f s of music each"
              % ("native" if native else "Wine", times[len(times) // 2],
                 max(r[1] for r in results) / 1024, "/".join(str(r[2]) for r in results),
                 min(r[3] for r in results)))

if __name__ == "__main__":
    main()
