#!/usr/bin/env python3
"""The long run, outside the default tests: the show at 1024 x 768 full screen
for ten minutes (SNOWGIG_SOAK_SECONDS to change), optionally beside busy
processes (SNOWGIG_SOAK_BUSY, how many), checking that it keeps
running, that its memory stays steady and that the sound never drops out.

    SNOWGIG_DIST=build/windows/dist SNOWGIG_WIN_BUILD=build/windows \
        PYTHONPATH=tests/rig python3 tests/e2e/soak.py
"""
import os
import time

import snowrig
from dropouts import describe, find_dropouts
from demo import TITLE, accept_setup, busy_processes, copy_dist, expect, start_demo

BYTES_PER_SECOND = 44100 * 4


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def play_show(seconds, busy=0, sound_output=None, pulse_latency=None, every=10):
    """The show at 1024 x 768 full screen for `seconds`, with `busy` spinning
    processes beside it. Returns (capture while playing, seconds it covers,
    [(seconds into the show, VmRSS in KiB)], seconds into the show where the
    capture begins). sound_output and pulse_latency set the library's output
    and PulseAudio's latency for this run (None: as shipped)."""
    with snowrig.Rig(desktop="1024x768", clocked_sound=True, name="soak") as rig, \
            busy_processes(busy):
        if sound_output:
            rig.env["SNOWGIG_SOUND_OUTPUT"] = sound_output
        if pulse_latency is not None:
            rig.env.pop("PULSE_LATENCY_MSEC", None)
            if pulse_latency:
                rig.env["PULSE_LATENCY_MSEC"] = str(pulse_latency)
        folder = copy_dist(rig)
        proc = start_demo(rig, folder)
        rig.wait_window("Setup", 60)
        _, entries = rig.combo("Setup", 1002)
        rig.select("Setup", 1002, entries.index("1024 x 768 x 32 bpp"))
        accept_setup(rig)
        rig.wait_window(TITLE, 90)
        start = time.time()
        time.sleep(5)  # past the start delay and into the logo
        first_sample = time.time()
        samples = []
        while time.time() - start < seconds:
            time.sleep(min(every, max(0.1, seconds - (time.time() - start))))
            expect(proc.running(), "the demo stopped after %.0f s" % (time.time() - start))
            samples.append((time.time() - start, rss_kib(proc.popen.pid)))
            print("%6.0f s  rss %d KiB" % samples[-1], flush=True)
        last_sample = time.time() - 1.0
        raw = rig.sound_bytes()[rig.sound_offset(first_sample):rig.sound_offset(last_sample)]
        rig.key("Escape")
        expect(proc.wait(60) == 0, "exit status after Escape")
    return raw, last_sample - first_sample, samples, first_sample - start


def main():
    seconds = float(os.environ.get("SNOWGIG_SOAK_SECONDS", "600"))
    busy = int(os.environ.get("SNOWGIG_SOAK_BUSY", "0"))
    print("soak: %.0f s at 1024 x 768 full screen, %d busy processes beside it" % (seconds, busy))
    raw, played, samples, offset = play_show(seconds, busy)

    settled = [r for t, r in samples if t > 60] or [r for _, r in samples]
    growth = max(settled) - min(settled)
    print("memory: %d KiB to %d KiB after the first minute (growth %d KiB)"
          % (min(settled), max(settled), growth))
    expect(growth < 8 * 1024, "memory grew by %d KiB" % growth)
    # The capture runs on the wall clock, so a buffer the library delivered late
    # shows up as a stretch of digital silence in the tune.
    got = len(raw) / BYTES_PER_SECOND
    print("sound: %.1f s recorded over %.1f s of playing" % (got, played))
    expect(got > 0.98 * played, "the recording lost %.1f s" % (played - got))
    dropouts = find_dropouts(raw)
    print("sound: %s" % describe(dropouts, offset=offset))
    expect(not dropouts, "the sound dropped out %d times" % len(dropouts))
    print("soak: passed")


if __name__ == "__main__":
    main()
