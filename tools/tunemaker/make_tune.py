#!/usr/bin/python3
"""make_tune.py SOURCE.py SOUNDFONT.sf2 OUT.mp3 WORKDIR

Turns a tune source (see data/tune: its PARTS, its length and play()) into a 44.1 kHz, 64 kbps MP3 that loops
without a seam, and prints its length, peak and loudness.

The source's play() is laid down twice in a row and rendered with fluidsynth;
the second pass, cut out sample-exactly, is the loop: its first bars already
carry the reverb and the ringing notes of the pass before, exactly what follows
the loop's end when it wraps around. Parts that share a MIDI channel (a
percussion line panned apart from the kit, say) go to renders of their own,
and percussion always renders apart from the rest, with its top softened;
sox mixes the renders on one bus (low shelf, a touch more width, gentle
compression), adds an ambience reverb taken from the bus above its bass,
and cuts the loop. One fixed gain then brings the loop to the
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
PERCUSSION = 9

# The synthesizer's own room: a larger, wider hall than its default small
# room, and its chorus on, so every part's reverb send rings on.
SYNTH = ["-R", "1", "-C", "1", "-o", "synth.reverb.room-size=0.72", "-o", "synth.reverb.damp=0.35",
         "-o", "synth.reverb.width=1.0", "-o", "synth.reverb.level=0.8"]
# Percussion loses some of its top (hats, bells and shaker fill the band above
# 8 kHz otherwise).
PERCUSSION_EFFECTS = ["treble", "-4", "7000", "0.6", "bass", "+6", "70", "0.6"]
# The mix bus: headroom, a fuller low end, a little more width (each side
# takes in a fifth of the other, inverted) and gentle compression of what
# rises above -16 dBFS. Then an ambience, taken from the bus above its bass,
# wide and behind it.
BUS_EFFECTS = ["gain", "-6", "bass", "+8", "110", "0.6",
               "remix", "1v1.2,2v-0.2", "2v1.2,1v-0.2",
               "compand", "0.002,0.12", "6:-70,-70,-16,-16,-4,-9", "0", "0", "0"]
AMBIENCE_EFFECTS = ["highpass", "250", "reverb", "-w", "60", "55", "85", "100", "25"]
AMBIENCE_LEVEL = "0.35"
# What lame is told for 64 kbps, chosen with tools/tunemaker/encoder_loss.py on
# this tune: plain stereo loses no less than joint stereo in any band (error
# against the source about -18.7 dB in the mid and -13.3 dB in the side below
# 4 kHz, -4.5 dB from 4 to 11 kHz, either way), and lame's own cut-off at this
# rate (about 11 kHz) leaves the top above 11 kHz 17 dB down, where a 15 kHz
# cut-off keeps it within 7 dB at no cost below 11 kHz.
ENCODER = ["--cbr", "-b", "64", "-m", "j", "--lowpass", "15", "-q", "2"]


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
    a group, keeping their order: each group is one MIDI file and one render.
    Percussion (channel 10) always renders alone, so its top can be tamed on
    its own."""
    groups = []
    for part in band:
        group = None
        if part.channel != PERCUSSION:
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
    run(["lame", "--quiet"] + ENCODER + ["--resample", "44.1", scaled, out])
    decoded = os.path.join(work, "decoded.wav")
    run(["mpg123", "-q", "-w", decoded, out])
    figures = measure(decoded)
    os.remove(scaled)
    os.remove(decoded)
    return figures


def render_loop(source, soundfont, work):
    """Renders the tune source into WORK and cuts the loop: the path of a
    32-bit float WAV, and the scratch files made on the way."""
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
        run(["fluidsynth", "-n", "-i", "-q", "-r", str(RATE), "-g", "0.5", "-O", "float"] + SYNTH
            + ["-T", "wav", "-F", rendered[-1], soundfont, mid])
        if group[0].channel == PERCUSSION:
            run(["sox", "-R", "-D", rendered[-1], "-e", "floating-point", "-b", "32",
                 rendered[-1] + ".eq.wav"] + PERCUSSION_EFFECTS)
            os.replace(rendered[-1] + ".eq.wav", rendered[-1])
    # Both passes go through the bus and the ambience before the cut, so the
    # loop's first bars carry the tails of the pass before.
    mixed, ambience, loop = (os.path.join(work, n) for n in ("mixed.wav", "ambience.wav", "loop.wav"))
    mix = ["-m"] + [arg for wav in rendered for arg in ("-v", "1", wav)] if len(rendered) > 1 else rendered
    checks = [run(["sox", "-R", "-D"] + mix + ["-e", "floating-point", "-b", "32", mixed] + BUS_EFFECTS)]
    checks.append(run(["sox", "-R", "-D", mixed, "-e", "floating-point", "-b", "32", ambience]
                      + AMBIENCE_EFFECTS))
    checks.append(run(["sox", "-R", "-D", "-m", "-v", "1", mixed, "-v", AMBIENCE_LEVEL, ambience,
                       "-e", "floating-point", "-b", "32", loop,
                       "trim", "%ds" % loop_samples, "%ds" % loop_samples]))
    for result in checks:
        if "clipped" in result.stderr:
            sys.stderr.write("make_tune.py: the mix clips: %s" % result.stderr)
            sys.exit(1)
    return loop, rendered + [mixed, ambience]


def main(argv):
    if len(argv) != 5:
        sys.stderr.write("usage: make_tune.py SOURCE.py SOUNDFONT.sf2 OUT.mp3 WORKDIR\n")
        return 2
    source, soundfont, out, work = argv[1:]
    os.makedirs(work, exist_ok=True)
    loop, scratch = render_loop(source, soundfont, work)
    loudness, _, _ = measure(loop)
    # The encoder takes some of the top and loudness with it: measure on the
    # decode and correct once (loudness follows the gain), then step down
    # until the true peak is under the ceiling. The encoder's rounding moves
    # peaks by a few tenths of a dB either way at each gain, so a small search
    # beats a prediction.
    peak = float(re.search(r"Pk lev dB\s+(\S+)", run(["sox", loop, "-n", "stats"]).stderr).group(1))
    headroom = -0.1 - peak
    gain = min(TARGET_LUFS - loudness, headroom)
    loudness, _, true_peak = encode(loop, gain, out, work)
    gain = min(gain + TARGET_LUFS - loudness, headroom)
    for _ in range(12):
        loudness, _, true_peak = encode(loop, gain, out, work)
        if true_peak <= TRUE_PEAK_CEILING:
            break
        gain -= 0.1
    if true_peak > PEAK_LIMIT:
        sys.stderr.write("make_tune.py: the true peak stays at %.2f dBTP\n" % true_peak)
        return 1
    report(out, work)
    for wav in scratch + [loop]:
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
