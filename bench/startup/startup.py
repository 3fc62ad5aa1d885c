#!/usr/bin/env python3
"""Prints how long the real program takes from pressing OK in the Setup dialog
to its first frame on screen, its peak memory while the show runs, and the
dropouts in its music (runs of silence of 2 ms or more, heard through a
PulseAudio null sink that runs on the wall clock).

    SNOWGIG_DIST=build/windows/dist SNOWGIG_WIN_BUILD=build/windows \
        PYTHONPATH=tests/rig:tests/e2e python3 bench/startup/startup.py [RUNS]

With --native (and SNOWGIG_NATIVE_DIST=build/native/dist) the Linux program,
on a plain 640 x 480 X screen (its one mode, the preselected one).
"""
import os
import sys
import time

import snowrig
from demo import NATIVE, SKY, TITLE, colour_share, copy_dist, start_demo
from dropouts import find_dropouts


def peak_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def one_run(rig, folder):
    proc = start_demo(rig, folder)
    rig.wait_window("Setup", 60)
    rig.foreground("Setup")
    pressed = time.time()
    rig.key("Return")
    rig.wait_window(TITLE, 90)
    crop = None
    while time.time() - pressed < 60:
        shot = rig.screenshot(os.path.join(rig.dir, "first.png"))
        crop = crop or rig.desktop_crop()
        if colour_share(snowrig.image_histogram(shot, crop), SKY) > 0.99:
            break
    first_frame = time.time() - pressed
    time.sleep(15)  # into the scene, music playing
    peak = peak_kib(proc.popen.pid)
    # From a second after the unpause (two seconds after the first frame).
    heard_from = pressed + first_frame + 3.0
    heard_to = time.time() - 0.2
    music = rig.sound_bytes()[rig.sound_offset(heard_from):rig.sound_offset(heard_to)]
    gaps = len(find_dropouts(music))
    if rig.native:
        rig.foreground(TITLE)
    rig.key("Escape")
    proc.wait(30)
    return first_frame, peak, gaps, heard_to - heard_from


def measure(native, runs):
    """[(seconds from OK to the first frame, peak memory in KiB, dropouts, seconds of
    music listened to)] of several runs."""
    if native:
        rig = snowrig.Rig(screen="640x480", clocked_sound=True, name="startup-native",
                          native=True)
    else:
        rig = snowrig.Rig(desktop="1024x768", clocked_sound=True, name="startup")
    with rig:
        folder = copy_dist(rig)
        return [one_run(rig, folder) for _ in range(runs)]


def main():
    numbers = [a for a in sys.argv[1:] if a.isdigit()]
    runs = int(numbers[0]) if numbers else 3
    results = measure(NATIVE, runs)
    for i, (t, peak, gaps, heard) in enumerate(results):
        print("run %d: OK to first frame %.2f s, peak memory %.1f MiB, %d dropouts in %.0f s "
              "of music" % (i, t, peak / 1024, gaps, heard))
    times = sorted(r[0] for r in results)
    print("median OK to first frame: %.2f s (includes the rig's screenshot polling, ~0.1 s)"
          % times[len(times) // 2])
    print("peak memory: %.1f MiB" % (max(r[1] for r in results) / 1024))

if __name__ == "__main__":
    main()
