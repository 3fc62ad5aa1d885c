#!/usr/bin/env python3
"""The sound library's benchmark: decoder speed beside mpg123 on the same file,
the CPU the whole sound path takes while playing, the delay from unpause to the
first sample played, and memory while playing.

    run_sound_bench.py WINDOWS_BUILD_DIR [EARLIER_WINDOWS_BUILD_DIR]

Makes a 90-second and a 9-second 64 kbps test file with sox and lame, times
mpg123 decoding the long one natively, then runs decodebench, feedtrace and
playbench (built in the Windows tree) under Wine in rig sessions with sound
capture. Given an earlier build (another checkout's tree), its decodebench and
feedtrace run beside this build's on the same files in the same run, so that
the figures compare. Prints figures only; every step is bounded in time.
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


def decode_figures(rig, bench, tune, label):
    """Runs one build's decodebench; returns its seconds for the library's path."""
    code, out = rig.run([os.path.join(bench, "decodebench.exe"), "Z:" + tune, "5"],
                        cwd=bench, timeout=300)
    for line in out.replace("\r\n", "\n").splitlines():
        print("%s: %s" % (label, line))
    m = re.search(r"decoded in ([0-9.]+) s", out)
    if not m:
        print("%s: decodebench failed (%d)" % (label, code))
    return float(m.group(1)) if m else None, out


def sound_path_cpu(bench, tune, label, seconds=20):
    """The whole sound path's CPU while playing (a sound-only program, WASAPI)."""
    with snowrig.Rig(clocked_sound=True, name="soundbench-cpu") as rig:
        rig.env["SNOWGIG_SOUND_OUTPUT"] = "wasapi"
        proc = rig.start([os.path.join(bench, "feedtrace.exe"), "Z:" + tune, str(seconds),
                          "Z:" + os.path.join(rig.dir, "trace.csv")], cwd=bench)
        proc.wait(seconds + 60)
        out = proc.output().replace("\r\n", "\n")
    m = re.search(r"process CPU .*: ([0-9.]+)% of one core", out)
    output = re.search(r"feedtrace: output (\S+)", out)
    print("%s: sound path CPU while playing %d s through %s: %s%% of one core"
          % (label, seconds, output.group(1) if output else "?", m.group(1) if m else "?"),
          flush=True)


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__)
        return 2
    build = os.path.abspath(sys.argv[1])
    builds = [("this build", os.path.join(build, "bench", "sound"))]
    if len(sys.argv) == 3:
        builds.append(("earlier build", os.path.join(os.path.abspath(sys.argv[2]), "bench",
                                                     "sound")))
    os.environ["SNOWGIG_WIN_BUILD"] = build
    bench = builds[0][1]
    with tempfile.TemporaryDirectory(prefix="soundbench-") as folder:
        long_tune = make_tune(folder, "bench90", 90)
        short_tune = make_tune(folder, "bench9", 9)
        mpg123 = time_mpg123(long_tune)
        print("mpg123:      90.0 s of sound decoded in %.4f s (best of 5, process start "
              "included): %.0f x real time" % (mpg123, 90.0 / mpg123))
        generic = time_mpg123(long_tune, ["--cpu", "generic"])
        print("mpg123 --cpu generic: %.4f s: %.0f x real time"
              % (generic, 90.0 / generic))
        with snowrig.Rig(name="soundbench") as rig:
            for label, folder_of_build in builds:
                ours, out = decode_figures(rig, folder_of_build, long_tune, label)
                if not ours:
                    continue
                print("%s: decoder speed against mpg123: %.2f (1.0 = as fast, goal >= 0.5); "
                      "against its plain C decoder: %.2f" % (label, mpg123 / ours, generic / ours))
                # "The decoder alone" (an earlier build: "the system codec alone").
                m = re.search(r"alone on the same frames: ([0-9.]+) s", out)
                if m:
                    alone = float(m.group(1))
                    print("%s: the decoder alone against mpg123: %.2f; the library's own share "
                          "of the decoding time: %.0f%%"
                          % (label, mpg123 / alone, 100.0 * (ours - alone) / ours))
            for tune in (long_tune, short_tune):
                print("playbench on %s:" % os.path.basename(tune))
                code, out = rig.run([os.path.join(bench, "playbench.exe"), "Z:" + tune,
                                     rig.sound_path, "5"], cwd=bench, timeout=120)
                sys.stdout.write(out.replace("\r\n", "\n"))
        for label, folder_of_build in builds:
            sound_path_cpu(folder_of_build, long_tune, label)
    return 0


if __name__ == "__main__":
    sys.exit(main())
