#!/usr/bin/env python3
"""The Linux program's music on a private PulseAudio server whose null sink
plays on the wall clock: dropouts per ten minutes of the show, idle and beside
two busy processes, and with the whole program stopped for 250 ms every 3 s
(every thread of it held up at once), through PulseAudio's own library (as
shipped) and through SDL audio (SNOWGIG_SOUND_OUTPUT=sdl), in one run; and the
time from OK to the tune (loading, then the 2 s start delay). Prints figures
only; every run is bounded in time.

    run_linux_dropout_bench.py NATIVE_DIST [SECONDS]
"""
import contextlib
import os
import signal
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.join(HERE, "..", "..", "..")
sys.path.insert(0, os.path.join(TOP, "tests", "rig"))
sys.path.insert(0, os.path.join(TOP, "tests", "e2e"))
import snowrig  # noqa: E402
from dropouts import find_dropouts  # noqa: E402
from demo import TITLE, accept_setup, busy_processes, copy_dist  # noqa: E402

OUTPUTS = (("PulseAudio's library", None), ("SDL audio", "sdl"))


@contextlib.contextmanager
def held_every(pid, every, hold):
    """Stops the process `pid` for `hold` seconds every `every` seconds while
    the block runs (pid None: does nothing)."""
    done = threading.Event()

    def holder():
        while pid and not done.wait(every):
            with contextlib.suppress(OSError):
                os.kill(pid, signal.SIGSTOP)
                time.sleep(hold)
                os.kill(pid, signal.SIGCONT)

    thread = threading.Thread(target=holder)
    thread.start()
    try:
        yield
    finally:
        done.set()
        thread.join()
        if pid:
            with contextlib.suppress(OSError):
                os.kill(pid, signal.SIGCONT)


def play(seconds, load, output):
    """(dropouts, seconds of capture judged, seconds from OK to the tune)."""
    busy = 2 if load == "2 busy" else 0
    with snowrig.Rig(screen="640x480", clocked_sound=True, name="linux-dropouts",
                     native=True) as rig, busy_processes(busy):
        if output:
            rig.env["SNOWGIG_SOUND_OUTPUT"] = output
        folder = copy_dist(rig)
        proc = rig.start([os.path.join(folder, "snowgig")], cwd=folder)
        rig.wait_window("Setup", 60)
        pressed = time.time()
        accept_setup(rig)
        rig.wait_window(TITLE, 60)
        time.sleep(5)
        with held_every(proc.popen.pid if load == "held" else None, 3.0, 0.25):
            time.sleep(seconds)
        raw = rig.sound_bytes()[rig.sound_offset(pressed):]
        rig.foreground(TITLE)
        rig.key("Escape")
        proc.wait(30)
    levels = snowrig.sound_levels(raw, window_seconds=0.01)
    first = next((i for i, v in enumerate(levels) if v > 64), None)
    if first is None:
        return None, 0.0, None
    playing = raw[first * 441 * 4:]
    return find_dropouts(playing), len(playing) / (44100 * 4.0), first * 0.01


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__)
        return 2
    os.environ["SNOWGIG_NATIVE_DIST"] = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) == 3 else 60.0
    print("%-22s %-7s %10s %10s %12s %10s" % ("output", "load", "dropouts", "per 10 min",
                                           "longest ms", "OK->tune s"))
    for label, output in OUTPUTS:
        for load in ("idle", "2 busy", "held"):
            found, judged, tune = play(seconds, load, output)
            if found is None:
                print("%-22s %-7s  the tune was never heard" % (label, load))
                continue
            longest = max((length for _, length in found), default=0.0) * 1000
            print("%-22s %-7s %10d %10.1f %12.1f %10.2f"
                  % (label, load, len(found), len(found) * 600.0 / judged, longest, tune),
                  flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
