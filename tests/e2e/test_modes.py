"""The Setup dialog by keyboard; the display modes: windowed operation chosen in
the Setup dialog, full screen at 800 x 600, where the picture scales by 1.25
and the desktop's own mode comes back after Escape, and (under Wine) full
screen giving way to another program and coming back. With --native, the Linux program on a 1024 x 768 X
screen that also offers 800 x 600 and 640 x 480 (RandR, which Xvfb switches
for real: SDL sets the mode and the screen takes its size)."""
import os
import time

import snowrig
from demo import (NATIVE, TITLE, accept_setup, copy_dist, expect, shots_dir, start_demo,
                  wait_until)

WS_POPUP = 0x80000000
WS_MINIMIZE = 0x20000000
WS_SYSMENU = 0x00080000
WINDOWED_STYLE = 0x00CA0000
WM_SYSCOMMAND = 0x0112
SC_CLOSE = 0xF060
SC_RESTORE = 0xF120

# The Setup dialog's controls in the order Tab walks them: Full-screen (the
# radio group), the resolution list, OK, Cancel.
TAB_ORDER = [1001, 1002, 1, 2]

DESKTOP = (1024, 768)
# The native screen's modes besides its own, at 60 Hz like the virtual desktop's.
NATIVE_MODES = [(800, 600, 60), (640, 480, 60)]


def logo_box(rig, name, shown):
    """The logo's extent on screen at its most opaque. The screen is watched from
    the moment the window shows until the scene begins (a picture as wide as the
    screen) or 12 s have passed, so a slow start moves the logo in time without
    missing it; the widest box that is not the scene is the logo at full opacity."""
    crop = rig.desktop_crop()
    screen_width = int(crop.split("x")[0])
    best = None
    shot = 0
    while time.time() - shown < 12.0:
        path = rig.screenshot(os.path.join(shots_dir(rig), "%s-%03d.png" % (name, shot)))
        shot += 1
        box = snowrig.content_box(path, crop)
        if box and box[2] >= 0.9 * screen_width:
            break
        if box and (best is None or box[2] * box[3] > best[2] * best[3]):
            best = box
    return best


def check_windowed_window(rig):
    if rig.native:
        # No window manager frames it: the window is its client area, and with
        # the mode unchanged it leaves most of the screen uncovered.
        x, y, width, height = rig.window_box(TITLE)
        expect((width, height) == (640, 480), "windowed window %dx%d" % (width, height))
        return
    width, height, style, _ = rig.client_size(TITLE)
    expect((width, height) == (640, 480), "windowed client area %dx%d" % (width, height))
    expect(style & WINDOWED_STYLE == WINDOWED_STYLE and not style & WS_POPUP,
           "windowed style 0x%08x" % style)


def check_full_screen_window(rig, size):
    if rig.native:
        # Full screen is the window covering the whole of the smaller screen
        # from its corner; nothing else marks it without a window manager.
        box = rig.window_box(TITLE)
        expect(box == (0, 0) + size, "full-screen window at %r, want %r" % (box, (0, 0) + size))
        return
    width, height, style, _ = rig.client_size(TITLE)
    expect((width, height) == size, "full-screen client area %dx%d" % (width, height))
    expect(style & WS_POPUP, "full-screen style 0x%08x" % style)


def windowed(rig, folder):
    proc = start_demo(rig, folder)
    rig.wait_window("Setup", 60)
    rig.click("Setup", 1004)
    accept_setup(rig)
    rig.wait_window(TITLE, 60)
    check_windowed_window(rig)
    expect(rig.display_mode()[:2] == DESKTOP, "windowed operation changed the display mode")
    rig.foreground(TITLE)
    rig.key("Escape")
    expect(proc.wait(30) == 0, "windowed: exit status not 0")


def full_screen(rig, folder, mode_text, size):
    proc = start_demo(rig, folder)
    rig.wait_window("Setup", 60)
    selected, entries = rig.combo("Setup", 1002)
    expect(mode_text in entries, "no %r in the Setup list %r" % (mode_text, entries))
    rig.select("Setup", 1002, entries.index(mode_text))
    accept_setup(rig)
    rig.wait_window(TITLE, 60)
    shown = time.time()
    mode = rig.display_mode()
    expect(mode[:3] == size + (32,), "full-screen mode %r, want %r" % (mode, size))
    check_full_screen_window(rig, size)
    box = logo_box(rig, "logo-%dx%d" % size, shown)
    if rig.native:
        rig.foreground(TITLE)  # no window manager hands the new window the focus
    rig.key("Escape")
    expect(proc.wait(30) == 0, "full screen: exit status not 0")
    mode = rig.display_mode()
    expect(mode[:2] == DESKTOP, "display mode %r not restored after Escape" % (mode,))
    return box


def setup_by_keyboard(rig, folder):
    """The Setup dialog by keyboard alone, and as a screen reader reads it: Tab
    walks every control in order and round again, the arrow keys move within
    the radio group, every mnemonic reaches its control, the list is named by
    its label; then the close box acts as Cancel."""
    proc = start_demo(rig, folder)
    rig.wait_window("Setup", 60)
    rig.foreground("Setup")
    time.sleep(0.5)
    shot = rig.screenshot(os.path.join(shots_dir(rig),
                                       "setup-dialog%s.png" % ("-native" if rig.native else "")))
    if not rig.native:
        # Santa's red hat in the caption: the program's icon, not the generic one
        # (nothing else on the desktop is red).
        red = sum(n for (r, g, b), n in snowrig.image_histogram(shot).items()
                  if r > 150 and g < 90 and b < 90)
        expect(red >= 5, "no program icon in the Setup dialog's caption (%d red pixels)" % red)
    first = wait_until(lambda: rig.focused_control("Setup"), 10)
    expect(first in TAB_ORDER, "the first focus is on control %r" % first)
    walk = [first]
    for _ in TAB_ORDER:
        rig.key("Tab")
        walk.append(rig.focused_control("Setup"))
    start = TAB_ORDER.index(first)
    want = TAB_ORDER[start:] + TAB_ORDER[:start + 1]
    expect(walk == want, "Tab walks %r, want %r" % (walk, want))
    while rig.focused_control("Setup") != 1001 and len(walk) < 12:
        rig.key("Tab")
        walk.append(rig.focused_control("Setup"))
    for key, control in (("Down", 1004), ("Up", 1001)):
        rig.key(key)
        focused = rig.focused_control("Setup")
        expect(focused == control and rig.checked("Setup", control),
               "%s in the radio group: focus on %r, %r checked" % (key, focused, control))
    for letter, control in (("W", 1004), ("F", 1001), ("R", 1002)):
        rig.alt_key(letter)
        focused = wait_until(lambda: rig.focused_control("Setup") == control, 3)
        expect(focused, "Alt+%s: focus on %r, want %r" % (letter, rig.focused_control("Setup"), control))
        if control != 1002:
            expect(rig.checked("Setup", control), "Alt+%s does not check %r" % (letter, control))
    label = rig.label_of("Setup", 1002)
    expect(label == "Resolution:", "the resolution list is labelled %r" % label)
    if rig.native:
        rig.close_window("Setup")
    else:
        expect(rig.client_size("Setup")[2] & WS_SYSMENU, "the Setup dialog has no close box")
        rig.wintool("post", "Setup", WM_SYSCOMMAND, SC_CLOSE, 0)
    expect(proc.wait(30) == 0, "the Setup dialog's close box: exit status not 0")
    expect(not rig.has_window("Setup"), "the Setup dialog's close box: the dialog is still there")


NOTEPAD = "Untitled - Notepad"


def minimised(rig):
    return bool(rig.client_size(TITLE)[2] & WS_MINIMIZE)


def full_screen_gives_way(rig, folder):
    """Switching to another program gives the desktop its own mode back and
    minimises the show; coming back (a click on its taskbar button restores
    and activates it) switches to the show's mode again, and the show goes on."""
    proc = start_demo(rig, folder)
    accept_setup(rig)
    rig.wait_window(TITLE, 60)
    show = (640, 480, 32)
    expect(wait_until(lambda: rig.display_mode()[:3] == show, 10), "full-screen mode not set")
    rig.start(["notepad"])
    rig.wait_window(NOTEPAD, 60)
    rig.foreground(NOTEPAD)
    expect(wait_until(lambda: rig.display_mode()[:2] == DESKTOP, 10),
           "display mode %r after switching away, want the desktop's" % (rig.display_mode(),))
    expect(wait_until(lambda: minimised(rig), 10), "the show is not minimised")
    rig.wintool("post", TITLE, WM_SYSCOMMAND, SC_RESTORE, 0)
    rig.foreground(TITLE)
    expect(wait_until(lambda: rig.display_mode()[:3] == show, 10),
           "display mode %r after coming back, want %r" % (rig.display_mode(), show))
    expect(wait_until(lambda: not minimised(rig), 10), "the show stays minimised")
    check_full_screen_window(rig, show[:2])
    expect(proc.running(), "the show ended")
    rig.key("Escape")
    expect(proc.wait(30) == 0, "full screen after coming back: exit status not 0")
    mode = rig.display_mode()
    expect(mode[:2] == DESKTOP, "display mode %r not restored after Escape" % (mode,))


def main():
    if NATIVE:
        rig = snowrig.Rig(screen="%dx%d" % DESKTOP, name="modes-native", native=True,
                          modes=NATIVE_MODES)
    else:
        rig = snowrig.Rig(desktop="%dx%d" % DESKTOP, name="modes")
    with rig:
        folder = copy_dist(rig)
        setup_by_keyboard(rig, folder)
        print("ok setup_by_keyboard")
        windowed(rig, folder)
        print("ok windowed")
        small = full_screen(rig, folder, "640 x 480 x 32 bpp", (640, 480))
        large = full_screen(rig, folder, "800 x 600 x 32 bpp", (800, 600))
        expect(small and large, "no logo seen: %r %r" % (small, large))
        # The logo's left edge stands at 160 authored units; its size scales too.
        ratio_x = large[0] / small[0]
        ratio_w = large[2] / small[2]
        ratio_h = large[3] / small[3]
        for name, r in (("left edge", ratio_x), ("width", ratio_w), ("height", ratio_h)):
            expect(abs(r - 1.25) < 0.04, "logo %s scaled by %.3f, want 1.25" % (name, r))
        print("ok full_screen (logo %r at 640x480, %r at 800x600)" % (small, large))
        passed = 3
        if not rig.native:
            full_screen_gives_way(rig, folder)
            print("ok full_screen_gives_way")
            passed += 1
    print("modes: %d passed, 0 failed" % passed)


if __name__ == "__main__":
    main()
