"""The show as a person sees and hears it, in a 1024 x 768 virtual desktop:
the Setup dialog and its mode list, the loading bar, two seconds of sky and
silence, the logo with the music starting, then the scene."""
import os
import struct
import subprocess
import time

import snowrig
from demo import (SKY, TITLE, colour_share, copy_dist, expect, read_pack, shots_dir,
                  silent, start_demo)


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


def image_size(pack_path, name):
    tga = dict(read_pack(pack_path))[name]
    return struct.unpack_from("<HH", tga, 12)


class Timeline:
    """Screenshots and capture positions taken at chosen times after the window
    appeared."""

    def __init__(self, rig, start):
        self.rig = rig
        self.start = start
        self.crop = rig.desktop_crop()
        self.marks = {}

    def at(self, seconds, name):
        delay = self.start + seconds - time.time()
        if delay > 0:
            time.sleep(delay)
        path = self.rig.screenshot(os.path.join(shots_dir(self.rig), name + ".png"))
        self.marks[name] = (time.time() - self.start, len(self.rig.sound_bytes()))
        return snowrig.image_histogram(path, self.crop), path


def main():
    with snowrig.Rig(desktop="1024x768", name="show") as rig:
        folder = copy_dist(rig)
        proc = start_demo(rig, folder)
        check_dialog(rig)
        print("ok setup dialog")

        watcher = subprocess.Popen(["wine", snowrig.wintool_path(), "watchprogress", "Setup",
                                    "1003", "120000"], env=rig.env, stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL)
        rig.wintool("foreground", "Setup")
        rig.key("Return")
        rig.wait_window(TITLE, 90)
        start = time.time()
        progress = watcher.communicate(timeout=60)[0].decode().split()
        # "max POS range LOW HIGH last POS"
        expect(progress[1] == "27" and progress[3:5] == ["0", "27"],
               "loading bar %r, want 27 of 27" % " ".join(progress))
        print("ok loading bar reached 27 of 27")

        expect(rig.display_mode()[:3] == (640, 480, 32), "the show did not switch to 640x480x32")
        t = Timeline(rig, start)
        for i, when in enumerate((0.4, 1.2)):
            hist, path = t.at(when, "sky-%d" % i)
            share = colour_share(hist, SKY)
            expect(share > 0.995, "%s: only %.3f of the screen is sky during the delay" % (path, share))
        hist, path = t.at(3.4, "logo")
        expect(colour_share(hist, SKY) < 0.97, "%s: no logo after 3.4 s" % path)
        print("ok sky, then logo")

        hist, path = t.at(12.0, "scene")
        expect(colour_share(hist, SKY) < 0.8, "%s: the scene does not cover the sky" % path)
        # The quote stands in black inside the big bubble, 9 to 13 s into the scene.
        w_santa, _ = image_size(os.path.join(folder, "snowgig.dat"), "santa.tga")
        hist, path = t.at(16.0, "quote0")
        dark = sum(c for rgb, c in hist.items() if max(rgb) < 40)
        expect(dark > 150, "%s: no black quote text (%d dark pixels)" % (path, dark))
        print("ok scene and first quote (santa is %d wide)" % w_santa)

        raw = rig.sound_bytes()
        delay_end = t.marks["sky-1"][1]
        expect(silent(raw[:delay_end]), "sound during the start delay")
        after = raw[t.marks["logo"][1]:t.marks["quote0"][1]]
        levels = snowrig.sound_levels(after)
        loud = sum(1 for v in levels if v > 500)
        expect(levels and loud > 0.8 * len(levels), "the tune is not heard after the delay "
               "(%d of %d windows loud)" % (loud, len(levels)))
        print("ok silent while paused, the tune after the unpause")

        rig.key("Escape")
        expect(proc.wait(30) == 0, "exit status after Escape")
    print("show: 5 passed, 0 failed")


if __name__ == "__main__":
    main()
