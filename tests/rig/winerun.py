#!/usr/bin/env python3
"""Runs one Windows program under the rig (or, with --native, one Linux program
on a rig screen) and passes on its exit status.

    winerun.py [--native] [--desktop WxH] [--screen WxH] [--no-sound | --clocked-sound]
               [--timeout SECONDS] PROGRAM [ARGS...]

CTest uses it to run the test programs built for Windows, and the native ones
that need a display: each gets its own X screen (and Wine session), which are
ended afterwards whatever happened.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import snowrig  # noqa: E402


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--native", action="store_true", help="PROGRAM is a Linux program")
    ap.add_argument("--desktop")
    ap.add_argument("--screen", default="1024x768", help="size of the X screen")
    ap.add_argument("--no-sound", action="store_true")
    ap.add_argument("--clocked-sound", action="store_true",
                    help="capture through a sound server on the wall clock, silences included")
    ap.add_argument("--timeout", type=float, default=300)
    ap.add_argument("program")
    ap.add_argument("args", nargs=argparse.REMAINDER)
    a = ap.parse_args()
    name = os.path.splitext(os.path.basename(a.program))[0]
    with snowrig.Rig(desktop=a.desktop, screen=a.screen, capture_sound=not a.no_sound,
                     clocked_sound=a.clocked_sound,
                     name=name, native=a.native) as rig:
        proc = rig.start([a.program] + a.args, cwd=os.getcwd(),
                         extra_env={"SNOWGIG_CAPTURE": rig.sound_path})
        try:
            code = proc.wait(a.timeout)
        except snowrig.RigError as e:
            sys.stdout.write(proc.output() + proc.errors())
            print("winerun: %s: %s" % (name, e))
            return 124
        sys.stdout.write(proc.output() + proc.errors())
        return code


if __name__ == "__main__":
    sys.exit(main())
