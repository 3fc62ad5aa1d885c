#!/usr/bin/python3
"""encoder_loss.py SOURCE.py SOUNDFONT.sf3

What a 64 kbps MP3 loses of the tune's loop under each candidate setting of
lame: joint or plain stereo, and the cut-off of its low-pass. The loop is
rendered as make_tune.py renders it and brought to the target loudness; each
candidate is encoded, decoded gaplessly (same length, same alignment as the
source) and subtracted from the source. Printed per band is the error against
the source's own energy in that band (dB; lower is better), for the mid and
the side signal, and the energy kept above 11 kHz against the source's. The
ENCODER setting in make_tune.py is the one this chose."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_tune  # noqa: E402

CANDIDATES = [
    ("joint stereo, lame's own cut-off", ["-m", "j"]),
    ("joint stereo, cut-off 15 kHz", ["-m", "j", "--lowpass", "15"]),
    ("joint stereo, cut-off 13 kHz", ["-m", "j", "--lowpass", "13"]),
    ("joint stereo, cut-off 11 kHz", ["-m", "j", "--lowpass", "11"]),
    ("plain stereo, lame's own cut-off", ["-m", "s"]),
    ("plain stereo, cut-off 13 kHz", ["-m", "s", "--lowpass", "13"]),
]
# (name, sox effects that select the band) for the error figures.
BANDS = [("mid < 4 kHz", ["remix", "1v0.5,2v0.5", "sinc", "-4000"]),
         ("mid 4-11 kHz", ["remix", "1v0.5,2v0.5", "sinc", "4000-11000"]),
         ("side < 4 kHz", ["remix", "1v0.5,2v-0.5", "sinc", "-4000"]),
         ("side 4-11 kHz", ["remix", "1v0.5,2v-0.5", "sinc", "4000-11000"])]


def run(command):
    return subprocess.run(command, capture_output=True, text=True, check=True, timeout=300)


def rms_db(wav, effects):
    value = re.search(r"RMS lev dB\s+(\S+)", run(["sox", wav, "-n"] + effects + ["stats"]).stderr).group(1)
    return float(value) if value != "-inf" else -200.0


def measure(loop, gain, scratch):
    """Prints one row per candidate: the error per band and the top kept."""
    source = os.path.join(scratch, "source.wav")
    run(["sox", "-R", "-D", loop, "-b", "16", source, "gain", "%.2f" % gain])
    print("%-36s %s  %s" % ("", "  ".join("%13s" % name for name, _ in BANDS), "kept > 11 kHz"))
    top = rms_db(source, ["sinc", "11000"])
    for name, options in CANDIDATES:
        mp3, decoded, error = (os.path.join(scratch, n) for n in ("c.mp3", "c.wav", "e.wav"))
        run(["lame", "--quiet", "--cbr", "-b", "64", "-q", "2", "--resample", "44.1"] + options
            + [source, mp3])
        run(["mpg123", "-q", "-w", decoded, mp3])
        run(["sox", "-m", "-v", "1", source, "-v", "-1", decoded, error])
        losses = [rms_db(error, effects) - rms_db(source, effects) for _, effects in BANDS]
        kept = rms_db(decoded, ["sinc", "11000"]) - top
        print("%-36s %s  %13.1f" % (name, "  ".join("%13.1f" % v for v in losses), kept))


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: encoder_loss.py SOURCE.py SOUNDFONT.sf3\n")
        return 2
    for path in argv[1:]:
        if not os.path.isfile(path):
            sys.stderr.write("encoder_loss.py: no such file: %s\n" % path)
            return 2
    scratch = tempfile.mkdtemp(prefix="encoder-loss-")
    try:
        loop, _ = make_tune.render_loop(argv[1], argv[2], scratch)
        loudness, _, _ = make_tune.measure(loop)
        measure(loop, make_tune.TARGET_LUFS - loudness, scratch)
    except subprocess.CalledProcessError as failed:
        sys.stderr.write("encoder_loss.py: %s failed:\n%s" % (failed.cmd[0], failed.stderr))
        return 1
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
