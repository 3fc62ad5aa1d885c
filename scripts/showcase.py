#!/usr/bin/env python3
"""Runs the demo on a private screen and records it: a video of the show with
its music and a few pictures, for a machine without a display.

    showcase.py --dist build/windows/dist --out out [--seconds 60] [--fps 60]

It starts Xvfb and a Wine virtual desktop and accepts the Setup dialog with its
preselected 640 x 480 x 32 full-screen mode. Once the dialog has gone it records
only the demo's screen, the mode's 640 x 480 at the top left of the desktop,
without the pointer, into a fast lossless file; it stops recording, then presses
Escape, so that neither the desktop nor the pointer ever shows. After the show
it encodes the recording with the sound the program played (H.264 and AAC),
and prints the recording's frame rate, the share of frames that repeat the one
before, and the dropouts in the sound.
"""
import argparse
import os
import re
import subprocess
import sys
import time

top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(top, "tests", "rig"))
import snowrig  # noqa: E402
from dropouts import find_dropouts  # noqa: E402

MODE = (640, 480)            # the Setup dialog's preselected mode
SHOTS = [1.0, 4.5, 12.0, 20.0, 30.0, 45.0, 58.0]


def count_dropouts(raw):
    """Dropouts after the first sound; a silence still open where the capture
    was cut is the end of the recording, not a dropout."""
    total = (len(raw) // 4) / snowrig.SAMPLE_RATE
    return sum(1 for at, length in find_dropouts(raw) if at + length < total - 1e-6)


def grab_start(log_path):
    """The wall-clock time of the recording's first frame: x11grab stamps its
    frames with the wall clock, and ffmpeg reports the first stamp."""
    with open(log_path, errors="replace") as f:
        m = re.search(r"start: (\d+\.\d+)", f.read())
    return float(m.group(1)) if m else None


def frame_hashes(path):
    out = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-map", "0:v", "-f", "framemd5",
                          "-"], stdout=subprocess.PIPE, check=True, timeout=600).stdout.decode()
    return [line.rsplit(",", 1)[1].strip() for line in out.splitlines()
            if line and not line.startswith("#")]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--dist", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--seconds", type=float, default=60)
    ap.add_argument("--fps", type=int, default=60)
    a = ap.parse_args()
    os.makedirs(a.out, exist_ok=True)
    os.environ.setdefault("SNOWGIG_RIG_DIR", os.path.join(top, "build", "showcase-rig"))
    os.environ.setdefault("SNOWGIG_WIN_BUILD", os.path.join(top, "build", "windows"))
    final = os.path.join(a.out, "snowgig-show.mp4")
    shots = []
    size = "%dx%d" % MODE
    with snowrig.Rig(desktop="1024x768", clocked_sound=True, name="showcase") as rig:
        grab_path = os.path.join(rig.dir, "screen.nut")
        grab_log = os.path.join(rig.dir, "grab.log")
        proc = rig.start(["snowgig.exe"], cwd=a.dist)
        rig.wait_window("Setup", timeout=60)
        shots.append(rig.screenshot(os.path.join(a.out, "setup-dialog.png")))
        x, y, _, _ = rig.desktop_box()
        # The pointer goes out of the demo's rectangle, and is not drawn anyway.
        subprocess.run(["xdotool", "mousemove", str(x + 1023), str(y + 767)], env=rig.env,
                       timeout=30, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        rig.key("Return")
        rig.wait_gone("Setup", timeout=60)
        # A cheap lossless recording (FFV1's Huffman cousin costs little CPU); the
        # H.264 encoding waits until the show is over.
        with open(grab_log, "wb") as log:
            grab = subprocess.Popen(
                snowrig._ahead +
                ["ffmpeg", "-nostdin", "-nostats", "-loglevel", "info", "-y",
                 "-f", "x11grab", "-draw_mouse", "0", "-framerate", str(a.fps),
                 "-video_size", size, "-i", "%s+%d,%d" % (rig.display, x, y),
                 "-t", str(a.seconds), "-c:v", "ffvhuff", grab_path],
                env=rig.env, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                start_new_session=True)
        try:
            grab.wait(timeout=a.seconds + 60)
        except subprocess.TimeoutExpired:
            grab.kill()
            grab.wait()
        early = not proc.running()
        # The recording has ended: only now does the demo leave the screen.
        rig.key("Escape")
        try:
            code = proc.wait(30)
        except snowrig.RigError:
            code = None
        started = grab_start(grab_log)
        sound = rig.sound_bytes()
        if started is not None:
            begin = rig.sound_offset(started)
            sound = sound[begin:begin + int(a.seconds * snowrig.SAMPLE_RATE) * 4]
        else:
            sound = b""
        if early:
            print("showcase: the demo ended early; its output:\n" + proc.output())
        if grab.returncode != 0 or not os.path.exists(grab_path):
            print("showcase: the screen recording failed, see %s" % grab_log)
            return 1

        hashes = frame_hashes(grab_path)
        repeats = sum(1 for k in range(1, len(hashes)) if hashes[k] == hashes[k - 1])
        raw = os.path.join(rig.dir, "sound.raw")
        with open(raw, "wb") as f:
            f.write(sound)
        encode = ["ffmpeg", "-loglevel", "error", "-y", "-i", grab_path]
        if sound:
            encode += ["-f", "s16le", "-ar", str(snowrig.SAMPLE_RATE), "-ac", "2", "-i", raw,
                       "-map", "0:v", "-map", "1:a", "-c:a", "aac", "-b:a", "160k"]
        encode += ["-c:v", "libx264", "-preset", "medium", "-crf", "18", "-pix_fmt", "yuv420p",
                   "-movflags", "+faststart", final]
        subprocess.run(encode, check=True, timeout=1800)
        for t in SHOTS:
            if t < a.seconds:
                name = os.path.join(a.out, "show-%02ds.png" % int(t))
                subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-ss", str(t), "-i",
                                grab_path, "-frames:v", "1", name], check=True, timeout=120)
                shots.append(name)
        # About a gigabyte a minute: not kept once encoded.
        os.remove(grab_path)
        os.remove(raw)

    print("showcase: exit status %s" % code)
    print("showcase: recorded %d frames of %s in %.1f s: %.1f fps; %d of them (%.1f%%) repeat "
          "the one before, so the demo showed %.1f new pictures a second"
          % (len(hashes), size, a.seconds, len(hashes) / a.seconds, repeats,
             100.0 * repeats / max(1, len(hashes)), (len(hashes) - repeats) / a.seconds))
    if sound:
        print("showcase: sound dropouts (2 ms or more of silence after the music starts): %d"
              % count_dropouts(sound))
    else:
        print("showcase: no sound was recorded")
    print("showcase: video  %s" % final)
    for s in shots:
        print("showcase: picture %s" % s)
    return 0 if code == 0 and not early else 1


if __name__ == "__main__":
    sys.exit(main())
