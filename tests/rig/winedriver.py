"""The rig's driver for Windows programs under Wine: a prefix of this test run
(created once per run and reused, with or without a virtual desktop), and
wintool.exe, which reads and drives the program's windows from inside the same
Wine session."""
import contextlib
import fcntl
import os
import re
import shutil
import subprocess
import time

import snowrig
from snowrig import RigError

# Virtual-key codes for key().
VK = {"Return": 0x0D, "Escape": 0x1B, "space": 0x20, "Tab": 0x09, "Alt": 0x12, "Shift": 0x10,
      "F4": 0x73, "Up": 0x26, "Down": 0x28, "Left": 0x25, "Right": 0x27}

# How far ahead PulseAudio is to be fed, as scripts/run.sh starts the demo.
# Wine's PulseAudio driver asks the server for only 30 ms (three 10 ms
# periods), whatever the program's own queue, and tops it up from a thread
# that must run every 10 ms; libpulse takes a deeper target from the
# environment. SNOWGIG_PULSE_LATENCY_MSEC changes it ("" leaves Wine's own).
PULSE_LATENCY_MSEC = "1000"


def win_build_dir():
    """The Windows build tree, which holds wintool.exe and the programs."""
    d = os.environ.get("SNOWGIG_WIN_BUILD")
    if not d:
        raise RigError("SNOWGIG_WIN_BUILD is not set")
    return d


def wintool_path():
    return os.path.join(win_build_dir(), "tests", "rig", "wintool.exe")


def wine_env(env):
    """env made ready for Wine: quiet, without the add-ons it would download."""
    env = dict(env)
    env["WINEDEBUG"] = env.get("SNOWGIG_WINEDEBUG", "-all")
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
    env.pop("WINEPREFIX", None)
    latency = env.get("SNOWGIG_PULSE_LATENCY_MSEC", PULSE_LATENCY_MSEC)
    if latency:
        env["PULSE_LATENCY_MSEC"] = latency
    return env


def _wineserver_kill(env, timeout=15):
    with contextlib.suppress(Exception):
        subprocess.run(["wineserver", "-k"], env=env, timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with contextlib.suppress(Exception):
        subprocess.run(["wineserver", "-w"], env=env, timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def _prefix_path(desktop):
    name = "prefix-plain" if desktop is None else "prefix-desktop-" + desktop
    return os.path.join(snowrig.run_dir(), name)


def _make_prefix(path, desktop, display, log):
    """Creates a Wine prefix (plain, or copied from the plain one and told to run
    every program in a virtual desktop of the given size)."""
    env = wine_env(os.environ)
    env["WINEPREFIX"] = path
    env["DISPLAY"] = display
    if desktop is None:
        subprocess.run(["wineboot", "-i"], env=env, stdout=log, stderr=log, timeout=180,
                       check=True)
        _wineserver_kill(env)
        return
    shutil.copytree(_prefix_path(None), path, symlinks=True)
    for args in (["reg", "add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d",
                  "Default", "/f"],
                 ["reg", "add", r"HKCU\Software\Wine\Explorer\Desktops", "/v", "Default",
                  "/d", desktop, "/f"]):
        subprocess.run(["wine"] + args, env=env, stdout=log, stderr=log, timeout=60,
                       check=True)
    _wineserver_kill(env)


def _ensure_prefix_locked(desktop, display, log):
    path = _prefix_path(desktop)
    done = path + ".ready"
    if os.path.exists(done):
        return
    if os.path.exists(path):
        shutil.rmtree(path)
    _make_prefix(path, desktop, display, log)
    open(done, "w").close()


def ensure_prefix(desktop, display, log):
    """The run's prefix for this desktop setting, made on first use. A lock keeps
    two test processes from making the same prefix at once."""
    with open(os.path.join(snowrig.run_dir(), "prefix.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        try:
            if desktop is not None:
                _ensure_prefix_locked(None, display, log)
            _ensure_prefix_locked(desktop, display, log)
        finally:
            fcntl.flock(lock, fcntl.LOCK_UN)
    return _prefix_path(desktop)


def _mnemonic_free(text):
    # As read: "&" only marks the mnemonic's letter.
    return re.sub(r"&(.)", r"\1", text)


class WineDriver(snowrig.Driver):
    """Windows programs in the rig's Wine session."""

    def __init__(self, desktop=None):
        self.desktop = desktop

    def setup(self, rig):
        super().setup(rig)
        rig.env = wine_env(rig.env)
        rig.prefix = ensure_prefix(self.desktop, rig.display, rig.log)
        rig.env["WINEPREFIX"] = rig.prefix
        # Start the session's wine server afresh, so later timings measure the program.
        _wineserver_kill(rig.env)

    def command(self, argv):
        return ["wine"] + list(argv)

    def close(self):
        if "WINEPREFIX" in self.rig.env:
            _wineserver_kill(self.rig.env)

    def _wintool(self, args, timeout):
        return subprocess.run(["wine", wintool_path()] + [str(a) for a in args], env=self.rig.env,
                              stdout=subprocess.PIPE, stderr=self.rig.log, timeout=timeout)

    def wintool(self, *args, timeout=30, check=True):
        """Runs a wintool command in this session and returns its output."""
        r = self._wintool(args, timeout)
        if check and r.returncode != 0:
            raise RigError("wintool %s failed (%d)" % (" ".join(map(str, args)), r.returncode))
        return r.stdout.decode(errors="replace").replace("\r\n", "\n")

    def _wintool_ok(self, *args, timeout=30):
        return self._wintool(args, timeout).returncode == 0

    # -- windows ----------------------------------------------------------------

    def wait_window(self, title, timeout=30):
        """Waits until a visible window with that title exists."""
        if not self._wintool_ok("wait", title, int(timeout * 1000), timeout=timeout + 30):
            raise RigError("no window titled %r within %.0f s" % (title, timeout))

    def wait_gone(self, title, timeout=30):
        if not self._wintool_ok("gone", title, int(timeout * 1000), timeout=timeout + 30):
            raise RigError("window %r still there after %.0f s" % (title, timeout))

    def has_window(self, title):
        return self._wintool_ok("wait", title, 0)

    def message_text(self, title="Error", timeout=30):
        """Waits for a message box and returns its text as the user reads it."""
        self.wait_window(title, timeout)
        return self.wintool("text", title).rstrip("\r\n").replace("\r\n", "\n")

    def _texts(self, title):
        """[(id, class, text)] of a dialog's controls in its order."""
        return [parts for parts in (line.split("\t") for line in
                                    self.wintool("texts", title).splitlines())
                if len(parts) == 3]

    def dialog_controls(self, title):
        """{id: (class, text)} of a dialog's controls."""
        return {int(i): (cls, _mnemonic_free(text)) for i, cls, text in self._texts(title)}

    def focused_control(self, title):
        """The id of the dialog control with the keyboard focus, 0 for none."""
        return int(self.wintool("focusid", title).strip() or 0)

    def label_of(self, title, control_id):
        """The label a screen reader gives a control: the static text just
        before it in the dialog's order, which is where the system looks for it
        (and for its mnemonic)."""
        before = None
        for parts in self._texts(title):
            if parts[0] == str(control_id):
                return _mnemonic_free(before[2]) if before and before[1] == "Static" else ""
            before = parts
        raise RigError("no control %r in %r" % (control_id, title))

    def combo(self, title, control_id):
        """(selected index, [entries]) of a combo box."""
        lines = self.wintool("combo", title, control_id).splitlines()
        return int(lines[0].split()[1]), lines[1:]

    def select(self, title, control_id, index):
        """Chooses entry `index` of a combo box, as the user picking it does."""
        self.wintool("select", title, control_id, index)

    def checked(self, title, control_id):
        """Whether a radio button or check box is checked."""
        return self.wintool("checked", title, control_id).strip() == "1"

    def click(self, title, control_id):
        self.wintool("click", title, control_id)

    def foreground(self, title):
        """Gives a window the keyboard focus."""
        self.wintool("foreground", title)

    def close_window(self, title):
        """Asks a window to close, as Alt+F4 does."""
        self.foreground(title)
        self.alt_key("F4")

    def key(self, name, how="press"):
        """Presses a key as a person would (delivered to the focused window)."""
        vk = VK[name] if isinstance(name, str) else int(name)
        if how != "press":
            self.wintool("key", vk, how)
            return
        # Held for a moment, as a finger does: a program that reads the key state
        # once per frame never sees a press whose release came in the same frame.
        self.wintool("key", vk, "down")
        time.sleep(0.15)
        self.wintool("key", vk, "up")

    def alt_key(self, letter):
        """Alt with a key, as a mnemonic or Alt+F4 is typed."""
        self.wintool("key", VK["Alt"], "down")
        self.wintool("key", VK.get(letter) or ord(letter.upper()))
        self.wintool("key", VK["Alt"], "up")

    def display_mode(self):
        """(width, height, bits per pixel, refresh) of the current display mode."""
        return tuple(int(v) for v in self.wintool("mode").split())

    def screen_modes(self):
        """[(width, height, bits per pixel, refresh)] of every display mode the
        system offers a program, in the order it gives them."""
        return [tuple(int(v) for v in line.split())
                for line in self.wintool("modes").splitlines() if line.strip()]

    def client_size(self, title):
        """(width, height, style, extended style) of a window's client area."""
        w, h, style, exstyle = self.wintool("client", title).split()
        return int(w), int(h), int(style, 16), int(exstyle, 16)

    def desktop_box(self):
        """(x, y, w, h) of the Wine virtual desktop on the X screen, or of the
        whole screen when there is no virtual desktop."""
        if self.desktop is None:
            w, h = self.rig.screen.split("x")
            return 0, 0, int(w), int(h)
        r = subprocess.run(["xdotool", "search", "--name", "Wine desktop", "getwindowgeometry",
                            "--shell"], env=self.rig.env, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, timeout=30)
        vals = dict(line.split("=", 1) for line in r.stdout.decode().splitlines() if "=" in line)
        try:
            return int(vals["X"]), int(vals["Y"]), int(vals["WIDTH"]), int(vals["HEIGHT"])
        except KeyError:
            raise RigError("no Wine desktop window on the screen") from None
