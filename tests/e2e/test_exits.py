"""Every way of ending the demo ends the process with status 0 and leaves
nothing running: Cancel in the Setup dialog, Escape during the show, closing the
window (Alt+F4). With --native, the Linux program on a 640 x 480 X screen, whose
one display mode is the preselected 640 x 480 x 32."""
import os
import signal
import time

import snowrig
from demo import (NATIVE, TITLE, accept_setup, copy_dist, expect, shots_dir, start_demo,
                  wait_until)


def desktop_size(rig):
    return (640, 480) if rig.native else (1024, 768)


def check_ended(rig, proc, how):
    code = proc.wait(30)
    expect(code == 0, "%s: exit status %d, want 0" % (how, code))
    expect(not rig.has_window(TITLE), "%s: the demo window is still there" % how)
    expect(not rig.has_window("Setup"), "%s: the Setup dialog is still there" % how)


def choose_windowed(rig):
    rig.wait_window("Setup", 60)
    if not rig.native:
        rig.click("Setup", 1004)  # windowed, so the key goes to a plain window


def cancel(rig, folder):
    proc = start_demo(rig, folder)
    rig.wait_window("Setup", 60)
    if rig.native:
        rig.foreground("Setup")
        rig.key("Escape")
    else:
        rig.click("Setup", 2)
    check_ended(rig, proc, "Cancel")


# The Setup dialog's controls in the order Tab walks them: Full-screen (the
# radio group), the resolution list, OK, Cancel.
TAB_ORDER = [1001, 1002, 1, 2]
WS_SYSMENU = 0x00080000
WM_SYSCOMMAND = 0x0112
SC_CLOSE = 0xF060


def setup_by_keyboard(rig, folder):
    """The Setup dialog by keyboard alone, and as a screen reader reads it: Tab
    walks every control in order and round again, the arrow keys move within
    the radio group, every mnemonic reaches its control, the list is named by
    its label; then the close box acts as Cancel."""
    proc = start_demo(rig, folder)
    rig.wait_window("Setup", 60)
    rig.foreground("Setup")
    time.sleep(0.5)
    rig.screenshot(os.path.join(shots_dir(rig), "setup-dialog%s.png" % ("-native" if rig.native else "")))
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
    check_ended(rig, proc, "the Setup dialog's close box")


def escape_key(rig, folder):
    proc = start_demo(rig, folder)
    choose_windowed(rig)
    accept_setup(rig)
    rig.wait_window(TITLE, 60)
    time.sleep(1.0)
    rig.foreground(TITLE)
    rig.key("Escape")
    check_ended(rig, proc, "Escape")
    mode = rig.display_mode()
    expect(mode[:2] == desktop_size(rig), "Escape: display mode %r not restored" % (mode,))


def escape_in_full_screen(rig, folder):
    proc = start_demo(rig, folder)
    accept_setup(rig)
    rig.wait_window(TITLE, 60)
    time.sleep(0.5)  # before the logo has faded in
    expect(rig.display_mode()[:3] == (640, 480, 32), "full-screen mode was not set")
    if rig.native:
        rig.foreground(TITLE)
    rig.key("Escape")
    check_ended(rig, proc, "Escape in full screen")
    mode = rig.display_mode()
    expect(mode[:2] == desktop_size(rig), "full screen: display mode %r not restored" % (mode,))


def alt_f4(rig, folder):
    proc = start_demo(rig, folder)
    choose_windowed(rig)
    accept_setup(rig)
    rig.wait_window(TITLE, 60)
    time.sleep(1.0)
    rig.close_window(TITLE)
    check_ended(rig, proc, "Alt+F4")


def termination_request(rig, folder):
    """A Linux program is also asked to end by a signal (Ctrl+C, logging out):
    in the Setup dialog that counts as Cancel, during the show as a quit."""
    proc = start_demo(rig, folder)
    rig.wait_window("Setup", 60)
    proc.popen.send_signal(signal.SIGTERM)
    check_ended(rig, proc, "SIGTERM in the Setup dialog")
    proc = start_demo(rig, folder)
    accept_setup(rig)
    rig.wait_window(TITLE, 60)
    time.sleep(1.0)
    proc.popen.send_signal(signal.SIGTERM)
    check_ended(rig, proc, "SIGTERM during the show")
    mode = rig.display_mode()
    expect(mode[:2] == desktop_size(rig), "SIGTERM: display mode %r not restored" % (mode,))


def main():
    if NATIVE:
        rig = snowrig.Rig(screen="640x480", capture_sound=False, clocked_sound=True,
                          name="exits-native", native=True)
    else:
        rig = snowrig.Rig(desktop="1024x768", name="exits")
    cases = [cancel, setup_by_keyboard, escape_key, escape_in_full_screen, alt_f4]
    if NATIVE:
        cases.append(termination_request)
    with rig:
        folder = copy_dist(rig)
        for case in cases:
            case(rig, folder)
            print("ok", case.__name__)
    print("exits: %d passed, 0 failed" % len(cases))


if __name__ == "__main__":
    main()
