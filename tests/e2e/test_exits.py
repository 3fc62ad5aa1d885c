"""Every way of ending the demo ends the process with status 0 and leaves
nothing running: Cancel in the Setup dialog, Escape during the show, closing the
window (Alt+F4). Started from another folder, as a shortcut or a terminal
elsewhere would, the demo finds its pack beside itself. With --native, the Linux program on a 640 x 480 X screen, whose
one display mode is the preselected 640 x 480 x 32."""
import os
import signal
import tempfile
import time

import snowrig
from demo import NATIVE, TITLE, accept_setup, copy_dist, expect, program_name, start_demo


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


def escape_key(rig, folder):
    windowed_show_to_escape(rig, start_demo(rig, folder), "Escape")


def from_another_folder(rig, folder):
    """By its full path from an empty folder: the show starts, so the pack
    beside the program was found."""
    elsewhere = tempfile.mkdtemp(prefix="elsewhere-", dir=rig.dir)
    proc = rig.start([os.path.join(folder, program_name(rig))], cwd=elsewhere)
    windowed_show_to_escape(rig, proc, "Escape, started from another folder")


def windowed_show_to_escape(rig, proc, how):
    choose_windowed(rig)
    accept_setup(rig)
    rig.wait_window(TITLE, 60)
    time.sleep(1.0)
    rig.foreground(TITLE)
    rig.key("Escape")
    check_ended(rig, proc, how)
    mode = rig.display_mode()
    expect(mode[:2] == desktop_size(rig), "%s: display mode %r not restored" % (how, mode))


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
    cases = [cancel, escape_key, escape_in_full_screen, alt_f4, from_another_folder]
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
