#!/usr/bin/python3
"""make_tune.py SOURCE.py SOUNDFONT.sf3 OUT.mp3 WORKDIR

Turns a tune source (see data/tune: its PARTS, STEMS, its length, its rides
and play()) into a 44.1 kHz, 64 kbps MP3 that loops without a seam, and
prints its length, peak and loudness.

The source's play() is laid down twice in a row; each stem (a group of parts
on channels of their own) is rendered dry by fluidsynth, two at a time. Csound
mixes the stems as a desk would: each through its high-pass, the pads through
a low-pass that follows the tune's filter moves, at its level, with sends to a
hall and to a plate (reverbsc); then the bus: corrective EQ (weight under
120 Hz, less box around 300 Hz, a little air), bus compression, and the
tune's rides bar by bar. The mix is brought near the target loudness into a
true-peak limiter (LSP's, run by lv2apply), and the second pass, cut out
sample-exactly (past the limiter's look-ahead), is the loop: its first bars
carry the reverb and the ringing notes of the pass before, exactly what
follows the loop's end when it wraps around. One fixed gain then brings the
loop to the target loudness, or as near as keeps the true peak below the
ceiling, both measured on what the MP3 decodes to; lame encodes it (its
gapless tag lets the player drop the encoder's delay and padding)."""

import array
import importlib.util
import math
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
# The limiter holds the true peak here (dBFS) before the encoder adds its own.
LIMITER_CEILING = -2.0
RENDERS_AT_ONCE = 2
# The synthesizer starts notes only on the edges of its 64-sample blocks. At
# 48 kHz a pass of the loop (104 s) is a whole number of blocks, so the second
# pass plays every note exactly one pass after the first (at 44.1 kHz it would
# sit half a block off, and the loop's end would not run into its start); the
# stems are then brought to 44.1 kHz, a pass still a whole number of samples.
SYNTH_RATE = 48000
SYNTH_BLOCK = 64
# The loop's last stretch (s) is crossfaded into the end of the first pass,
# which is what truly leads into the loop's start: what differs between the
# two passes (the rooms' slowly wandering delays) then meets itself at the
# seam instead of stepping.
SEAM_CROSSFADE = 0.25

# The synthesizer renders dry: the room is the mix's.
SYNTH = ["-R", "0", "-C", "0"]
# The hall behind the band and the plate around the kit and the leads
# (reverbsc: feedback, cut-off of its damping in Hz, pre-delay in s) and the
# high-pass on each return, so the rooms carry no boom.
HALL = (0.88, 7500, 0.028, 180)
PLATE = (0.80, 10000, 0.012, 300)
# The bus EQ (Hz, dB, Q): a low shelf for weight, a dip in the box, an air
# shelf; then the bus compressor: threshold (dBFS of the follower), ratio,
# attack and release (s).
LOW_SHELF = (90, 5.0, 0.7)
BOX_DIP = (280, -4.0, 0.7)
AIR_SHELF = (8000, 2.0, 0.7)
BUS_COMPRESSOR = (-20.0, 2.0, 0.015, 0.25)
# Width: the side signal above this frequency (Hz) taken up by this factor,
# so the band spreads out while the low end stays in the middle.
WIDTH = (180, 2.7)
LIMITER = "http://lsp-plug.in/plugins/lv2/limiter_stereo"
# Automatic level regulation and gain boost off (the gain is set here), full
# 4x oversampling so the limit holds between samples, 5 ms look-ahead.
# What lame is told for 64 kbps, chosen with tools/tunemaker/encoder_loss.py on
# this tune: plain stereo loses no less than joint stereo in any band, and
# lame's own cut-off at this rate (about 11 kHz) leaves the top above 11 kHz
# 17 dB down, where a 15 kHz cut-off keeps it within 7 dB at no cost below
# 11 kHz.
ENCODER = ["--cbr", "-b", "64", "-m", "j", "--lowpass", "15", "-q", "2"]
LIMITER_SETTINGS = ["alr", "0", "boost", "0", "ovs", "15", "lk", "5", "mode", "1", "at", "2", "rt", "20"]
def load_source(path):
    spec = importlib.util.spec_from_file_location("tune_source", path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def run(command, **kwargs):
    kwargs.setdefault("text", True)
    try:
        result = subprocess.run(command, capture_output=True, timeout=600, **kwargs)
    except FileNotFoundError:
        sys.stderr.write("make_tune.py: %s is not installed (see scripts/packages.txt)\n" % command[0])
        sys.exit(1)
    if result.returncode != 0:
        sys.stderr.write("make_tune.py: %s failed:\n%s%s" % (command[0], result.stdout, result.stderr))
        sys.exit(1)
    return result


def parts(tune):
    return [midi.Part(name, channel, program=program, volume=volume, pan=pan, reverb=0)
            for name, channel, program, volume, pan in tune.PARTS]


def stems(tune, band):
    """The tune's stems as (name, parts, high-pass, level, hall, plate, swept),
    each part found by name; a stem whose parts share a channel, or a part in
    no stem or in two, is a fault of the source."""
    by_name = {part.name: part for part in band}
    out, used = [], []
    for name, names, highpass, level, hall, plate, swept in tune.STEMS:
        missing = [n for n in names if n not in by_name]
        if missing:
            raise ValueError("stem %s names no part %s" % (name, ", ".join(missing)))
        group = [by_name[n] for n in names]
        if len({part.channel for part in group}) != len(group):
            raise ValueError("stem %s has two parts on one channel" % name)
        out.append((name, group, highpass, level, hall, plate, swept))
        used += names
    left = sorted(set(by_name) - set(used)) + sorted({n for n in used if used.count(n) > 1})
    if left:
        raise ValueError("parts in no stem or in two: %s" % ", ".join(left))
    return out


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


def render_stems(tune, band, soundfont, work):
    """Each stem's parts into a MIDI file and fluidsynth's dry render of it,
    RENDERS_AT_ONCE at a time; returns the stems with their WAV paths."""
    todo = []
    for n, stem in enumerate(stems(tune, band)):
        mid, wav = os.path.join(work, "stem%d.mid" % n), os.path.join(work, "stem%d.synth.wav" % n)
        midi.write(mid, tune.BEATS_PER_MINUTE, stem[1])
        todo.append((stem, ["fluidsynth", "-n", "-i", "-q", "-r", str(SYNTH_RATE), "-g", "0.5", "-O", "float"]
                     + SYNTH + ["-T", "wav", "-F", wav, soundfont, mid], wav))
    done, running = [], []
    for item in todo + [None] * RENDERS_AT_ONCE:
        if item is not None:
            try:
                running.append((item, subprocess.Popen(item[1], stdout=subprocess.PIPE,
                                                       stderr=subprocess.STDOUT, text=True)))
            except FileNotFoundError:
                sys.stderr.write("make_tune.py: fluidsynth is not installed (see scripts/packages.txt)\n")
                sys.exit(1)
        if len(running) == RENDERS_AT_ONCE or (item is None and running):
            (stem, command, wav), process = running.pop(0)
            try:
                log, _ = process.communicate(timeout=600)
            except subprocess.TimeoutExpired:
                process.kill()
                sys.stderr.write("make_tune.py: fluidsynth took over 600 s on stem %s\n" % stem[0])
                sys.exit(1)
            if process.returncode != 0 or not os.path.isfile(wav):
                sys.stderr.write("make_tune.py: fluidsynth failed on stem %s:\n%s" % (stem[0], log))
                sys.exit(1)
            at_rate = wav.replace(".synth.wav", ".wav")
            run(["sox", "-R", "-D", wav, "-e", "floating-point", "-b", "32", at_rate, "rate", "-v", str(RATE)])
            os.remove(wav)
            done.append((stem, at_rate))
    return done


def expseg(points):
    """Csound expseg arguments from (seconds, value) breakpoints."""
    args = ["%.6g" % points[0][1]]
    for (t0, _), (t1, value) in zip(points, points[1:]):
        args += ["%.6g" % (t1 - t0), "%.6g" % value]
    return ", ".join(args)


# The layers' instruments: p4 frequency (Hz), p5 amplitude. The sub is a sine
# that dies away as the plucked string above it does (14 dB in its first
# 250 ms, then slowly on), with a little saturation for harmonics that small
# speakers can carry; the thump falls from 110 to 45 Hz as it dies away.
LAYER_INSTRUMENTS = {
    "sub": (50, ["iHold = max(p3 - 0.33, 0.01)",
                 "aDecay expseg 1, 0.25, 0.2, iHold, 0.1, 0.08, 0.01",
                 "aEdge linseg 0, 0.006, 1, p3 - 0.016, 1, 0.01, 0",
                 "aSub poscil p5 * aDecay * aEdge, p4", "aSub = tanh(aSub * 1.6) / 1.6"], 0.08, -12),
    "thump": (51, ["aEnv expseg 1, 0.28, 0.001", "kHz expseg 110, 0.09, 45, 0.2, 42",
                   "aSub poscil p5 * (aEnv - 0.001), kHz"], 0.28, 0),
}


LAYER_LOWEST = 50.0


def layer_score(tune, band):
    """Score lines for the tune's layers, from the notes as played."""
    by_name = {part.name: part for part in band}
    beat = 60.0 / tune.BEATS_PER_MINUTE
    lines = []
    for kind, name, pitches, level in tune.LAYERS:
        number, _, tail, shift = LAYER_INSTRUMENTS[kind]
        for start, length, pitch, velocity in by_name[name].played:
            if pitches is None or pitch in pitches:
                hz = 440.0 * 2 ** ((pitch + shift - 69) / 12.0)
                # Under this a sub is felt, not heard, and only on big
                # speakers: the octave above carries the same note.
                if kind == "sub" and hz < LAYER_LOWEST:
                    hz *= 2
                duration = tail if kind == "thump" else length * beat + tail
                lines.append("i %d %.6f %.6f %.4f %.6f" % (number, start * beat, duration, hz,
                                                        10 ** (level / 20) * velocity / 127))
    return lines


def mix_score(tune, band, rendered, seconds, mixed):
    """The Csound orchestra and score that mix the stems into MIXED."""
    bar = tune.BEATS_PER_BAR * 60.0 / tune.BEATS_PER_MINUTE
    cutoff, ride = [], []
    # Both passes, and the first bar of the pass that would follow: the
    # second pass ends moving towards the loop's start just as the first
    # pass did, so the filter and the level meet themselves at the seam.
    bars = 2 * tune.BARS
    for k in range(bars + 1):
        n, t = k % tune.BARS, k * bar
        start, middle = tune.PAD_CUTOFF[n]
        cutoff += [(t, start), (t + bar / 2, middle)] if k < bars else [(t, start)]
        # Each ride moves in the last beat before its bar.
        ride += [(t - bar / tune.BEATS_PER_BAR, tune.LEVEL_RIDE[n - 1]), (t, tune.LEVEL_RIDE[n])]
    cutoff.append((max(seconds, bars * bar + 0.01), cutoff[-1][1]))
    ride = [(0.0, tune.LEVEL_RIDE[0])] + ride[2:] + [(max(seconds, bars * bar + 0.01), ride[-1][1])]
    lines = ["sr = %d" % RATE, "ksmps = 16", "nchnls = 2", "0dbfs = 1",
             "gaDryL init 0", "gaDryR init 0", "gaHallL init 0", "gaHallR init 0",
             "gaPlateL init 0", "gaPlateR init 0"]
    for n, ((name, _, highpass, level, hall, plate, swept), wav) in enumerate(rendered):
        lines += ["instr %d ; %s" % (n + 1, name), 'aL, aR diskin2 "%s", 1' % wav]
        if highpass:
            lines += ["aL butterhp aL, %g" % highpass, "aR butterhp aR, %g" % highpass]
        if swept:
            lines += ["kCut expseg %s" % expseg(cutoff),
                      "aL moogladder aL, kCut, 0.15", "aR moogladder aR, kCut, 0.15"]
        lines += ["aL *= ampdb(%g)" % level, "aR *= ampdb(%g)" % level,
                  "gaDryL += aL", "gaDryR += aR"]
        for bus, send in (("Hall", hall), ("Plate", plate)):
            if send is not None:
                lines += ["ga%sL += aL * ampdb(%g)" % (bus, send), "ga%sR += aR * ampdb(%g)" % (bus, send)]
        lines.append("endin")
    for kind, (number, body, _, _) in sorted(LAYER_INSTRUMENTS.items(), key=lambda k: k[1][0]):
        lines += ["instr %d ; %s" % (number, kind)] + body + ["gaDryL += aSub", "gaDryR += aSub", "endin"]
    lines += ["instr 99 ; the rooms and the bus"]
    for bus, (feedback, damping, predelay, highpass) in (("Hall", HALL), ("Plate", PLATE)):
        lines += ["aInL delay ga%sL, %g" % (bus, predelay), "aInR delay ga%sR, %g" % (bus, predelay),
                  "a%sL, a%sR reverbsc aInL, aInR, %g, %g" % (bus, bus, feedback, damping),
                  "a%sL butterhp a%sL, %g" % (bus, bus, highpass), "a%sR butterhp a%sR, %g" % (bus, bus, highpass)]
    lines += ["aL = gaDryL + aHallL + aPlateL", "aR = gaDryR + aHallR + aPlateR"]
    for (hz, db, q), mode in ((LOW_SHELF, 1), (BOX_DIP, 0), (AIR_SHELF, 2)):
        lines += ["aL pareq aL, %g, ampdb(%g), %g, %d" % (hz, db, q, mode),
                  "aR pareq aR, %g, ampdb(%g), %g, %d" % (hz, db, q, mode)]
    hz, factor = WIDTH
    lines += ["aSide butterhp (aL - aR) * 0.5, %g" % hz,
              "aL = aL + aSide * %g" % (factor - 1), "aR = aR - aSide * %g" % (factor - 1)]
    threshold, ratio, attack, release = BUS_COMPRESSOR
    lines += ["aFollow follow2 (aL + aR) * 0.5, %g, %g" % (attack, release),
              "kOver = dbamp(k(aFollow) + 1e-9) - (%g)" % threshold,
              "kOver = (kOver > 0 ? kOver : 0)",
              "aGain interp ampdb(-kOver * %g)" % (1 - 1 / ratio),
              "kRide linseg %s" % ", ".join(["%.6g" % ride[0][1]] + [
                  "%.6g, %.6g" % (max(0.0, t1 - t0), v) for (t0, _), (t1, v) in zip(ride, ride[1:])]),
              "aRide interp ampdb(kRide)",
              "outs aL * aGain * aRide, aR * aGain * aRide",
              "gaDryL = 0", "gaDryR = 0", "gaHallL = 0", "gaHallR = 0", "gaPlateL = 0", "gaPlateR = 0",
              "endin"]
    score = (["i %d 0 %.6f" % (n + 1, seconds) for n in range(len(rendered))] + layer_score(tune, band)
             + ["i 99 0 %.6f" % seconds])
    return ("<CsoundSynthesizer>\n<CsOptions>\n-d -m0 --nodisplays -W -f -o %s\n</CsOptions>\n"
            "<CsInstruments>\n%s\n</CsInstruments>\n<CsScore>\n%s\n</CsScore>\n</CsoundSynthesizer>\n"
            % (mixed, "\n".join(lines), "\n".join(score)))


def limiter_latency(work, ceiling):
    """How many samples the limiter delays its input: a click through it."""
    raw, click, out = (os.path.join(work, n) for n in ("click.raw", "click.wav", "click.out.wav"))
    frames = array.array("f", [0.0] * 20000)
    frames[4000] = frames[4001] = 0.1
    with open(raw, "wb") as f:
        frames.tofile(f)
    float_raw = ["-t", "raw", "-r", str(RATE), "-e", "floating-point", "-b", "32", "-c", "2"]
    run(["sox"] + float_raw + [raw, click])
    limit(click, out, 0.0, ceiling)
    run(["sox", out] + float_raw + [raw])
    with open(raw, "rb") as f:
        frames = array.array("f", f.read())
    for path in (raw, click, out):
        os.remove(path)
    return max(range(0, len(frames), 2), key=lambda i: abs(frames[i])) // 2 - 2000


def limit(source, out, gain, ceiling):
    run(["lv2apply", "-i", source, "-o", out, "-c", "g_in", "%.6f" % (10 ** (gain / 20)),
         "-c", "th", "%.6f" % (10 ** (ceiling / 20))]
        + [arg for i in range(0, len(LIMITER_SETTINGS), 2)
           for arg in ("-c", LIMITER_SETTINGS[i], LIMITER_SETTINGS[i + 1])] + [LIMITER])


def seam_crossfade(frames, fade):
    """FRAMES (interleaved stereo) hold FADE frames of the first pass's end and
    then the loop; the loop's last FADE frames fade, equal in gain, from the
    second pass into the first pass's end, so the loop ends on exactly what
    leads into its start."""
    loop_end = len(frames) // 2 - fade
    for i in range(fade):
        weight = 0.5 - 0.5 * math.cos(math.pi * (i + 0.5) / fade)
        for c in (0, 1):
            at = 2 * (loop_end + i) + c
            frames[at] = frames[at] * (1.0 - weight) + frames[2 * i + c] * weight


def render_loop(source, soundfont, work):
    """Renders the tune source into WORK and cuts the loop: the path of a
    32-bit float WAV, and the scratch files made on the way."""
    tune = load_source(source)
    beats = tune.BARS * tune.BEATS_PER_BAR
    seconds = beats * 60.0 / tune.BEATS_PER_MINUTE
    loop_samples = int(round(seconds * RATE))
    if (seconds * SYNTH_RATE) % SYNTH_BLOCK or (seconds * RATE) % 1:
        sys.stderr.write("make_tune.py: %s: a pass of %g s is not a whole number of the synthesizer's "
                         "blocks, so the loop could not run into its start\n" % (source, seconds))
        sys.exit(1)
    band = parts(tune)
    tune.play(band, 0)
    tune.play(band, beats)
    try:
        rendered = render_stems(tune, band, soundfont, work)
    except ValueError as fault:
        sys.stderr.write("make_tune.py: %s: %s\n" % (source, fault))
        sys.exit(1)
    mixed, limited, loop = (os.path.join(work, n) for n in ("mixed.wav", "limited.wav", "loop.wav"))
    csd = os.path.join(work, "mix.csd")
    length = max(float(run(["soxi", "-D", wav]).stdout) for _, wav in rendered)
    with open(csd, "w") as f:
        f.write(mix_score(tune, band, rendered, length, mixed))
    run(["csound", csd])
    # Into the limiter at about the target loudness, so that what it holds
    # down is what the listener hears.
    loudness, _, _ = measure(mixed)
    limit(mixed, limited, TARGET_LUFS - loudness + 0.5, LIMITER_CEILING)
    latency = limiter_latency(work, LIMITER_CEILING)
    fade = int(SEAM_CROSSFADE * RATE)
    raw = os.path.join(work, "loop.raw")
    float_raw = ["-t", "raw", "-r", str(RATE), "-e", "floating-point", "-b", "32", "-c", "2"]
    result = run(["sox", "-R", "-D", limited] + float_raw + [raw, "trim", "%ds" % (loop_samples + latency - fade),
                                                              "%ds" % (loop_samples + fade)])
    if "clipped" in result.stderr:
        sys.stderr.write("make_tune.py: the mix clips: %s" % result.stderr)
        sys.exit(1)
    with open(raw, "rb") as f:
        frames = array.array("f", f.read())
    if len(frames) != 2 * (loop_samples + fade):
        sys.stderr.write("make_tune.py: the mix ends before the loop does\n")
        sys.exit(1)
    seam_crossfade(frames, fade)
    with open(raw, "wb") as f:
        frames[2 * fade:].tofile(f)
    run(["sox", "-R", "-D"] + float_raw + [raw, "-e", "floating-point", "-b", "32", loop])
    os.remove(raw)
    return loop, [wav for _, wav in rendered] + [mixed, limited]


def main(argv):
    if len(argv) != 5:
        sys.stderr.write("usage: make_tune.py SOURCE.py SOUNDFONT.sf3 OUT.mp3 WORKDIR\n")
        return 2
    source, soundfont, out, work = argv[1:]
    for path in (source, soundfont):
        if not os.path.isfile(path):
            sys.stderr.write("make_tune.py: no such file: %s\n" % path)
            return 2
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
