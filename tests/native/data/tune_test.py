#!/usr/bin/python3
"""tune_test.py TUNE.mp3

Decodes the tune as a gapless player does (mpg123 honours the encoder's delay
and padding) and checks what a listener would hear when it loops: it is 60 to
120 seconds of 44.1 kHz audio, never clips, and its end runs into its start
with no jump in the waveform and no drop in level."""

import array
import math
import os
import subprocess
import sys
import tempfile
import unittest
import wave

TUNE = None


def decode(path):
    with tempfile.TemporaryDirectory(prefix="snowgig-tune-") as scratch:
        out = os.path.join(scratch, "tune.wav")
        subprocess.run(["mpg123", "-q", "-w", out, path], check=True, timeout=120)
        with wave.open(out) as w:
            rate, channels = w.getframerate(), w.getnchannels()
            samples = array.array("h", w.readframes(w.getnframes()))
    return rate, channels, samples


def rms(values):
    return math.sqrt(sum(v * v for v in values) / max(1, len(values)))


class TuneTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.rate, cls.channels, cls.samples = decode(TUNE)
        cls.left = cls.samples[0::cls.channels]

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


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.stderr.write("usage: tune_test.py TUNE.mp3\n")
        sys.exit(2)
    TUNE = sys.argv.pop(1)
    unittest.main()
