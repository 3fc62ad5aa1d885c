#!/usr/bin/env python3
"""The sound library's benchmark: decoder speed beside mpg123 on the same file,
the delay from unpause to the first sample played, and memory while playing.

    run_sound_bench.py WINDOWS_BUILD_DIR

Makes a 90-second and a 9-second 64 kbps test file with sox and lame, times
mpg123 decoding the long one natively, then runs decodebench and playbench
(built in the Windows tree) under Wine in a rig session with sound capture.
Prints figures only; every step is bounded in time.
"""
import os
import re
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "rig"))
import snowrig  # noqa: E402


def make_tune(folder, name, seconds):
    wav = os.path.join(folder, name + ".wav")
    mp3 = os.path.join(folder, name + ".mp3")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", str(seconds),
                    "sine", "200-2000", "sine", "330", "vol", "0.4"], check=True, timeout=120)
    subprocess.run(["lame", "--quiet", "-b", "64", "--resample", "44.1", wav, mp3], check=True,
                   timeout=300)
    return mp3


def time_mpg123(mp3, options=(), runs=5):
    best = None
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(["mpg123", "-q", "-s"] + list(options) + [mp3],
                       stdout=subprocess.DEVNULL, check=True, timeout=120)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    return best


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    build = os.path.abspath(sys.argv[1])
    os.environ["SNOWGIG_WIN_BUILD"] = build
    bench = os.path.join(build, "bench", "sound")
    with tempfile.TemporaryDirectory(prefix="soundbench-") as folder:
        long_tune = make_tune(folder, "bench90", 90)
        short_tune = make_tune(folder, "bench9", 9)
        mpg123 = time_mpg123(long_tune)
        print("mpg123:      90.0 s of sound decoded in %.4f s (best of 5, process start "
              "included): %.0f x real time" % (mpg123, 90.0 / mpg123))
        # The codec Wine ships carries its own build of the same decoder
        # library; this is mpg123 restricted to its plain C decoder (--cpu generic).
        generic = time_mpg123(long_tune, ["--cpu", "generic"])
        print("mpg123 --cpu generic: %.4f s: %.0f x real time"
              % (generic, 90.0 / generic))
        with snowrig.Rig(name="soundbench") as rig:
            code, out = rig.run([os.path.join(bench, "decodebench.exe"), "Z:" + long_tune, "5"],
                                cwd=bench, timeout=300)
            sys.stdout.write(out.replace("\r\n", "\n"))
            m = re.search(r"in ([0-9.]+) s", out)
            if m:
                ours = float(m.group(1))
                print("decoder speed against mpg123: %.2f (1.0 = as fast, goal >= 0.5); "
                      "against its plain C decoder: %.2f" % (mpg123 / ours, generic / ours))
            m = re.search(r"codec alone on the same frames: ([0-9.]+) s", out)
            if m:
                codec = float(m.group(1))
                print("the system codec alone against mpg123: %.2f; the library's own share of "
                      "the decoding time: %.0f%%" % (mpg123 / codec, 100.0 * (ours - codec) / ours))
            for tune in (long_tune, short_tune):
                print("playbench on %s:" % os.path.basename(tune))
                code, out = rig.run([os.path.join(bench, "playbench.exe"), "Z:" + tune,
                                     rig.sound_path, "5"], cwd=bench, timeout=120)
                sys.stdout.write(out.replace("\r\n", "\n"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
