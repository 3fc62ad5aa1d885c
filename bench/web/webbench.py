#!/usr/bin/env python3
"""The web page in Debian's Chromium beside the Linux program, in one run on
this machine: frames per second of the show at 640 x 480 and 1024 x 768 (the
page in the browser's own frame rhythm, and with the frame-rate cap lifted;
the native fps benchmark beside it), OK to the first frame, the share of the
page's thread spent decoding and queueing the music, the memory each run
of the show ended by Escape leaves behind, and the download's files, raw and
compressed with gzip.

    python3 bench/web/webbench.py NATIVE_TREE WEB_DIST [SECONDS] [--memory-only]
                                  [--baseline OTHER_DIST]

--baseline measures the memory per run of another build of the page beside
WEB_DIST's, in the same run; --memory-only measures nothing else.
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
READY = "!document.getElementById('setup').hidden && !document.getElementById('ok').disabled"
RESTARTS = 8


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


def slope(values):
    """The least-squares growth of values per step."""
    n = len(values)
    mean_x, mean_y = (n - 1) / 2.0, sum(values) / n
    return (sum((x - mean_x) * (y - mean_y) for x, y in enumerate(values)) /
            sum((x - mean_x) ** 2 for x in range(n)))


def restart_memory(dist, restarts=RESTARTS):
    """What each run of the show (OK, then Escape back to the form: every
    other run in the silent start delay, the others three seconds in, with
    the music playing) leaves behind, measured at the form after forced
    garbage collection:
    MB per run of the renderer's and of the GPU process's proportional set
    size and of the page's JavaScript heap, and the WebAssembly memories the
    page holds at the end (1: the waiting run's own)."""
    with snowrig.Rig(screen="1280x1024", name="memory-web", web=True, clocked_sound=True) as rig:
        page = rig.open(rig.serve(dist))
        samples = []
        for run in range(1, restarts + 2):
            page.wait(READY + " && snowgigPage.record.runs == %d" % run, 60)
            if run > 1:
                for _ in range(3):
                    page.cdp("HeapProfiler.collectGarbage")
                time.sleep(1)
                memory = page.process_memory()
                samples.append((memory["renderer"], memory["gpu"],
                                page.cdp("Runtime.getHeapUsage")["usedSize"]))
            if run > restarts:
                break
            rig.click("Setup", 1004)
            rig.click("Setup", 1)
            page.wait("snowgigPage.record.firstFrame > 0", 60)
            time.sleep(3 if run % 2 else 0.5)
            rig.key("Escape")
        held = page.objects("Memory")["Memory"]
    per_run = [slope([sample[i] for sample in samples]) / 1e6 for i in range(3)]
    return per_run + [held]


def print_restart_memory(dist, baseline):
    print("memory each run of the show leaves behind (%d runs ended by Escape, MB a run "
          "after forced GC):" % RESTARTS)
    for name, folder in ([("baseline", baseline)] if baseline else []) + [("page", dist)]:
        renderer, gpu, heap, held = restart_memory(folder)
        print("  %-8s  renderer %6.2f   GPU process %6.2f   JS heap %5.2f   "
              "WebAssembly memories held %d" % (name, renderer, gpu, heap, held))


def main():
    args = sys.argv[1:]
    memory_only = "--memory-only" in args
    if memory_only:
        args.remove("--memory-only")
    baseline = None
    if "--baseline" in args:
        at = args.index("--baseline")
        baseline = os.path.abspath(args[at + 1])
        del args[at:at + 2]
    native_tree, dist = os.path.abspath(args[0]), os.path.abspath(args[1])
    seconds = int(args[2]) if len(args) > 2 else 10
    print_restart_memory(dist, baseline)
    if memory_only:
        return
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
        # The link preview's picture is fetched by the sites that show the
        # link, not by a visit.
        if name != "preview.png":
            total += len(data)
            total_gzip += packed
        print("  %-20s %9d bytes, %9d with gzip" % (name, len(data), packed))
    print("  %-20s %9d bytes, %9d with gzip" % ("all but preview.png", total, total_gzip))


if __name__ == "__main__":
    main()
