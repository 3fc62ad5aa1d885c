#!/usr/bin/env python3
"""The Linux sound library's benchmark: makes a 9-second and a 90-second 64 kbps
test file, times mpg123 decoding the long one, then runs linuxsoundbench on
both. Prints figures only; every step is bounded in time.

    run_linux_sound_bench.py NATIVE_BUILD_DIR
"""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, ".."))
from run_sound_bench import make_tune, time_mpg123  # noqa: E402


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    bench = os.path.join(os.path.abspath(sys.argv[1]), "bench", "sound", "linux",
                         "linuxsoundbench")
    with tempfile.TemporaryDirectory(prefix="linuxsoundbench-") as folder:
        long_tune = make_tune(folder, "bench90", 90)
        short_tune = make_tune(folder, "bench9", 9)
        mpg123 = time_mpg123(long_tune)
        print("mpg123: 90.0 s of sound decoded in %.4f s (best of 5, process start included): "
              "%.0f x real time" % (mpg123, 90.0 / mpg123))
        sys.stdout.flush()
        result = subprocess.run([bench, long_tune, short_tune], timeout=300)
        return result.returncode


if __name__ == "__main__":
    sys.exit(main())
