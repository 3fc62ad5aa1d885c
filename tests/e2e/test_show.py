"""The show as a person sees and hears it, in a 1024 x 768 virtual desktop:
the Setup dialog and its mode list, the loading bar, two seconds of sky and
silence, the logo with the music starting, then the scene."""
import functools
import os
import subprocess
import time

import snowrig
from dropouts import describe, find_dropouts
from demo import SKY, TITLE, colour_share, copy_dist, expect, silent, start_demo


def expected_entries(rig):
    """The Setup list the desktop's modes should give: 16 bits or more, 0 or at
    least 60 Hz, one entry per size and depth, in the system's order."""
    seen = []
    for line in rig.wintool("modes").splitlines():
        w, h, bpp, hz = (int(v) for v in line.split())
        if bpp >= 16 and (hz == 0 or hz >= 60) and (w, h, bpp) not in seen:
            seen.append((w, h, bpp))
    return ["%d x %d x %d bpp" % m for m in seen]


def check_dialog(rig):
    rig.wait_window("Setup", 60)
    controls = rig.dialog_controls("Setup")
    for cid, text in ((1, "OK"), (2, "Cancel"), (1001, "Full-screen"), (1004, "Windowed")):
        expect(controls.get(cid, ("", ""))[1] == text, "control %d: %r" % (cid, controls.get(cid)))
    selected, entries = rig.combo("Setup", 1002)
    want = expected_entries(rig)
    expect(len(want) == 18, "the desktop offers %d usable modes, want 18" % len(want))
    expect(entries == want, "Setup list %r, want %r" % (entries, want))
    expect(0 <= selected < len(entries) and entries[selected] == "640 x 480 x 32 bpp",
           "preselected entry %d" % selected)
    expect(rig.wintool("checked", "Setup", 1001).strip() == "1", "Full-screen is not checked")


# Where the big bubble stands at 640 x 480 while Santa waits at the stop.
BUBBLE = "200x136+364+60"


# The text lines behind a car in the upper and the lower lane.
UPPER_BANNER = "640x24+0+332"
LOWER_BANNER = "640x24+0+382"


def white_pixels(path, crop):
    out = subprocess.run(["convert", path, "-crop", crop, "+repage", "-fill", "black", "-fuzz",
                          "4%", "+opaque", "white", "-format", "%[fx:mean*w*h]", "info:"],
                         stdout=subprocess.PIPE, check=True, timeout=60).stdout.decode()
    return int(float(out))


def sky_share(path, scale="50%"):
    out = os.path.join(os.path.dirname(path), "small-" + os.path.basename(path))
    subprocess.run(["convert", path, "-scale", scale, out], check=True, timeout=60)
    return colour_share(snowrig.image_histogram(out), SKY)


sky_share = functools.lru_cache(maxsize=None)(sky_share)


def main():
    with snowrig.Rig(desktop="1024x768", clocked_sound=True, name="show") as rig:
        folder = copy_dist(rig)
        proc = start_demo(rig, folder)
        check_dialog(rig)
        print("ok setup dialog")

        watcher = subprocess.Popen(["wine", snowrig.wintool_path(), "watchprogress", "Setup",
                                    "1003", "120000"], env=rig.env, stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL)
        rig.wintool("foreground", "Setup")
        recorder = rig.record(os.path.join(rig.dir, "frames"), seconds=24, fps=5)
        pressed = time.time()
        rig.key("Return")
        frames = recorder.wait()
        progress = watcher.communicate(timeout=60)[0].decode().split()
        # "max POS range LOW HIGH last POS"
        expect(progress[1] == "27" and progress[3:5] == ["0", "27"],
               "loading bar %r, want 27 of 27" % " ".join(progress))
        print("ok loading bar reached 27 of 27")
        expect(rig.display_mode()[:3] == (640, 480, 32), "the show did not switch to 640x480x32")
        expect(rig.has_window(TITLE), "no window titled %r" % TITLE)

        t0 = None
        for t, path in frames:
            if sky_share(path) > 0.99:
                t0 = t
                break
        expect(t0 is not None, "no frame of the show was recorded")
        for t, path in frames:
            if t0 <= t <= t0 + 1.7:
                share = sky_share(path)
                expect(share > 0.995, "%s: only %.3f of the screen is sky %.1f s into the "
                       "start delay" % (path, share, t - t0))
        logo = [sky_share(path) for t, path in frames if t0 + 2.6 <= t <= t0 + 4.2]
        expect(logo and min(logo) < 0.97, "no logo 2.6 to 4.2 s after the first frame")
        print("ok sky for the start delay, then the logo")

        scene = [(t, path) for t, path in frames if t >= t0 + 8]
        expect(scene and max(sky_share(path) for _, path in scene[::5]) < 0.8,
               "the scene does not cover the sky 8 s after the first frame")
        # The quote stands in black inside the big bubble, 9 to 13 s into the
        # scene, which begins about 5 s after the first frame.
        darkest = 0
        for t, path in scene:
            if t0 + 14.5 <= t <= t0 + 17.5:
                hist = snowrig.image_histogram(path, BUBBLE)
                darkest = max(darkest, sum(c for rgb, c in hist.items() if max(rgb) < 40))
        expect(darkest > 150, "no black quote text in the bubble (%d dark pixels)" % darkest)
        print("ok scene and first quote")

        # From seed 300 car 0 first comes from the right in the lower lane towing
        # the empty line 0, then from the left in the upper lane towing "Welcome
        # to this fine piece of snowgig.", whose white letters run along y = 341.
        first_trip = max(white_pixels(path, LOWER_BANNER) for t, path in frames
                         if t0 + 5.5 <= t <= t0 + 10)
        expect(first_trip < 100, "letters in the lower lane on the first trip (%d)" % first_trip)
        second_trip = max(white_pixels(path, UPPER_BANNER) for t, path in frames
                          if t0 + 13 <= t <= t0 + 19)
        expect(second_trip > 600, "no banner on the second trip (%d white pixels)" % second_trip)
        print("ok no banner on the first trip, the welcome line on the second")

        start_wall = pressed + t0
        raw = rig.sound_bytes()
        delay = raw[:rig.sound_offset(start_wall + 1.7)]
        expect(len(delay) > 0 and silent(delay), "sound during the start delay")
        after = raw[rig.sound_offset(start_wall + 2.8):rig.sound_offset(pressed + frames[-1][0])]
        levels = snowrig.sound_levels(after)
        loud = sum(1 for v in levels if v > 500)
        expect(levels and loud > 0.9 * len(levels), "the tune is not heard after the delay "
               "(%d of %d windows loud)" % (loud, len(levels)))
        playing = raw[rig.sound_offset(start_wall + 1.7):rig.sound_offset(pressed + frames[-1][0])]
        dropouts = find_dropouts(playing)
        expect(not dropouts, "the tune drops out: %s" % describe(dropouts, offset=1.7))
        print("ok silent while paused, the tune after the unpause, no dropout")

        rig.key("Escape")
        expect(proc.wait(30) == 0, "exit status after Escape")
    print("show: 6 passed, 0 failed")


if __name__ == "__main__":
    main()
