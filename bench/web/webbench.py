#!/usr/bin/env python3
"""The web page in Debian's Chromium beside the Linux program, in one run on
this machine: frames per second of the show at 640 x 480 and 1024 x 768 (the
page in the browser's own frame rhythm, and with the frame-rate cap lifted;
the native fps benchmark beside it), OK to the first frame, the share of the
page's thread spent decoding and queueing the music, and the download's
files, raw and compressed with gzip.

    python3 bench/web/webbench.py NATIVE_TREE WEB_DIST [SECONDS]
"""
import gzip
import os
import re
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(os.path.dirname(HERE))
sys.path[:0] = [os.path.join(TOP, "tests", "rig"), os.path.join(TOP, "tests", "e2e")]

import snowrig  # noqa: E402

SIZES = ((640, 480), (1024, 768))
ENTRY = {(640, 480): "640 x 480 x 32 bpp", (1024, 768): "1024 x 768 x 32 bpp"}
UNCAPPED = "--disable-gpu-vsync --disable-frame-rate-limit"
FPS = re.compile(r"scene (\d+) fps")


def native_fps(native_tree, size, seconds):
    program = os.path.join(native_tree, "bench", "show", "show_native_fps")
    pack = os.path.join(native_tree, "data", "snowgig.dat")
    with snowrig.Rig(screen="1280x1024", capture_sound=False, native=True,
                     name="fps-native") as rig:
        code, out = rig.run([program, str(size[0]), str(size[1]), str(seconds), pack],
                            cwd=os.path.dirname(program), timeout=seconds * 2 + 90)
    found = FPS.search(out)
    return int(found.group(1)) if code == 0 and found else None


def page_run(dist, size, seconds, chromium_args=""):
    """(frames a second, OK to first frame in s, share of the page's time spent
    feeding the music) of one windowed run of the page at size."""
    with snowrig.Rig(screen="1280x1024", name="fps-web", web=True, clocked_sound=True) as rig:
        page = rig.open(rig.serve(dist), chromium_args=chromium_args.split())
        rig.wait_window("Setup", 60)
        _, entries = rig.combo("Setup", 1002)
        rig.select("Setup", 1002, entries.index(ENTRY[size]))
        rig.click("Setup", 1004)
        rig.click("Setup", 1)
        page.wait("snowgigPage.record.firstFrame > 0", 60)
        first = page.eval("(snowgigPage.record.firstFrame - snowgigPage.record.ok) / 1000")
        time.sleep(3)  # the music is playing from here
        probe = ("[snowgigPage.record.frames, performance.now(), "
                 "snowgigPage.sound().feedMilliseconds]")
        frames0, t0, fed0 = page.eval(probe)
        time.sleep(seconds)
        frames1, t1, fed1 = page.eval(probe)
    return (frames1 - frames0) * 1000.0 / (t1 - t0), first, (fed1 - fed0) / (t1 - t0)


def main():
    native_tree, dist = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    seconds = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    print("frames per second (Chromium: WebGL on SwiftShader; native: llvmpipe):")
    for size in SIZES:
        web, first, fed = page_run(dist, size, seconds)
        uncapped, _, _ = page_run(dist, size, seconds, UNCAPPED)
        native = native_fps(native_tree, size, seconds)
        print("  %4dx%-4d  page %5.1f (uncapped %5.1f)   native %s   OK to first frame %.2f s"
              "   music feed %.2f%% of the page's thread"
              % (size + (web, uncapped, native, first, 100 * fed)))
    print("download:")
    total = total_gzip = 0
    for name in sorted(os.listdir(dist)):
        with open(os.path.join(dist, name), "rb") as f:
            data = f.read()
        packed = len(gzip.compress(data, 9))
        total += len(data)
        total_gzip += packed
        print("  %-13s %9d bytes, %9d with gzip" % (name, len(data), packed))
    print("  %-13s %9d bytes, %9d with gzip" % ("all", total, total_gzip))


if __name__ == "__main__":
    main()
