#!/usr/bin/python3
"""make_tune.py SOURCE.py SOUNDFONT.sf2 OUT.mp3 WORKDIR

Turns a tune source (see data/tune: its PARTS, its length and play()) into a 44.1 kHz, 64 kbps MP3 that loops
without a seam, and prints its length, peak and loudness.

The source's play() is laid down twice in a row and rendered with fluidsynth;
the second pass, cut out sample-exactly, is the loop: its first bars already
carry the reverb and the ringing notes of the pass before, exactly what follows
the loop's end when it wraps around. Parts that share a MIDI channel (a
percussion line panned apart from the kit, say) go to renders of their own,
which sox mixes before the cut. One fixed gain then brings the loop to the
target loudness, or as near as keeps the true peak below the ceiling, both measured on what
the MP3 decodes to; lame encodes it (its gapless tag lets the player drop the
encoder's delay and padding)."""

import importlib.util
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import midi  # noqa: E402

RATE = 44100
TARGET_LUFS = -16.0
# Peaks after encoding stay under the ceiling, well inside the limit.
TRUE_PEAK_CEILING = -1.2
PEAK_LIMIT = -1.0


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


def renders(band):
    """Splits the parts into as few groups as possible with no channel twice in
    a group, keeping their order: each group is one MIDI file and one render."""
    groups = []
    for part in band:
        group = next((g for g in groups if all(p.channel != part.channel for p in g)), None)
        if group is None:
            groups.append([part])
        else:
            group.append(part)
    return groups


def measure(wav):
    """(integrated loudness LUFS, loudness range LU, true peak dBTP) by EBU R 128."""
    log = run(["ffmpeg", "-hide_banner", "-nostats", "-i", wav, "-af", "ebur128=peak=true",
               "-f", "null", "-"]).stderr
    summary = log[log.rindex("Summary:"):]
    return tuple(float(re.search(pattern, summary).group(1)) for pattern in
                 (r"I:\s+(-?[\d.]+) LUFS", r"LRA:\s+(-?[\d.]+) LU", r"Peak:\s+(-?[\d.]+) dBFS"))


def encode(loop, gain, out, work):
    """The loop at the given gain as the MP3; returns what its decode measures."""
    scaled = os.path.join(work, "scaled.wav")
    if "clipped" in run(["sox", "-R", "-D", loop, "-b", "16", scaled, "gain", "%.2f" % gain]).stderr:
        sys.stderr.write("make_tune.py: a gain of %.2f dB clips the loop\n" % gain)
        sys.exit(1)
    run(["lame", "--quiet", "--cbr", "-b", "64", "--resample", "44.1", "-q", "2", scaled, out])
    decoded = os.path.join(work, "decoded.wav")
    run(["mpg123", "-q", "-w", decoded, out])
    figures = measure(decoded)
    os.remove(scaled)
    os.remove(decoded)
    return figures


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
    rendered = []
    for n, group in enumerate(renders(band)):
        mid = os.path.join(work, "tune%d.mid" % n)
        midi.write(mid, tune.BEATS_PER_MINUTE, group)
        rendered.append(os.path.join(work, "rendered%d.wav" % n))
        run(["fluidsynth", "-n", "-i", "-q", "-r", str(RATE), "-g", "0.5", "-O", "float",
             "-T", "wav", "-F", rendered[-1], soundfont, mid])
    loop = os.path.join(work, "loop.wav")
    mix = ["-m"] + [arg for wav in rendered for arg in ("-v", "1", wav)] if len(rendered) > 1 else rendered
    result = run(["sox", "-R", "-D"] + mix + ["-e", "floating-point", "-b", "32", loop,
                  "trim", "%ds" % loop_samples, "%ds" % loop_samples])
    if "clipped" in result.stderr:
        sys.stderr.write("make_tune.py: the mix clips: %s" % result.stderr)
        return 1
    loudness, _, _ = measure(loop)
    # The encoder takes some of the top and loudness with it: measure on the
    # decode and correct once (loudness follows the gain), then step down
    # until the true peak is under the ceiling. The encoder's rounding moves
    # peaks by a few tenths of a dB either way at each gain, so a small search
    # beats a prediction.
    gain = TARGET_LUFS - loudness
    loudness, _, true_peak = encode(loop, gain, out, work)
    gain += TARGET_LUFS - loudness
    for _ in range(12):
        loudness, _, true_peak = encode(loop, gain, out, work)
        if true_peak <= TRUE_PEAK_CEILING:
            break
        gain -= 0.1
    if true_peak > PEAK_LIMIT:
        sys.stderr.write("make_tune.py: the true peak stays at %.2f dBTP\n" % true_peak)
        return 1
    report(out, work)
    for wav in rendered + [loop]:
        os.remove(wav)
    return 0


def report(mp3, work):
    decoded = os.path.join(work, "decoded.wav")
    run(["mpg123", "-q", "-w", decoded, mp3])
    stats = run(["sox", decoded, "-n", "stats"]).stderr
    peak = re.search(r"Pk lev dB\s+(\S+)", stats).group(1)
    rms = re.search(r"RMS lev dB\s+(\S+)", stats).group(1)
    length = re.search(r"Length s\s+(\S+)", stats).group(1)
    loudness, loudness_range, true_peak = measure(decoded)
    os.remove(decoded)
    print("%s: %s s, peak %s dBFS, true peak %.1f dBTP, RMS %s dBFS, loudness %.1f LUFS, "
          "loudness range %.1f LU, 44.1 kHz, 64 kbps"
          % (os.path.basename(mp3), length, peak, true_peak, rms, loudness, loudness_range))


if __name__ == "__main__":
    sys.exit(main(sys.argv))
