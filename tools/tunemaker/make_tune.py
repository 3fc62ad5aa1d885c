#!/usr/bin/python3
"""make_tune.py SOURCE.py SOUNDFONT.sf2 OUT.mp3 WORKDIR

Turns a tune source (see data/tune: its PARTS, its length and play()) into a 44.1 kHz, 64 kbps MP3 that loops
without a seam, and prints its length, peak and loudness.

The source's play() is laid down twice in a row and rendered with fluidsynth;
the second pass, cut out sample-exactly, is the loop: its first bars already
carry the reverb and the ringing notes of the pass before, exactly what follows
the loop's end when it wraps around. sox cuts it and sets the peak with
headroom, lame encodes it (its gapless tag lets the player drop the encoder's
delay and padding)."""

import importlib.util
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import midi  # noqa: E402

RATE = 44100
PEAK_DB = -1.5


def load_source(path):
    spec = importlib.util.spec_from_file_location("tune_source", path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def run(command, **kwargs):
    result = subprocess.run(command, capture_output=True, text=True, timeout=600, **kwargs)
    if result.returncode != 0:
        sys.stderr.write("make_tune.py: %s failed:\n%s%s" % (command[0], result.stdout, result.stderr))
        sys.exit(1)
    return result


def parts(tune):
    return [midi.Part(name, channel, program=program, volume=volume, pan=pan, reverb=reverb)
            for name, channel, program, volume, pan, reverb in tune.PARTS]


def main(argv):
    if len(argv) != 5:
        sys.stderr.write("usage: make_tune.py SOURCE.py SOUNDFONT.sf2 OUT.mp3 WORKDIR\n")
        return 2
    source, soundfont, out, work = argv[1:]
    os.makedirs(work, exist_ok=True)
    tune = load_source(source)
    beats = tune.BARS * tune.BEATS_PER_BAR
    seconds = beats * 60.0 / tune.BEATS_PER_MINUTE
    loop_samples = int(round(seconds * RATE))
    band = parts(tune)
    tune.play(band, 0)
    tune.play(band, beats)
    mid = os.path.join(work, "tune.mid")
    midi.write(mid, tune.BEATS_PER_MINUTE, band)
    rendered = os.path.join(work, "rendered.wav")
    run(["fluidsynth", "-n", "-i", "-q", "-r", str(RATE), "-g", "0.6", "-O", "float",
         "-T", "wav", "-F", rendered, soundfont, mid])
    loop = os.path.join(work, "loop.wav")
    run(["sox", "-R", "-D", rendered, "-b", "16", loop, "trim", "%ds" % loop_samples,
         "%ds" % loop_samples, "gain", "-n", str(PEAK_DB)])
    run(["lame", "--quiet", "--cbr", "-b", "64", "--resample", "44.1", "-q", "2", loop, out])
    report(out, work)
    for name in ("rendered.wav", "loop.wav", "decoded.wav"):
        os.remove(os.path.join(work, name))
    return 0


def report(mp3, work):
    decoded = os.path.join(work, "decoded.wav")
    run(["mpg123", "-q", "-w", decoded, mp3])
    stats = run(["sox", decoded, "-n", "stats"]).stderr
    peak = re.search(r"Pk lev dB\s+(\S+)", stats).group(1)
    rms = re.search(r"RMS lev dB\s+(\S+)", stats).group(1)
    length = re.search(r"Length s\s+(\S+)", stats).group(1)
    loudness = run(["ffmpeg", "-hide_banner", "-nostats", "-i", decoded, "-af", "ebur128",
                    "-f", "null", "-"]).stderr
    lufs = re.findall(r"I:\s+(-?[\d.]+) LUFS", loudness)
    print("%s: %s s, peak %s dBFS, RMS %s dBFS, loudness %s LUFS, 44.1 kHz, 64 kbps"
          % (os.path.basename(mp3), length, peak, rms, lufs[-1] if lufs else "?"))


if __name__ == "__main__":
    sys.exit(main(sys.argv))
