"""The show in a window that is maximised: the frame then fills the larger
window, the street running along its new bottom edge to its right edge,
instead of staying in the corner the window first had."""
import os
import shutil
import sys
import tempfile
import time

import snowrig

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e"))
from demo import SKY, colour_share, dist_dir, expect  # noqa: E402

WM_SYSCOMMAND = 0x0112
SC_MAXIMIZE = 0xF030


def main():
    with snowrig.Rig(desktop="1024x768", name="show-maximised") as rig:
        if not os.path.exists(os.path.join(dist_dir(rig), "snowgig.dat")):
            sys.exit("the shipping folder has no snowgig.dat: configure with SNOWGIG_PACK")
        folder = os.path.join(tempfile.mkdtemp(prefix="dist-", dir=rig.dir), "dist")
        shutil.copytree(dist_dir(rig), folder)
        proc = rig.start(["snowgig.exe"], cwd=folder)
        rig.wait_window("Setup", 60)
        rig.click("Setup", 1004)  # Windowed
        rig.wintool("foreground", "Setup")
        rig.key("Return")
        rig.wait_window("snowgig", 90)
        time.sleep(8)  # past the logo: the scene with its street is showing
        before = rig.client_size("snowgig")[:2]
        expect(before == (640, 480), "window client %r, want 640 x 480" % (before,))

        rig.wintool("post", "snowgig", str(WM_SYSCOMMAND), str(SC_MAXIMIZE), "0")
        time.sleep(4)
        width, height = rig.client_size("snowgig")[:2]
        expect(width > 800 and height > 600, "maximised client is %d x %d" % (width, height))

        # The lower right of the desktop lies outside the window's first 640 x 480;
        # once maximised it shows the street, not the sky colour the frame is
        # cleared to.
        shot = rig.screenshot(os.path.join(rig.dir, "maximised.png"))
        x, y, _, _ = rig.desktop_box()
        crop = "%dx%d+%d+%d" % (300, 100, x + 700, y + 640)
        sky = colour_share(snowrig.image_histogram(shot, crop), SKY)
        expect(sky < 0.2, "%.0f%% of the lower right is sky: the frame did not follow "
                          "the window (see %s)" % (sky * 100, shot))

        rig.key("Escape")
        code = proc.wait(30)
        expect(code == 0, "exit status %r" % code)
    print("maximised window shows the whole frame")


if __name__ == "__main__":
    main()
