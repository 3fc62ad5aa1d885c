"""The rig's driver for Linux programs: windows on the X screen found by their
title (xwindows.py), GTK dialogs read and driven through the accessibility
bus (a11ytool.py), and a sound device held to the wall clock (pacedsink.py)."""
import os
import shlex
import subprocess
import sys

import snowrig
import xwindows
from snowrig import RigError

HERE = os.path.dirname(os.path.abspath(__file__))
A11YTOOL = os.path.join(HERE, "a11ytool.py")
PACED_SINK = os.path.join(HERE, "pacedsink.py")

# Debian's Python, which has the AT-SPI bindings the accessibility helper uses
# (the interpreter running the tests may be another one).
SYSTEM_PYTHON = "/usr/bin/python3"

# The Setup dialog's controls by their Windows ids, and the role and label by
# which the GTK dialog shows the same control ("": the first control of that
# role).
DIALOG_WIDGETS = {1: ("push button", "OK"), 2: ("push button", "Cancel"),
                  1001: ("radio button", "Full-screen"), 1002: ("combo box", ""),
                  1003: ("progress bar", ""), 1004: ("radio button", "Windowed")}


class LinuxDriver(snowrig.Driver):
    """Linux programs on the rig's screen, with a D-Bus session bus of their own
    through which their GTK windows are read (AT-SPI)."""

    native = True
    # A message box says its text on standard error too, as "TITLE: TEXT".
    keeps_errors = True

    def __init__(self, modes=()):
        self.modes = list(modes)

    def setup(self, rig):
        super().setup(rig)
        xwindows.add_modes(rig.env, self.modes)
        rig.start_session_bus()

    def sound_file(self, path):
        # ALSA's null device takes samples as fast as a native program writes
        # them (gigabytes a minute); a pipe through the pacer holds the program
        # to the wall clock, as a sound card would.
        return "|" + " ".join(shlex.quote(a) for a in (
            sys.executable, PACED_SINK, path, str(snowrig.SAMPLE_RATE * 4)))

    def a11ytool(self, *args, timeout=30, check=True):
        """Runs an a11ytool command against the rig's screen and returns its output."""
        r = subprocess.run([SYSTEM_PYTHON, A11YTOOL] + [str(a) for a in args],
                           env=self.rig.env, stdout=subprocess.PIPE, stderr=self.rig.log,
                           timeout=timeout)
        if check and r.returncode != 0:
            raise RigError("a11ytool %s failed (%d)" % (" ".join(map(str, args)), r.returncode))
        return r.stdout.decode(errors="replace")

    def _widget(self, control_id):
        try:
            return DIALOG_WIDGETS[control_id]
        except KeyError:
            raise RigError("no widget is known for control %r" % control_id) from None

    # -- windows ----------------------------------------------------------------

    def _window(self, title, timeout=10):
        window = xwindows.wait_window(self.rig.env, title, timeout)
        if window is None:
            raise RigError("no window titled %r within %.0f s" % (title, timeout))
        return window

    def wait_window(self, title, timeout=30):
        """Waits until a visible window with that title exists."""
        self._window(title, timeout)

    def wait_gone(self, title, timeout=30):
        if not xwindows.wait_gone(self.rig.env, title, timeout):
            raise RigError("window %r still there after %.0f s" % (title, timeout))

    def has_window(self, title):
        return bool(xwindows.find_windows(self.rig.env, title))

    def message_text(self, title="Error", timeout=30):
        """Waits for a message box and returns its text as the user reads it,
        which the box also says on standard error, where it is read from."""
        self.wait_window(title, timeout)
        procs = self.rig.procs
        errors = procs[-1].errors() if procs else ""
        marker = title + ": "
        if marker not in errors:
            raise RigError("no %r message on standard error: %r" % (title, errors))
        return errors[errors.rindex(marker) + len(marker):].rstrip("\n")

    def dialog_controls(self, title):
        """{id: (role, label)} of the widgets standing for the Windows dialog's
        controls, under its ids."""
        found = [line.split("\t") for line in self.a11ytool("controls", title).splitlines()]
        controls = {}
        for control_id, (role, label) in DIALOG_WIDGETS.items():
            match = next((parts for parts in found if len(parts) == 4 and parts[0] == role
                          and (not label or parts[1] == label)), None)
            if match:
                controls[control_id] = (match[0], match[1])
        return controls

    def focused_control(self, title):
        """The id of the control whose widget has the keyboard focus, 0 for none."""
        out = self.a11ytool("focused", title, check=False).strip().split("\t")
        for control_id, (role, label) in DIALOG_WIDGETS.items():
            if out[0] == role and (not label or out[1:] == [label]):
                return control_id
        # GTK 3 keeps a combo box's focus on a button inside it that AT-SPI does
        # not show: the list has the focus when an arrow key moves its
        # selection (which the other arrow then puts back). A list of one
        # entry cannot tell.
        before = self.combo(title, 1002)[0]
        for there, back in (("Down", "Up"), ("Up", "Down")):
            self.key(there)
            if self.combo(title, 1002)[0] != before:
                self.key(back)
                return 1002
        return 0

    def label_of(self, title, control_id):
        """The label a screen reader gives a control: its labelled-by relation."""
        return self.a11ytool("labelled", title, *self._widget(control_id)).strip()

    def combo(self, title, control_id):
        """(selected index, [entries]) of a combo box."""
        lines = self.a11ytool("combo", title, *self._widget(control_id)).splitlines()
        return int(lines[0].split()[1]), lines[1:]

    def select(self, title, control_id, index):
        """Chooses entry `index` of a combo box, as the user picking it does."""
        self.a11ytool("select", title, *self._widget(control_id), index)

    def checked(self, title, control_id):
        """Whether a radio button or check box is checked."""
        return self.a11ytool("checked", title, *self._widget(control_id)).strip() == "1"

    def click(self, title, control_id):
        self.a11ytool("click", title, *self._widget(control_id))

    def foreground(self, title):
        """Gives a window the keyboard focus."""
        if not xwindows.focus(self.rig.env, title):
            raise RigError("no window titled %r to focus" % title)

    def close_window(self, title):
        """Asks a window to close, as a window manager's close box does."""
        xwindows.request_close(self.rig.display, self._window(title))

    def key(self, name, how="press"):
        """Presses a key as a person would (delivered to the focused window)."""
        xwindows.key(self.rig.env, name, how)

    def alt_key(self, letter):
        """Alt with a letter, as a mnemonic is typed."""
        xwindows.key(self.rig.env, "alt+" + letter.lower())

    def display_mode(self):
        """(width, height, bits per pixel, refresh) of the mode the screen's
        output shows (RandR), at the 32 bits a pixel of the rig's 24-bit screen
        is stored in."""
        w, h, rate = xwindows.current_mode(self.rig.env)
        return w, h, 32, int(round(rate))

    def screen_modes(self):
        """[(width, height, bits per pixel, refresh)] of the screen's RandR modes
        as SDL lists them: one depth (the screen's), each rate rounded to whole
        hertz, sorted by width, then height, then rate, largest first, as SDL
        documents."""
        modes = []
        for w, h, rate in xwindows.screen_modes(self.rig.env):
            mode = (w, h, 32, int(round(rate)))
            if mode not in modes:
                modes.append(mode)
        return sorted(modes, key=lambda m: (-m[0], -m[1], -m[3]))

    def window_box(self, title):
        """(x, y, width, height) of a window on the X screen."""
        return xwindows.geometry(self.rig.env, self._window(title))

    def desktop_box(self):
        """(x, y, w, h) of the part of the screen the current display mode shows."""
        w, h = self.display_mode()[:2]
        return 0, 0, w, h
