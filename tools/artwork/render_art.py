#!/usr/bin/python3
"""render_art.py OUTDIR SOURCE.py...

Runs each picture source and writes its images into OUTDIR as TGA files.
A source is a Python file with a table IMAGES: file name -> (width, height,
draw), where draw(ctx, width, height) paints on a cleared, transparent cairo
context whose origin is the picture's top-left corner, y growing downward."""

import importlib.util
import os
import sys

import cairo

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tga  # noqa: E402


def load_source(path):
    sys.path.insert(0, os.path.dirname(os.path.abspath(path)))
    name = "art_" + os.path.splitext(os.path.basename(path))[0]
    spec = importlib.util.spec_from_file_location(name, path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def render(width, height, draw):
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    ctx = cairo.Context(surface)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    draw(ctx, width, height)
    return surface


def main(argv):
    if len(argv) < 3:
        sys.stderr.write("usage: render_art.py OUTDIR SOURCE.py...\n")
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    for source in argv[2:]:
        module = load_source(source)
        if not hasattr(module, "IMAGES"):
            sys.stderr.write("render_art.py: %s has no IMAGES table\n" % source)
            return 1
        for name, (width, height, draw) in module.IMAGES.items():
            tga.write_surface(os.path.join(outdir, name), render(width, height, draw))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
