"""The test rig: runs the real Windows programs under Wine on a private X screen
(or, with native=True, the Linux program on the same kind of screen).

A `Rig` starts Xvfb on a free display, gives Wine a prefix of this test run
(created once per run and reused, with or without a virtual desktop), points
ALSA at a configuration that writes everything played to a file, and offers what
a test needs to drive the program like a person: keys, windows found by title,
the texts of a message box or dialog, screenshots and the captured sound.

    with Rig(desktop="1024x768") as rig:
        proc = rig.start(["snowgig.exe"], cwd=dist)
        rig.wait_window("Setup")
        rig.key("Return")
        ...

Everything the rig starts is ended when the `with` block is left, whatever
happens inside it, within a bounded time. Only the standard library is used.
"""

import contextlib
import fcntl
import os
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import xwindows

HERE = os.path.dirname(os.path.abspath(__file__))

# Virtual-key codes for rig.key().
VK = {"Return": 0x0D, "Escape": 0x1B, "space": 0x20, "Tab": 0x09, "Alt": 0x12, "Shift": 0x10,
      "F4": 0x73, "Up": 0x26, "Down": 0x28, "Left": 0x25, "Right": 0x27}

SAMPLE_RATE = 44100

# The Setup dialog's controls by their Windows ids, and the role and label by
# which the Linux program's GTK dialog shows the same control ("": the first
# control of that role).
DIALOG_WIDGETS = {1: ("push button", "OK"), 2: ("push button", "Cancel"),
                  1001: ("radio button", "Full-screen"), 1002: ("combo box", ""),
                  1003: ("progress bar", ""), 1004: ("radio button", "Windowed")}

# The accessibility bus is started through the session bus's activation.
A11Y_BUS_SERVICE = "/usr/share/dbus-1/services/org.a11y.Bus.service"
PACED_SINK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pacedsink.py")
SESSION_BUS_CONF = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=%s</listen>
  <auth>EXTERNAL</auth>
  <servicedir>%s</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""

# Debian's Python, which has the AT-SPI bindings the accessibility helper uses
# (the interpreter running the tests may be another one).
SYSTEM_PYTHON = "/usr/bin/python3"


class RigError(Exception):
    pass


def _run_dir():
    """The folder of this test run: prefixes and logs live here."""
    d = os.environ.get("SNOWGIG_RIG_DIR")
    if not d:
        d = os.path.join(tempfile.gettempdir(), "snowgig-rig-%d" % os.getuid())
    os.makedirs(d, exist_ok=True)
    return d


def win_build_dir():
    """The Windows build tree, which holds wintool.exe and the programs."""
    d = os.environ.get("SNOWGIG_WIN_BUILD")
    if not d:
        raise RigError("SNOWGIG_WIN_BUILD is not set")
    return d


def wintool_path():
    return os.path.join(win_build_dir(), "tests", "rig", "wintool.exe")


def a11ytool_path():
    return os.path.join(HERE, "a11ytool.py")


# How far ahead PulseAudio is to be fed, as scripts/run.sh starts the demo.
# Wine's PulseAudio driver asks the server for only 30 ms (three 10 ms
# periods), whatever the program's own queue, and tops it up from a thread
# that must run every 10 ms; libpulse takes a deeper target from the
# environment. SNOWGIG_PULSE_LATENCY_MSEC changes it ("" leaves Wine's own).
# The Linux program asks for its own deep buffer and runs without it.
PULSE_LATENCY_MSEC = "1000"


def _base_env(native):
    env = dict(os.environ)
    env["WINEDEBUG"] = env.get("SNOWGIG_WINEDEBUG", "-all")
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
    env.pop("WINEPREFIX", None)
    latency = env.get("SNOWGIG_PULSE_LATENCY_MSEC", PULSE_LATENCY_MSEC)
    if latency and not native:
        env["PULSE_LATENCY_MSEC"] = latency
    else:
        env.pop("PULSE_LATENCY_MSEC", None)
    return env


# Runs a rig helper at a higher priority than the programs under test where the
# rig may raise priorities (as root); otherwise at the normal one.
_ahead = ["nice", "-n", "-10"] if os.geteuid() == 0 else []


def _ahead_of_sessions(pid):
    """Lets a rig helper that runs in a session of its own also run ahead of
    other sessions: the kernel shares the processors between sessions first
    (autogroups), so its nice value alone only counts within its own session."""
    if not _ahead:
        return
    with contextlib.suppress(OSError):
        with open("/proc/%d/autogroup" % pid, "w") as f:
            f.write("-10")


def raise_process(pid):
    """Runs a process the rig did not start itself ahead of the programs under
    test, as _ahead and _ahead_of_sessions do for the rig's own helpers (only
    where the rig may raise priorities)."""
    if not _ahead:
        return
    with contextlib.suppress(OSError):
        os.setpriority(os.PRIO_PROCESS, pid, -10)
    _ahead_of_sessions(pid)


def _kill_group(proc, grace=3.0):
    if proc is None or proc.poll() is not None:
        return
    with contextlib.suppress(ProcessLookupError, PermissionError):
        os.killpg(proc.pid, signal.SIGTERM)
    try:
        proc.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        with contextlib.suppress(ProcessLookupError, PermissionError):
            os.killpg(proc.pid, signal.SIGKILL)
        with contextlib.suppress(subprocess.TimeoutExpired):
            proc.wait(timeout=grace)


def _start_xvfb(size, log):
    """Starts Xvfb on the first free display and returns (process, ":N")."""
    r, w = os.pipe()
    proc = subprocess.Popen(
        ["Xvfb", "-displayfd", str(w), "-screen", "0", size + "x24", "-nolisten", "tcp",
         "-noreset"],
        pass_fds=(w,), stdout=log, stderr=log, start_new_session=True)
    os.close(w)
    deadline = time.time() + 20
    data = b""
    os.set_blocking(r, False)
    while time.time() < deadline and b"\n" not in data:
        try:
            chunk = os.read(r, 64)
            if not chunk:
                break
            data += chunk
        except BlockingIOError:
            time.sleep(0.05)
        if proc.poll() is not None:
            break
    os.close(r)
    if b"\n" not in data:
        _kill_group(proc)
        raise RigError("Xvfb did not start")
    return proc, ":" + data.decode().strip()


def _wineserver_kill(env, timeout=15):
    with contextlib.suppress(Exception):
        subprocess.run(["wineserver", "-k"], env=env, timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with contextlib.suppress(Exception):
        subprocess.run(["wineserver", "-w"], env=env, timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def _make_prefix(path, desktop, display, log):
    """Creates a Wine prefix (plain, or copied from the plain one and told to run
    every program in a virtual desktop of the given size)."""
    env = _base_env(native=False)
    env["WINEPREFIX"] = path
    env["DISPLAY"] = display
    if desktop is None:
        subprocess.run(["wineboot", "-i"], env=env, stdout=log, stderr=log, timeout=180,
                       check=True)
        _wineserver_kill(env)
        return
    plain = _prefix_path(None)
    shutil.copytree(plain, path, symlinks=True)
    for args in (["reg", "add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d",
                  "Default", "/f"],
                 ["reg", "add", r"HKCU\Software\Wine\Explorer\Desktops", "/v", "Default",
                  "/d", desktop, "/f"]):
        subprocess.run(["wine"] + args, env=env, stdout=log, stderr=log, timeout=60,
                       check=True)
    _wineserver_kill(env)


def _prefix_path(desktop):
    name = "prefix-plain" if desktop is None else "prefix-desktop-" + desktop
    return os.path.join(_run_dir(), name)


def ensure_prefix(desktop, display, log):
    """The run's prefix for this desktop setting, made on first use. A lock keeps
    two test processes from making the same prefix at once."""
    path = _prefix_path(desktop)
    lock_path = os.path.join(_run_dir(), "prefix.lock")
    with open(lock_path, "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        try:
            if desktop is not None:
                ensure_prefix_locked(None, display, log)
            ensure_prefix_locked(desktop, display, log)
        finally:
            fcntl.flock(lock, fcntl.LOCK_UN)
    return path


def ensure_prefix_locked(desktop, display, log):
    path = _prefix_path(desktop)
    done = path + ".ready"
    if os.path.exists(done):
        return
    if os.path.exists(path):
        shutil.rmtree(path)
    _make_prefix(path, desktop, display, log)
    open(done, "w").close()


class Proc:
    """A Windows program started by the rig."""

    def __init__(self, popen, stdout_path, stderr_path=None):
        self.popen = popen
        self.stdout_path = stdout_path
        self.stderr_path = stderr_path

    def wait(self, timeout):
        """The exit status, or raises RigError when the program is still running."""
        try:
            return self.popen.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise RigError("program still running after %.0f s" % timeout) from None

    def running(self):
        return self.popen.poll() is None

    def output(self):
        with open(self.stdout_path, "rb") as f:
            return f.read().decode(errors="replace")

    def errors(self):
        """What a native program wrote to standard error so far."""
        if not self.stderr_path:
            return ""
        with open(self.stderr_path, "rb") as f:
            return f.read().decode(errors="replace")


class Recorder:
    """A screen recording in progress (see Rig.record)."""

    def __init__(self, proc, folder, fps, seconds):
        self.proc = proc
        self.folder = folder
        self.fps = fps
        self.seconds = seconds

    def wait(self):
        try:
            self.proc.wait(timeout=self.seconds + 60)
        except subprocess.TimeoutExpired:
            _kill_group(self.proc)
        return self.frames()

    def stop(self):
        _kill_group(self.proc)

    def captured(self):
        """[(moment, path)] of the frames recorded so far, each with the wall-clock
        moment (time.time()) the grab took it, as the recording itself logged."""
        names = sorted(n for n in os.listdir(self.folder) if n.startswith("frame-"))
        moments = {}
        try:
            with open(os.path.join(self.folder, "frames.log"), errors="replace") as log:
                for line in log:
                    found = re.search(r"\bn: *(\d+) +pts: *(\d+)", line)
                    if found:
                        moments[int(found.group(1))] = int(found.group(2)) / 1e6
        except FileNotFoundError:
            pass
        frames = []
        for n in names:
            index = int(n[6:11]) - 1
            if index in moments:
                frames.append((moments[index], os.path.join(self.folder, n)))
        return frames

    def frames(self):
        """[(seconds since the first frame, path)] of the frames recorded so far,
        on the recording's own clock."""
        captured = self.captured()
        if not captured:
            return []
        first = captured[0][0]
        return [(moment - first, path) for moment, path in captured]


class Rig:
    """One test's private screen, Wine session and sound capture."""

    def __init__(self, desktop=None, screen="1024x768", capture_sound=True, clocked_sound=False,
                 name="rig", native=False, modes=()):
        """capture_sound: give Wine a sound device that writes what is played to a
        file (ALSA's file plugin; it takes samples as fast as they come, so the
        capture says what was played and in which order, but not when).
        clocked_sound: instead play into a private PulseAudio server's null sink,
        which runs on the wall clock, and record it from the start of the session,
        silence included, so the capture also says when.
        Neither: no usable sound device at all.
        native: the programs are Linux programs, started directly; there is no
        Wine session. They get a D-Bus session bus of their own, through which
        the rig reads and drives their GTK windows (AT-SPI).
        modes: display modes (width, height, refresh rate) the X screen offers
        besides its own, for a native rig."""
        self.native = native
        self.modes = list(modes)
        self.desktop = desktop
        self.screen = screen
        self.capture_sound = capture_sound or clocked_sound
        self.clocked_sound = clocked_sound
        self.name = name
        self.procs = []
        self.xvfb = None
        self.pulse = None
        self.session_bus = None
        self.recorder = None
        self.sound_start = None
        self.dir = None

    # -- setting up and tearing down --------------------------------------------

    def __enter__(self):
        try:
            self._setup()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def _setup(self):
        self.dir = tempfile.mkdtemp(prefix=self.name + "-", dir=_run_dir())
        self.log = open(os.path.join(self.dir, "rig.log"), "ab")
        self.xvfb, self.display = _start_xvfb(self.screen, self.log)
        self.env = _base_env(self.native)
        if not self.native:
            self.prefix = ensure_prefix(self.desktop, self.display, self.log)
            self.env["WINEPREFIX"] = self.prefix
        self.env["DISPLAY"] = self.display
        if self.native:
            xwindows.add_modes(self.env, self.modes)
            self._start_session_bus()
        self.sound_path = os.path.join(self.dir, "captured.raw")
        # No sound server is ever started behind the rig's back.
        client_conf = os.path.join(self.dir, "pulse-client.conf")
        with open(client_conf, "w") as f:
            f.write("autospawn = no\n")
        self.env["PULSE_CLIENTCONFIG"] = client_conf
        self.env["PULSE_SERVER"] = "unix:" + os.path.join(self.dir, "no-pulse-server")
        if self.clocked_sound:
            self._start_pulse()
        elif self.capture_sound:
            conf = os.path.join(self.dir, "asound.conf")
            target = self.sound_path
            if self.native:
                # ALSA's null device takes samples as fast as a native program
                # writes them (gigabytes a minute); a pipe through the pacer
                # holds the program to the wall clock, as a sound card would.
                target = "|" + " ".join(shlex.quote(a) for a in (
                    sys.executable, PACED_SINK, self.sound_path, str(SAMPLE_RATE * 4)))
            with open(conf, "w") as f:
                f.write('pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n'
                        % target)
            self.env["ALSA_CONFIG_PATH"] = "/usr/share/alsa/alsa.conf:" + conf
        else:
            # No usable sound device at all: an ALSA configuration whose default
            # device does not exist.
            conf = os.path.join(self.dir, "asound-none.conf")
            with open(conf, "w") as f:
                f.write("pcm.!default { type hw; card 99 }\nctl.!default { type hw; card 99 }\n")
            self.env["ALSA_CONFIG_PATH"] = conf
        # Start the session's wine server, so later timings measure the program.
        if not self.native:
            _wineserver_kill(self.env)

    def _start_session_bus(self):
        """A D-Bus session bus of the rig's own, which starts the accessibility
        bus (at-spi2-core) when a GTK program first asks for it; the program's
        widgets are read and driven through that bus. Its sockets stay inside
        the rig's folder, and they all end with the bus."""
        runtime = os.path.join(self.dir, "bus")
        services = os.path.join(runtime, "services")
        os.makedirs(services, exist_ok=True)
        shutil.copy(A11Y_BUS_SERVICE, services)
        socket = os.path.join(runtime, "session")
        conf = os.path.join(runtime, "session.conf")
        with open(conf, "w") as f:
            f.write(SESSION_BUS_CONF % (socket, services))
        env = dict(self.env)
        env.update({"XDG_RUNTIME_DIR": runtime, "HOME": runtime, "GSETTINGS_BACKEND": "memory"})
        self.session_bus = subprocess.Popen(
            ["dbus-daemon", "--config-file=" + conf, "--nofork", "--nopidfile"], env=env,
            stdout=self.log, stderr=self.log, stdin=subprocess.DEVNULL, start_new_session=True)
        deadline = time.time() + 20
        while not os.path.exists(socket):
            if time.time() > deadline or self.session_bus.poll() is not None:
                raise RigError("the D-Bus session bus did not start")
            time.sleep(0.02)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + socket
        self.env.pop("AT_SPI_BUS_ADDRESS", None)
        self.env.pop("NO_AT_BRIDGE", None)

    def _start_pulse(self):
        runtime = os.path.join(self.dir, "pulse")
        os.makedirs(runtime, exist_ok=True)
        socket = os.path.join(runtime, "native")
        conf = os.path.join(runtime, "server.pa")
        with open(conf, "w") as f:
            f.write("load-module module-null-sink sink_name=capture rate=%d channels=2\n"
                    "load-module module-native-protocol-unix auth-anonymous=1 socket=%s\n"
                    "set-default-sink capture\n" % (SAMPLE_RATE, socket))
        env = dict(self.env)
        env.update({"HOME": runtime, "XDG_RUNTIME_DIR": runtime, "XDG_CONFIG_HOME": runtime})
        # The sound server and the recorder are the rig's ears: they run ahead of
        # the program so that what they hear is what the program delivered.
        self.pulse = subprocess.Popen(
            _ahead + ["pulseaudio", "-n", "-F", conf, "--daemonize=no", "--exit-idle-time=-1",
             "--use-pid-file=no", "--log-target=stderr"],
            env=env, stdout=self.log, stderr=self.log, stdin=subprocess.DEVNULL,
            start_new_session=True)
        _ahead_of_sessions(self.pulse.pid)
        self.env["PULSE_SERVER"] = "unix:" + socket
        deadline = time.time() + 20
        while not os.path.exists(socket):
            if time.time() > deadline or self.pulse.poll() is not None:
                raise RigError("the PulseAudio server did not start")
            time.sleep(0.05)
        out = open(self.sound_path, "wb")
        started = time.time()
        self.recorder = subprocess.Popen(
            _ahead + ["parec", "-d", "capture.monitor", "--raw", "--format=s16le",
             "--rate=%d" % SAMPLE_RATE, "--channels=2", "--latency-msec=20"],
            env=self.env, stdout=out, stderr=self.log, stdin=subprocess.DEVNULL,
            start_new_session=True)
        _ahead_of_sessions(self.recorder.pid)
        out.close()
        # The recording's first sample: when the first bytes arrive, less the
        # time they cover.
        while time.time() < deadline:
            size = os.path.getsize(self.sound_path)
            if size > 0:
                self.sound_start = time.time() - size / (SAMPLE_RATE * 4.0)
                break
            time.sleep(0.005)
        if self.sound_start is None:
            self.sound_start = started

    def sound_offset(self, moment):
        """Byte offset in a clocked capture of the sound played at a wall-clock
        moment (time.time())."""
        frames = int(max(0.0, moment - self.sound_start) * SAMPLE_RATE)
        return frames * 4

    def close(self):
        """Ends every program of the session, the wine server and the screen."""
        env = getattr(self, "env", None)
        if env is not None and not self.native:
            _wineserver_kill(env)
        for p in self.procs:
            _kill_group(p.popen)
        self.procs = []
        _kill_group(self.recorder)
        self.recorder = None
        _kill_group(self.pulse)
        self.pulse = None
        _kill_group(self.session_bus)
        self.session_bus = None
        _kill_group(self.xvfb)
        self.xvfb = None
        if getattr(self, "log", None):
            self.log.close()
            self.log = None

    # -- programs ---------------------------------------------------------------

    def start(self, argv, cwd=None, extra_env=None):
        """Starts a program (under Wine unless the rig is native); its standard
        output, and a native program's standard error, go to files."""
        n = len(self.procs)
        out = os.path.join(self.dir, "program-%d.out" % n)
        err = os.path.join(self.dir, "program-%d.err" % n) if self.native else None
        env = dict(self.env)
        if extra_env:
            env.update(extra_env)
        command = list(argv) if self.native else ["wine"] + list(argv)
        with open(out, "wb") as f, open(err or os.devnull, "wb") as e:
            popen = subprocess.Popen(command, cwd=cwd, env=env, stdout=f,
                                     stderr=e if err else self.log, stdin=subprocess.DEVNULL,
                                     start_new_session=True)
        proc = Proc(popen, out, err)
        self.procs.append(proc)
        return proc

    def run(self, argv, cwd=None, timeout=60, extra_env=None):
        """Runs a Windows program to its end: (exit status, standard output)."""
        proc = self.start(argv, cwd=cwd, extra_env=extra_env)
        try:
            code = proc.wait(timeout)
        except RigError:
            _kill_group(proc.popen)
            raise
        return code, proc.output()

    def wintool(self, *args, timeout=30, check=True):
        """Runs a wintool command in this session and returns its output."""
        r = subprocess.run(["wine", wintool_path()] + [str(a) for a in args], env=self.env,
                           stdout=subprocess.PIPE, stderr=self.log, timeout=timeout)
        if check and r.returncode != 0:
            raise RigError("wintool %s failed (%d)" % (" ".join(map(str, args)), r.returncode))
        return r.stdout.decode(errors="replace").replace("\r\n", "\n")

    # -- windows ----------------------------------------------------------------

    def wait_window(self, title, timeout=30):
        """Waits until a visible window with that title exists."""
        if self.native:
            if xwindows.wait_window(self.env, title, timeout) is None:
                raise RigError("no window titled %r within %.0f s" % (title, timeout))
            return
        r = subprocess.run(["wine", wintool_path(), "wait", title, str(int(timeout * 1000))],
                           env=self.env, stdout=subprocess.PIPE, stderr=self.log,
                           timeout=timeout + 30)
        if r.returncode != 0:
            raise RigError("no window titled %r within %.0f s" % (title, timeout))

    def wait_gone(self, title, timeout=30):
        if self.native:
            if not xwindows.wait_gone(self.env, title, timeout):
                raise RigError("window %r still there after %.0f s" % (title, timeout))
            return
        r = subprocess.run(["wine", wintool_path(), "gone", title, str(int(timeout * 1000))],
                           env=self.env, stdout=subprocess.PIPE, stderr=self.log,
                           timeout=timeout + 30)
        if r.returncode != 0:
            raise RigError("window %r still there after %.0f s" % (title, timeout))

    def has_window(self, title):
        if self.native:
            return bool(xwindows.find_windows(self.env, title))
        r = subprocess.run(["wine", wintool_path(), "wait", title, "0"], env=self.env,
                           stdout=subprocess.PIPE, stderr=self.log, timeout=30)
        return r.returncode == 0

    def message_text(self, title="Error", timeout=30):
        """Waits for a message box and returns its text as the user reads it.
        A native program's box says the same on standard error, as
        "TITLE: TEXT", which is where it is read from."""
        self.wait_window(title, timeout)
        if self.native:
            errors = self.procs[-1].errors() if self.procs else ""
            marker = title + ": "
            if marker not in errors:
                raise RigError("no %r message on standard error: %r" % (title, errors))
            return errors[errors.rindex(marker) + len(marker):].rstrip("\n")
        return self.wintool("text", title).rstrip("\r\n").replace("\r\n", "\n")

    def a11ytool(self, *args, timeout=30, check=True):
        """Runs an a11ytool command against this rig's screen and returns its output."""
        r = subprocess.run([SYSTEM_PYTHON, a11ytool_path()] + [str(a) for a in args],
                           env=self.env, stdout=subprocess.PIPE, stderr=self.log,
                           timeout=timeout)
        if check and r.returncode != 0:
            raise RigError("a11ytool %s failed (%d)" % (" ".join(map(str, args)), r.returncode))
        return r.stdout.decode(errors="replace")

    def _widget(self, control_id):
        try:
            return DIALOG_WIDGETS[control_id]
        except KeyError:
            raise RigError("no widget is known for control %r" % control_id) from None

    def dialog_controls(self, title):
        """{id: (class, text)} of a dialog's controls. Natively the class is the
        widget's accessible role, and only the controls the Windows dialog has
        are given, under its ids."""
        controls = {}
        if self.native:
            found = [line.split("\t") for line in self.a11ytool("controls", title).splitlines()]
            for control_id, (role, label) in DIALOG_WIDGETS.items():
                match = next((parts for parts in found if len(parts) == 4 and parts[0] == role
                              and (not label or parts[1] == label)), None)
                if match:
                    controls[control_id] = (match[0], match[1])
            return controls
        for line in self.wintool("texts", title).splitlines():
            parts = line.split("\t")
            if len(parts) == 3:
                # As read: "&" only marks the mnemonic's letter.
                controls[int(parts[0])] = (parts[1], re.sub(r"&(.)", r"\1", parts[2]))
        return controls

    def focused_control(self, title):
        """The id of the dialog control with the keyboard focus (natively, of the
        widget standing for it), 0 for none of them."""
        if not self.native:
            return int(self.wintool("focusid", title).strip() or 0)
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
        """The label a screen reader gives a control: natively its labelled-by
        relation; under Win32 the static text just before it in the dialog's
        order, which is where the system looks for it (and for its mnemonic)."""
        if self.native:
            return self.a11ytool("labelled", title, *self._widget(control_id)).strip()
        before = None
        for line in self.wintool("texts", title).splitlines():
            parts = line.split("\t")
            if len(parts) == 3 and parts[0] == str(control_id):
                return re.sub(r"&(.)", r"\1", before[2]) if before and before[1] == "Static" else ""
            before = parts
        raise RigError("no control %r in %r" % (control_id, title))

    def combo(self, title, control_id):
        """(selected index, [entries]) of a combo box."""
        if self.native:
            lines = self.a11ytool("combo", title, *self._widget(control_id)).splitlines()
        else:
            lines = self.wintool("combo", title, control_id).splitlines()
        return int(lines[0].split()[1]), lines[1:]

    def select(self, title, control_id, index):
        """Chooses entry `index` of a combo box, as the user picking it does."""
        if self.native:
            self.a11ytool("select", title, *self._widget(control_id), index)
        else:
            self.wintool("select", title, control_id, index)

    def checked(self, title, control_id):
        """Whether a radio button or check box is checked."""
        if self.native:
            out = self.a11ytool("checked", title, *self._widget(control_id))
        else:
            out = self.wintool("checked", title, control_id)
        return out.strip() == "1"

    def click(self, title, control_id):
        if self.native:
            self.a11ytool("click", title, *self._widget(control_id))
        else:
            self.wintool("click", title, control_id)

    def foreground(self, title):
        """Gives a window the keyboard focus."""
        if self.native:
            if not xwindows.focus(self.env, title):
                raise RigError("no window titled %r to focus" % title)
            return
        self.wintool("foreground", title)

    def close_window(self, title):
        """Asks a window to close, as its close box or Alt+F4 does."""
        if not self.native:
            self.foreground(title)
            self.alt_f4()
            return
        window = xwindows.wait_window(self.env, title, 10)
        if window is None:
            raise RigError("no window titled %r to close" % title)
        xwindows.request_close(self.display, window)

    def key(self, name, how="press"):
        """Presses a key as a person would (delivered to the focused window)."""
        if self.native:
            xwindows.key(self.env, name, how)
            return
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
        """Alt with a letter, as a mnemonic is typed."""
        if self.native:
            xwindows.key(self.env, "alt+" + letter.lower())
            return
        self.wintool("key", VK["Alt"], "down")
        self.wintool("key", ord(letter.upper()))
        self.wintool("key", VK["Alt"], "up")

    def alt_f4(self):
        self.wintool("key", VK["Alt"], "down")
        self.wintool("key", VK["F4"])
        self.wintool("key", VK["Alt"], "up")

    def display_mode(self):
        """(width, height, bits per pixel, refresh) of the current display mode.
        Natively that is the mode the screen's output shows (RandR), at the 32
        bits a pixel of the rig's 24-bit screen is stored in."""
        if self.native:
            w, h, rate = xwindows.current_mode(self.env)
            return w, h, 32, int(round(rate))
        return tuple(int(v) for v in self.wintool("mode").split())

    def screen_modes(self):
        """[(width, height, bits per pixel, refresh)] of every display mode the
        system offers a program, in the order it gives them. Natively that is
        the screen's RandR modes as SDL lists them: one depth (the screen's),
        each rate rounded to whole hertz, sorted by width, then height, then
        rate, largest first, as SDL documents."""
        if not self.native:
            return [tuple(int(v) for v in line.split())
                    for line in self.wintool("modes").splitlines() if line.strip()]
        modes = []
        for w, h, rate in xwindows.screen_modes(self.env):
            mode = (w, h, 32, int(round(rate)))
            if mode not in modes:
                modes.append(mode)
        return sorted(modes, key=lambda m: (-m[0], -m[1], -m[3]))

    def window_box(self, title):
        """(x, y, width, height) of a native program's window on the X screen."""
        window = xwindows.wait_window(self.env, title, 10)
        if window is None:
            raise RigError("no window titled %r" % title)
        return xwindows.geometry(self.env, window)

    def client_size(self, title):
        w, h, style, exstyle = self.wintool("client", title).split()
        return int(w), int(h), int(style, 16), int(exstyle, 16)

    # -- looking and listening --------------------------------------------------

    def screenshot(self, path):
        """Saves the whole X screen as an image file (PNG by its name)."""
        env = dict(self.env)
        subprocess.run(["import", "-window", "root", path], env=env, timeout=30, check=True,
                       stdout=subprocess.DEVNULL, stderr=self.log)
        return path

    def desktop_box(self):
        """(x, y, w, h) of the Wine virtual desktop on the X screen, or of the whole
        screen when there is no virtual desktop; natively, of the part of the
        screen the current display mode shows."""
        if self.native:
            w, h = self.display_mode()[:2]
            return 0, 0, w, h
        if self.desktop is None:
            w, h = self.screen.split("x")
            return 0, 0, int(w), int(h)
        r = subprocess.run(["xdotool", "search", "--name", "Wine desktop", "getwindowgeometry",
                            "--shell"], env=self.env, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, timeout=30)
        vals = {}
        for line in r.stdout.decode().splitlines():
            if "=" in line:
                k, v = line.split("=", 1)
                vals[k] = v
        try:
            return int(vals["X"]), int(vals["Y"]), int(vals["WIDTH"]), int(vals["HEIGHT"])
        except KeyError:
            raise RigError("no Wine desktop window on the screen") from None

    def desktop_crop(self):
        x, y, w, h = self.desktop_box()
        return "%dx%d+%d+%d" % (w, h, x, y)

    def record(self, folder, seconds, fps=10, region="640x480+0+0"):
        """Starts recording a region of the screen as numbered PNG frames
        (folder/frame-00001.png, ...), about fps a second, each with the moment
        it was grabbed (Recorder.captured). Returns the recorder; call its
        wait() before reading the frames."""
        os.makedirs(folder, exist_ok=True)
        size, x, y = region.split("+")
        # The grab stamps each frame with the wall clock; showinfo logs those
        # stamps and passthrough keeps one file per grabbed frame, so a loaded
        # machine that grabs late shows as late frames, not as a wrong clock.
        with open(os.path.join(folder, "frames.log"), "wb") as log:
            proc = subprocess.Popen(
                ["ffmpeg", "-loglevel", "info", "-nostats", "-y", "-f", "x11grab", "-framerate",
                 str(fps), "-video_size", size, "-t", str(seconds), "-i",
                 "%s+%s,%s" % (self.display, x, y), "-copyts", "-vf", "showinfo",
                 "-fps_mode", "passthrough", "-start_number", "1",
                 os.path.join(folder, "frame-%05d.png")],
                env=self.env, stdin=subprocess.DEVNULL, stdout=self.log, stderr=log,
                start_new_session=True)
        return Recorder(proc, folder, fps, seconds)

    def sound_bytes(self):
        """Everything played so far: 16-bit signed little-endian stereo at 44.1 kHz."""
        try:
            with open(self.sound_path, "rb") as f:
                return f.read()
        except FileNotFoundError:
            return b""


def pixel_colors(path, points):
    """The RGB colours of an image at the given (x, y) points."""
    args = ["convert", path]
    fmt = ""
    for (x, y) in points:
        fmt += "%%[pixel:p{%d,%d}]\n" % (x, y)
    out = subprocess.run(args + ["-format", fmt, "info:"], stdout=subprocess.PIPE,
                         check=True, timeout=30).stdout.decode()
    colours = []
    for line in out.splitlines():
        colours.append(_parse_colour(line.strip()))
    return colours


def _parse_colour(text):
    # srgb(43,181,255) or srgba(...) or a colour name ImageMagick knows
    if "(" in text:
        inner = text[text.index("(") + 1:text.rindex(")")]
        vals = [v.strip() for v in inner.split(",")][:3]
        out = []
        for v in vals:
            if v.endswith("%"):
                out.append(round(float(v[:-1]) * 2.55))
            else:
                out.append(int(round(float(v))))
        return tuple(out)
    names = {"black": (0, 0, 0), "white": (255, 255, 255), "red": (255, 0, 0),
             "lime": (0, 255, 0), "blue": (0, 0, 255)}
    return names.get(text, (-1, -1, -1))


def image_histogram(path, crop=None):
    """{(r, g, b): count} of an image, or of a crop "WxH+X+Y" of it."""
    args = ["convert", path]
    if crop:
        args += ["-crop", crop, "+repage"]
    out = subprocess.run(args + ["-depth", "8", "-format", "%c", "histogram:info:-"],
                         stdout=subprocess.PIPE, check=True, timeout=60).stdout.decode()
    hist = {}
    for line in out.splitlines():
        line = line.strip()
        if ":" not in line or "(" not in line:
            continue
        count = int(line.split(":")[0])
        inner = line[line.index("(") + 1:line.index(")")]
        rgb = tuple(int(round(float(v))) for v in inner.split(",")[:3])
        hist[rgb] = hist.get(rgb, 0) + count
    return hist


def sound_levels(raw, window_seconds=0.1):
    """Peak absolute sample value of each window of a captured stereo stream."""
    import array
    samples = array.array("h")
    samples.frombytes(raw[: len(raw) - len(raw) % 4])
    step = int(SAMPLE_RATE * window_seconds) * 2
    levels = []
    for i in range(0, len(samples), step):
        chunk = samples[i:i + step]
        levels.append(max((abs(v) for v in chunk), default=0))
    return levels


def content_box(path, crop=None, fuzz="6%"):
    """(x, y, w, h) of what differs from the image's border colour (the sky in a
    frame of the show), relative to the crop; None when nothing does."""
    args = ["convert", path]
    if crop:
        args += ["-crop", crop, "+repage"]
    out = subprocess.run(args + ["-fuzz", fuzz, "-format", "%@", "info:"],
                         stdout=subprocess.PIPE, check=True, timeout=60).stdout.decode().strip()
    # "WxH+X+Y"
    try:
        size, x, y = out.split("+")
        w, h = size.split("x")
        w, h, x, y = int(w), int(h), int(x), int(y)
    except ValueError:
        return None
    if w <= 1 and h <= 1:
        return None
    return x, y, w, h
