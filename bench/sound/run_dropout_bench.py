#!/usr/bin/env python3
"""Unbroken music, old output beside new, in one run: dropouts of the show at
1024 x 768 full screen, idle and beside two busy processes, for the wave
output and the shared-engine output, each with PulseAudio fed as shipped and
with Wine's own 30 ms; then each output with every thread of the process held
up in turn for 250 ms; the CPU the sound path takes; the unpause delay.

    run_dropout_bench.py WINDOWS_BUILD_DIR [SECONDS_PER_SHOW_RUN]

The show runs are SECONDS_PER_SHOW_RUN long (default 120) and their counts
are scaled to ten minutes. Prints figures only; every step is bounded.
The machine is shared, so "idle" means no load of ours: compare the columns
of one run, not figures of different runs.
"""
import os
import re
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.join(HERE, "..", "..")
sys.path.insert(0, os.path.join(TOP, "tests", "rig"))
sys.path.insert(0, os.path.join(TOP, "tests", "e2e"))
import snowrig  # noqa: E402
import winedriver  # noqa: E402
from dropouts import find_dropouts  # noqa: E402
from soak import play_show  # noqa: E402

OUTPUTS = ("waveout", "wasapi")
# PulseAudio's target as shipped, and Wine's own (the variable unset).
LATENCIES = ((winedriver.PULSE_LATENCY_MSEC + " ms", None), ("Wine's 30 ms", ""))


def make_tune(folder, seconds):
    wav = os.path.join(folder, "tone.wav")
    mp3 = os.path.join(folder, "tone.mp3")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", str(seconds),
                    "sine", "200-2000", "sine", "330", "vol", "0.4"], check=True, timeout=120)
    subprocess.run(["lame", "--quiet", "-b", "64", "--resample", "44.1", wav, mp3], check=True,
                   timeout=300)
    return mp3


def load():
    return "load average %.1f" % os.getloadavg()[0]


def show_runs(seconds):
    print("== the show at 1024 x 768 full screen, %.0f s a run, counts scaled to 10 min" % seconds)
    print("%-14s %-6s %-8s %9s %12s %10s" % ("PulseAudio", "load", "output", "dropouts",
                                              "per 10 min", "longest"))
    for label, latency in LATENCIES:
        for busy in (0, 2):
            for output in OUTPUTS:
                raw, played, _, _ = play_show(seconds, busy=busy, sound_output=output,
                                              pulse_latency=latency, every=seconds)
                found = find_dropouts(raw)
                longest = max((n for _, n in found), default=0.0)
                print("%-14s %-6s %-8s %9d %12.1f %8.0f ms   (%.0f s played, %s)"
                      % (label, "busy 2" if busy else "idle", output, len(found),
                         len(found) * 600.0 / played, longest * 1000, played, load()),
                      flush=True)


def feedtrace(rig, bench, tune, output, seconds, hold=None, on_running=None):
    """Runs feedtrace in the rig; returns (output text, dropouts with wall times)."""
    rig.env["SNOWGIG_SOUND_OUTPUT"] = output
    trace = os.path.join(rig.dir, "trace-%s.csv" % output)
    args = [os.path.join(bench, "feedtrace.exe"), "Z:" + tune, str(seconds), "Z:" + trace]
    if hold:
        args += [str(hold[0]), str(hold[1])]
    proc = rig.start(args, cwd=bench)
    if on_running:
        on_running(proc)
    proc.wait(seconds + 60)
    out = proc.output().replace("\r\n", "\n")
    t0 = float(re.search(r"time 0 is ([0-9.]+)", out).group(1))
    start = float(re.search(r"playing from ([0-9.]+)", out).group(1))
    raw = rig.sound_bytes()[rig.sound_offset(t0 + start):rig.sound_offset(t0 + start + seconds - 0.2)]
    return out, [(start + at, n) for at, n in find_dropouts(raw)]


def thread_holds(bench, tune):
    print("== every thread of the process held up in turn for 250 ms (a sound-only program)")
    for label, latency in LATENCIES:
        for output in OUTPUTS:
            with snowrig.Rig(clocked_sound=True, name="holds") as rig:
                rig.env.pop("PULSE_LATENCY_MSEC", None)
                if latency is None:
                    rig.env["PULSE_LATENCY_MSEC"] = winedriver.PULSE_LATENCY_MSEC
                out, found = feedtrace(rig, bench, tune, output, 16, hold=(250, 2))
            holds = re.findall(r"held thread \d+ \((.*?)\) from ([0-9.]+) s", out)
            verdicts = []
            for name, at in holds:
                at = float(at)
                hit = [n for s, n in found if at - 0.05 <= s <= at + 0.5]
                verdicts.append("%s: %s" % (name, "%.0f ms gap" % (max(hit) * 1000) if hit
                                            else "no gap"))
            print("%-14s %-8s %s" % (label, output, "; ".join(verdicts)), flush=True)


def thread_cpu(pid):
    """{thread name: CPU seconds} of a process."""
    ticks = os.sysconf("SC_CLK_TCK")
    cpu = {}
    for tid in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/comm" % (pid, tid)) as f:
                name = f.read().strip()
            with open("/proc/%d/task/%s/stat" % (pid, tid)) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            cpu[name] = cpu.get(name, 0.0) + (int(fields[11]) + int(fields[12])) / ticks
        except (OSError, IndexError, ValueError):
            pass
    return cpu


def sound_cpu(bench, tune):
    print("== CPU of the sound path: a sound-only program playing 30 s, idle")
    for output in OUTPUTS:
        with snowrig.Rig(clocked_sound=True, name="soundcpu") as rig:
            seen = {}

            def sample(proc):
                time.sleep(10)
                first = thread_cpu(proc.popen.pid)
                time.sleep(20)
                last = thread_cpu(proc.popen.pid)
                seen.update({k: (last[k] - first.get(k, 0.0)) / 20.0 for k in last})

            out, _ = feedtrace(rig, bench, tune, output, 32, on_running=sample)
        share = re.search(r"process CPU .*: ([0-9.]+)% of one core", out)
        busiest = sorted(seen.items(), key=lambda kv: -kv[1])[:4]
        print("%-8s process %s%% of one core; busiest threads: %s"
              % (output, share.group(1) if share else "?",
                 ", ".join("%s %.1f%%" % (k, 100 * v) for k, v in busiest)), flush=True)


def unpause_delay(bench, tune):
    print("== unpause to first sample (ALSA file capture)")
    for output in OUTPUTS:
        with snowrig.Rig(name="unpause") as rig:
            rig.env["SNOWGIG_SOUND_OUTPUT"] = output
            code, out = rig.run([os.path.join(bench, "playbench.exe"), "Z:" + tune,
                                 rig.sound_path, "9"], cwd=bench, timeout=120)
        line = [l for l in out.splitlines() if "unpause" in l or "no sound" in l]
        print("%-8s %s" % (output, line[0].strip() if line else "failed (%d)" % code),
              flush=True)


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__)
        return 2
    build = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) == 3 else 120.0
    os.environ["SNOWGIG_WIN_BUILD"] = build
    os.environ.setdefault("SNOWGIG_DIST", os.path.join(build, "dist"))
    # A Wine prefix of its own: a session that ends elsewhere on the same
    # prefix would end this one's programs too.
    os.environ.setdefault("SNOWGIG_RIG_DIR", os.path.join(build, "dropout-bench-rig"))
    bench = os.path.join(build, "bench", "sound")
    print("dropout benchmark, %s at the start (the machine is shared)" % load())
    with tempfile.TemporaryDirectory(prefix="dropoutbench-") as folder:
        tune = make_tune(folder, 40)
        unpause_delay(bench, tune)
        sound_cpu(bench, tune)
        thread_holds(bench, tune)
        show_runs(seconds)
    print("dropout benchmark done, %s at the end" % load())
    return 0


if __name__ == "__main__":
    sys.exit(main())
