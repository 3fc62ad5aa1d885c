#!/usr/bin/python3
"""reproduce_test.py BUILT_PACK PACKWRITER SOUNDFONT

Draws every picture and renders the tune again from the sources into a scratch
folder, packs them, and checks that the result is byte for byte the pack the
build made: the same sources always give the same snowgig.dat."""

import hashlib
import os
import shutil
import subprocess
import sys
import tempfile

TOP = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", ".."))
ART = ["logo.py", "balloons.py", "font.py", "santa.py", "car.py", "sky.py", "city.py"]
IMAGES = ["tdx", "balloons", "font", "santa", "santa-head", "hand", "leg", "car",
          "tyre0", "tyre1", "tyre2", "tyre3", "sun", "sunray",
          "city0", "city1", "city2", "city3", "city4"]


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def run(command):
    result = subprocess.run(command, capture_output=True, text=True, timeout=400)
    if result.returncode != 0:
        sys.stderr.write("%s failed:\n%s%s" % (command[1], result.stdout, result.stderr))
        sys.exit(1)


def main(argv):
    if len(argv) != 4:
        sys.stderr.write("usage: reproduce_test.py BUILT_PACK PACKWRITER SOUNDFONT\n")
        return 2
    built, packwriter, soundfont = argv[1:]
    scratch = tempfile.mkdtemp(prefix="snowgig-reproduce-")
    try:
        art = os.path.join(scratch, "art")
        run([sys.executable, os.path.join(TOP, "tools", "artwork", "render_art.py"), art]
            + [os.path.join(TOP, "data", "art", name) for name in ART])
        tune = os.path.join(scratch, "gimme_64k.mp3")
        run([sys.executable, os.path.join(TOP, "tools", "tunemaker", "make_tune.py"),
             os.path.join(TOP, "data", "tune", "gimme.py"), soundfont, tune,
             os.path.join(scratch, "tune")])
        pack = os.path.join(scratch, "snowgig.dat")
        run([packwriter, pack, tune] + [os.path.join(art, n + ".tga") for n in IMAGES])
        if digest(pack) != digest(built):
            sys.stderr.write("the sources no longer give the built pack %s\n" % built)
            for name in IMAGES:
                built_image = os.path.join(os.path.dirname(built), "art", name + ".tga")
                if os.path.exists(built_image) and digest(built_image) != digest(os.path.join(art, name + ".tga")):
                    sys.stderr.write("  %s.tga differs\n" % name)
            if digest(tune) != digest(os.path.join(os.path.dirname(built), "gimme_64k.mp3")):
                sys.stderr.write("  gimme_64k.mp3 differs\n")
            return 1
        print("snowgig.dat rebuilt from its sources: identical (%s)" % digest(pack)[:16])
        return 0
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
