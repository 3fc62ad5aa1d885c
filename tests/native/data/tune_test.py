#!/usr/bin/python3
"""tune_test.py TUNE.mp3 SOURCE.py

Decodes the tune as a gapless player does (mpg123 honours the encoder's delay
and padding) and checks what a listener would hear when it loops: it is 60 to
120 seconds of 44.1 kHz audio, never clips, and its end runs into its start
with no jump in the waveform and no drop in level. Then the mix and the
arrangement, each figure against its limit and printed: loudness and true peak
(EBU R 128, ffmpeg's ebur128), a loudness range that shows a break and a build,
instruments spread across the stereo field from the first bars on, a low end
with weight, a top that is bright in every 10 s stretch but not tinny, an end
about as loud as the start it runs into, no 8-bar stretch of the source's
notes played again unchanged, weight at 60-120 Hz to match the 250-500 Hz
octave, and a top (above 6 kHz) that sits as loud in one ear as in the other
over the whole tune, never far to one side in any section and swinging no
more than a few dB from ear to ear in any 4 s."""

import array
import collections
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import wave

TOP = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", ".."))
sys.path.insert(0, os.path.join(TOP, "tools", "tunemaker"))
import make_tune  # noqa: E402

TUNE = None
SOURCE = None


def run(command):
    return subprocess.run(command, capture_output=True, text=True, check=True, timeout=120)


def rms(values):
    return math.sqrt(sum(v * v for v in values) / max(1, len(values)))


def sox_rms_db(wav, *effects):
    """Overall RMS level in dBFS of the file after sox's effects."""
    stats = run(["sox", wav, "-n"] + list(effects) + ["stats"]).stderr
    value = re.search(r"RMS lev dB\s+(\S+)", stats).group(1)
    return float(value) if value != "-inf" else -200.0


def ebur128(wav):
    """(integrated loudness LUFS, loudness range LU, true peak dBTP)."""
    log = run(["ffmpeg", "-hide_banner", "-nostats", "-i", wav,
               "-af", "ebur128=peak=true", "-f", "null", "-"]).stderr
    summary = log[log.rindex("Summary:"):]
    return tuple(float(re.search(pattern, summary).group(1)) for pattern in
                 (r"I:\s+(-?[\d.]+) LUFS", r"LRA:\s+(-?[\d.]+) LU", r"Peak:\s+(-?[\d.]+|-inf) dBFS"))


def side_below_mid(wav, *span):
    """The side signal against the mid above 120 Hz, in dB: how far the
    instruments spread, leaving out the low end that a mix keeps centred
    (its weight would otherwise read as narrowness)."""
    mid = sox_rms_db(wav, *(list(span) + ["remix", "1v0.5,2v0.5", "sinc", "120"]))
    side = sox_rms_db(wav, *(list(span) + ["remix", "1v0.5,2v-0.5", "sinc", "120"]))
    return mid - side


def band_share(wav, band):
    """Energy in a band (sox sinc's frequency argument) against the whole, in dB."""
    return sox_rms_db(wav, "sinc", band) - sox_rms_db(wav)


def octave_over_octave(wav, band, reference):
    """Energy in one band against another (sox sinc ranges), in dB."""
    return sox_rms_db(wav, "sinc", band) - sox_rms_db(wav, "sinc", reference)


def right_over_left_top(wav, *span):
    """The right channel above 6 kHz against the left, in dB."""
    return (sox_rms_db(wav, *(list(span) + ["remix", "2", "sinc", "6000"]))
            - sox_rms_db(wav, *(list(span) + ["remix", "1", "sinc", "6000"])))


def right_over_left_top_per_window(wav, seconds, window=4.0):
    """The right channel above 6 kHz against the left, in dB, for each
    stretch of WINDOW seconds: a part swept across the field shows here as it
    swings from ear to ear, where the whole tune only shows its average."""
    return [right_over_left_top(wav, "trim", "%.3f" % (k * window), "%.3f" % window)
            for k in range(int(seconds / window + 1e-6))]


def section_spans(source):
    """(section, start, length) in seconds, in the order the sections play."""
    tune = make_tune.load_source(source)
    bar = tune.BEATS_PER_BAR * 60.0 / tune.BEATS_PER_MINUTE
    spans = []
    for n, (section, *_) in enumerate(tune.PLAN):
        if spans and spans[-1][0] == section:
            spans[-1][2] += bar
        else:
            spans.append([section, n * bar, bar])
    return spans


def end_over_start(wav, seconds, span=2.0):
    """Level of the last seconds against the first, in dB: what a listener
    hears change as the loop comes round."""
    return (sox_rms_db(wav, "trim", "%.3f" % (seconds - span), "%.3f" % span)
            - sox_rms_db(wav, "trim", "0", "%.3f" % span))


def high_share_per_window(wav, seconds, window=10.0, hop=5.0):
    """Energy above 8 kHz against the whole, in dB, for each 10 s stretch."""
    shares = []
    start = 0.0
    while start + window <= seconds + 1e-6:
        span = ["trim", "%.3f" % start, "%.3f" % window]
        shares.append(sox_rms_db(wav, *(span + ["sinc", "8000"])) - sox_rms_db(wav, *span))
        start += hop
    return shares


def bar_blocks(source, bars_per_block=8):
    """For each bar of the loop, the notes of the 8 bars from there (wrapping
    round the loop point): part, onset in the block and length in ticks, pitch.
    Loudness is left out: the same notes played louder are still a repeat."""
    tune = make_tune.load_source(source)
    band = make_tune.parts(tune)
    tune.play(band, 0)
    bar_ticks = tune.BEATS_PER_BAR * 480
    loop_ticks = tune.BARS * bar_ticks
    notes = [(part.name, int(round(start * 480)) % loop_ticks, int(round(length * 480)), pitch)
             for part in band for start, length, pitch, _ in part.notes]
    blocks = []
    for bar in range(tune.BARS):
        first = bar * bar_ticks
        block = collections.Counter(
            (name, (onset - first) % loop_ticks, length, pitch) for name, onset, length, pitch in notes
            if (onset - first) % loop_ticks < bars_per_block * bar_ticks)
        blocks.append(block)
    return blocks


def least_changed_share(blocks):
    """The smallest share of notes that differ between two blocks: notes in one
    and not in the other, against the notes in either."""
    least = 1.0
    for i in range(len(blocks)):
        for j in range(i + 1, len(blocks)):
            union = sum((blocks[i] | blocks[j]).values())
            differ = union - sum((blocks[i] & blocks[j]).values())
            least = min(least, differ / max(1, union))
    return least


# What the mix and the arrangement must reach: figure, unit, lowest, highest.
LIMITS = [
    ("integrated loudness", "LUFS", -17.0, -15.0),
    ("true peak", "dBTP", None, -1.0),
    ("loudness range (a break and a build)", "LU", 6.0, 15.0),
    ("side signal below the mid above 120 Hz (stereo width)", "dB", 3.0, 8.0),
    ("side signal below the mid above 120 Hz, first 24 s (width from the start)", "dB", 3.0, 8.0),
    ("energy below 120 Hz against the whole (low end)", "dB", -13.0, -6.0),
    ("energy above 8 kHz against the whole (top)", "dB", -27.0, -18.0),
    ("energy above 8 kHz against the whole, darkest 10 s", "dB", -26.0, None),
    ("energy above 8 kHz against the whole, brightest 10 s", "dB", None, -10.0),
    ("last 2 s against the first 2 s (the loop comes round)", "dB", -3.0, 3.0),
    ("share of notes changed, most alike 8-bar blocks", "", 0.2, None),
    ("60-120 Hz against 250-500 Hz (weight, not box)", "dB", -3.0, 3.0),
    ("right against left above 6 kHz, whole tune", "dB", -3.0, 3.0),
    ("right against left above 6 kHz, most lopsided section", "dB", -6.0, 6.0),
    ("right against left above 6 kHz, most lopsided 4 s", "dB", -4.0, 4.0),
]


def wrapped(samples, channels, frames):
    """The last FRAMES frames of the loop followed by its first FRAMES, as a
    player that loops hears them (interleaved)."""
    return samples[-frames * channels:] + samples[:frames * channels]


def step_ratio(channel, join, reach):
    """The step across the join against the 99th percentile of the steps
    within REACH samples either side of it: against their mean, a steep but
    smooth stretch of busy music reads as a jump."""
    steps = sorted(abs(channel[i + 1] - channel[i]) for i in range(join - reach, join + reach) if i != join - 1)
    return abs(channel[join] - channel[join - 1]) / max(1e-9, steps[int(len(steps) * 0.99)])


def bend_ratio(channel, join, reach):
    """The second difference at the join (the larger of the two that span it)
    against the 99th percentile of those within REACH samples either side: a
    step in a smooth waveform bends it as nothing around it does."""
    def bend(i):
        return abs(channel[i + 1] - 2 * channel[i] + channel[i - 1])
    around = sorted(bend(i) for i in range(join - reach, join + reach) if i not in (join - 1, join))
    return max(bend(join - 1), bend(join)) / max(1e-9, around[int(len(around) * 0.99)])


# What the loop point may show against the music around it, per channel:
# figure, highest. A step of the size a listener hears as a click measures
# 1.0-1.4 for the step and 1.6 for the bend; seamless loops up to 0.7 and
# 0.55. The energy above 16 kHz at the join is no measure of a click
# in an MP3: the encoder's frames at the file's start and end leave a burst of
# some -60 to -70 dBFS there even when what went in was continuous, within
# 5 dB of what that click sprays into the band, so no bound tells them apart.
SEAM_LIMITS = [
    ("step across the loop point against the 99th percentile within 10 ms", 1.0),
    ("bend at the loop point against the 99th percentile within 10 ms", 1.0),
]


class StemsTest(unittest.TestCase):
    """A stem renders its parts in one synthesizer, so two parts on one
    channel would play with one program and one set of wheels, and a part in
    no stem would go unheard: the source's stems are checked before any
    render, and the shipped source passes."""

    def test_faulty_stems_are_refused(self):
        tune = make_tune.load_source(SOURCE)
        cases = [
            ("the source's own stems", tune.STEMS, None),
            ("two parts on one channel", [("all", tuple(p[0] for p in tune.PARTS), 0, 0, None, None, False)],
             "one channel"),
            ("a part in no stem", tune.STEMS[1:], "no stem"),
            ("a part in two stems", tune.STEMS + [tune.STEMS[0]], "in two"),
            ("a stem naming no part", tune.STEMS + [("x", ("nobody",), 0, 0, None, None, False)], "no part"),
        ]
        for name, stems, fault in cases:
            with self.subTest(name):
                tune.STEMS = stems
                band = make_tune.parts(tune)
                if fault is None:
                    self.assertEqual(sum(len(s[1]) for s in make_tune.stems(tune, band)), len(tune.PARTS))
                else:
                    with self.assertRaisesRegex(ValueError, fault):
                        make_tune.stems(tune, band)


class TuneTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="snowgig-tune-")
        cls.wav = os.path.join(cls.scratch, "tune.wav")
        subprocess.run(["mpg123", "-q", "-w", cls.wav, TUNE], check=True, timeout=120)
        with wave.open(cls.wav) as w:
            cls.rate, cls.channels = w.getframerate(), w.getnchannels()
            cls.samples = array.array("h", w.readframes(w.getnframes()))
        cls.left = cls.samples[0::cls.channels]

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def test_is_one_to_two_minutes_at_44_1_khz(self):
        self.assertEqual(self.rate, 44100)
        seconds = len(self.left) / self.rate
        self.assertGreaterEqual(seconds, 60)
        self.assertLessEqual(seconds, 120)

    def test_never_clips(self):
        peak = max(max(self.samples), -min(self.samples))
        self.assertLess(peak, 32767 * 0.97)

    def test_end_runs_into_the_start_without_a_jump_or_a_drop(self):
        for c in range(self.channels):
            channel = self.samples[c::self.channels]
            steps = [abs(channel[i + 1] - channel[i]) for i in range(0, len(channel) - 1, 3)]
            typical = sorted(steps)[int(len(steps) * 0.999)]
            self.assertLessEqual(abs(channel[0] - channel[-1]), typical, "jump at the loop point")
        window = self.rate // 4
        end, start = rms(self.left[-window:]), rms(self.left[:window])
        whole = rms(self.left[::50])
        self.assertGreater(end, 0.3 * whole, "the tune fades out before it loops")
        self.assertGreater(start, 0.3 * whole, "the tune starts from silence")
        self.assertLess(abs(20 * math.log10(end / start)), 6.0)

    def test_loop_point_has_no_step_and_no_click(self):
        frames, reach = self.rate // 2, self.rate // 100
        snippet = wrapped(self.samples, self.channels, frames)
        for c in range(self.channels):
            channel = snippet[c::self.channels]
            figures = [step_ratio(channel, frames, reach), bend_ratio(channel, frames, reach)]
            for (name, high), figure in zip(SEAM_LIMITS, figures):
                print("channel %d: %-84s %6.2f (limit %s)" % (c + 1, name, figure, high))
                with self.subTest(name, channel=c + 1):
                    self.assertLessEqual(figure, high, "channel %d: %s: %.2f" % (c + 1, name, figure))

    def test_mix_and_arrangement_within_their_limits(self):
        self.assertEqual(self.channels, 2, "the tune is mono")
        loudness, loudness_range, true_peak = ebur128(self.wav)
        shares = high_share_per_window(self.wav, len(self.left) / self.rate)
        seconds = len(self.left) / self.rate
        figures = [loudness, true_peak, loudness_range, side_below_mid(self.wav),
                   side_below_mid(self.wav, "trim", "0", "24"), band_share(self.wav, "-120"),
                   band_share(self.wav, "8000"), min(shares), max(shares),
                   end_over_start(self.wav, seconds), least_changed_share(bar_blocks(SOURCE)),
                   octave_over_octave(self.wav, "60-120", "250-500"), right_over_left_top(self.wav)]
        sides = [(name, right_over_left_top(self.wav, "trim", "%.3f" % start, "%.3f" % length))
                 for name, start, length in section_spans(SOURCE)]
        figures.append(max((side for _, side in sides), key=abs))
        windows = right_over_left_top_per_window(self.wav, seconds)
        figures.append(max(windows, key=abs))
        print("right against left above 6 kHz per section: %s dB"
              % " ".join("%s %.1f" % side for side in sides))
        print("right against left above 6 kHz per 4 s: %s dB" % " ".join("%.1f" % w for w in windows))
        print("\nhigh-frequency share per 10 s (hop 5 s): %s dB" % " ".join("%.1f" % s for s in shares))
        for (name, unit, low, high), figure in zip(LIMITS, figures):
            limit = "%s to %s" % ("-" if low is None else low, "-" if high is None else high)
            print("%-76s %7.2f %-4s (limit %s)" % (name, figure, unit, limit))
        for (name, unit, low, high), figure in zip(LIMITS, figures):
            with self.subTest(name):
                if low is not None:
                    self.assertGreaterEqual(figure, low, "%s: %.2f %s" % (name, figure, unit))
                if high is not None:
                    self.assertLessEqual(figure, high, "%s: %.2f %s" % (name, figure, unit))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.stderr.write("usage: tune_test.py TUNE.mp3 SOURCE.py\n")
        sys.exit(2)
    TUNE, SOURCE = sys.argv.pop(1), sys.argv.pop(1)
    unittest.main()
