#!/usr/bin/env python3
"""Runs the demo on a private screen and records it: a video with its music and
a few screenshots, for a machine without a display.

    showcase.py --dist build/windows/dist --out out [--seconds 60]

It starts Xvfb and a Wine virtual desktop, accepts the Setup dialog with its
preselected 640 x 480 x 32 full-screen mode, lets the show run, presses Escape
and muxes the screen recording with the sound the program played.
"""
import argparse
import os
import subprocess
import sys
import time

top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(top, "tests", "rig"))
import snowrig  # noqa: E402

SHOTS = [1.0, 4.5, 12.0, 20.0, 30.0, 45.0, 58.0]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--dist", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--seconds", type=float, default=60)
    a = ap.parse_args()
    os.makedirs(a.out, exist_ok=True)
    os.environ.setdefault("SNOWGIG_RIG_DIR", os.path.join(top, "build", "showcase-rig"))
    os.environ.setdefault("SNOWGIG_WIN_BUILD", os.path.join(top, "build", "windows"))
    video_only = os.path.join(a.out, "screen.mp4")
    final = os.path.join(a.out, "snowgig-show.mp4")
    shots = []
    with snowrig.Rig(desktop="1024x768", clocked_sound=True, name="showcase") as rig:
        proc = rig.start(["snowgig.exe"], cwd=a.dist)
        rig.wait_window("Setup", timeout=60)
        shots.append(rig.screenshot(os.path.join(a.out, "setup-dialog.png")))
        grab = subprocess.Popen(
            ["ffmpeg", "-loglevel", "error", "-y", "-f", "x11grab", "-framerate", "25",
             "-video_size", rig.screen, "-i", rig.display, "-t", str(a.seconds + 5),
             "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p", video_only],
            env=rig.env, stdin=subprocess.DEVNULL)
        video_start = time.time()
        rig.key("Return")
        next_shot = 0
        while time.time() - video_start < a.seconds:
            now = time.time() - video_start
            if next_shot < len(SHOTS) and now >= SHOTS[next_shot]:
                name = "show-%02ds.png" % int(SHOTS[next_shot])
                shots.append(rig.screenshot(os.path.join(a.out, name)))
                next_shot += 1
            if not proc.running():
                print("showcase: the demo ended early; its output:\n" + proc.output())
                break
            time.sleep(0.05)
        rig.key("Escape")
        try:
            code = proc.wait(30)
        except snowrig.RigError:
            code = None
        grab.terminate()
        try:
            grab.wait(timeout=30)
        except subprocess.TimeoutExpired:
            grab.kill()
        # The sound was recorded on the wall clock from the start of the session:
        # cut it where the screen recording began.
        sound = rig.sound_bytes()[rig.sound_offset(video_start):]
    raw = os.path.join(a.out, "sound.raw")
    with open(raw, "wb") as f:
        f.write(sound)
    if sound:
        subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-i", video_only,
                        "-f", "s16le", "-ar", "44100", "-ac", "2",
                        "-i", raw, "-map", "0:v", "-map", "1:a", "-c:v", "copy", "-c:a", "aac",
                        "-b:a", "128k", "-shortest", final], check=True, timeout=300)
        os.remove(video_only)
    else:
        os.replace(video_only, final)
    os.remove(raw)
    print("showcase: exit status %s" % code)
    print("showcase: video  %s" % final)
    for s in shots:
        print("showcase: screenshot %s" % s)
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
