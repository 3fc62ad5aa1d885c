"""The test rig: one test's private X screen, its sound captured, the
programs it starts and what the screen shows, recorded. What needs a
platform's own tools is a driver's, beside this core:

    winedriver.py   Windows programs under Wine (wintool.exe in a prefix of the run)
    linuxdriver.py  Linux programs (X windows by title, GTK dialogs through AT-SPI)
    webdriver.py    the web page in Debian's Chromium (playwright-core)

    with Rig(desktop="1024x768") as rig:           # or native=True, or web=True
        proc = rig.start(["snowgig.exe"], cwd=dist)
        rig.wait_window("Setup")
        rig.key("Return")
        ...

The operations on windows (wait_window, dialog_controls, combo, select,
click, key, message_text, foreground, close_window, display_mode,
desktop_box, ...) are the driver's: the rig passes every name it does not
have itself on to its driver. Everything the rig starts is ended when the
`with` block is left, whatever happens inside it, within a bounded time.
"""

import contextlib
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

SAMPLE_RATE = 44100

# The accessibility bus is started through the session bus's activation.
A11Y_BUS_SERVICE = "/usr/share/dbus-1/services/org.a11y.Bus.service"
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


class RigError(Exception):
    pass


def run_dir():
    """The folder of this test run: prefixes and logs live here."""
    d = os.environ.get("SNOWGIG_RIG_DIR")
    if not d:
        d = os.path.join(tempfile.gettempdir(), "snowgig-rig-%d" % os.getuid())
    os.makedirs(d, exist_ok=True)
    return d


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


def kill_group(proc, grace=3.0):
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
        kill_group(proc)
        raise RigError("Xvfb did not start")
    return proc, ":" + data.decode().strip()


def wait_for_socket(path, proc, what, timeout=20):
    deadline = time.time() + timeout
    while not os.path.exists(path):
        if time.time() > deadline or proc.poll() is not None:
            raise RigError("the %s did not start" % what)
        time.sleep(0.02)


class Proc:
    """A program started by the rig."""

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
        """What the program wrote to standard error so far, where its driver
        keeps it."""
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
        """Waits for the recording to end; returns captured()."""
        try:
            self.proc.wait(timeout=self.seconds + 60)
        except subprocess.TimeoutExpired:
            kill_group(self.proc)
        return self.captured()

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


class Driver:
    """What every platform's driver gives the core; its operations on windows
    are its own (see the module's description)."""

    # Whether rig.native is true: the programs are Linux programs.
    native = False
    # Whether a program's standard error is kept in a file of its own.
    keeps_errors = False

    def setup(self, rig):
        """Prepares the platform on the rig's screen (rig.env, rig.dir, rig.log
        are ready; the sound device is set up after this)."""
        self.rig = rig

    def command(self, argv):
        """The command line that starts a program of this platform."""
        return list(argv)

    def sound_file(self, path):
        """Where ALSA's file plugin writes what is played (a path, or "|command")."""
        return path

    def close(self):
        """Ends what the driver started; runs before the core ends the rest."""


def _driver(native, web, desktop, modes):
    if web:
        import webdriver
        return webdriver.WebDriver()
    if native:
        import linuxdriver
        return linuxdriver.LinuxDriver(modes)
    import winedriver
    return winedriver.WineDriver(desktop)


class Rig:
    """One test's private screen, programs and sound capture."""

    def __init__(self, desktop=None, screen="1024x768", capture_sound=True, clocked_sound=False,
                 name="rig", native=False, modes=(), web=False):
        """capture_sound: give the programs a sound device that writes what is
        played to a file (ALSA's file plugin; under Wine it takes samples as fast
        as they come, so the capture says what was played and in which order,
        but not when).
        clocked_sound: instead play into a private PulseAudio server's null sink,
        which runs on the wall clock, and record it from the start of the session,
        silence included, so the capture also says when.
        Neither: no usable sound device at all.
        The driver: Wine's (desktop: the size of the virtual desktop every
        program runs in, None for none), with native=True the Linux one (modes:
        display modes (width, height, refresh rate) the X screen offers besides
        its own), with web=True the web page's."""
        self.driver = _driver(native, web, desktop, modes)
        self.native = self.driver.native
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
        self.env = None
        self.log = None

    def __getattr__(self, name):
        # Only asked for names the rig lacks: the driver's operations.
        driver = self.__dict__.get("driver")
        if driver is None or name.startswith("__"):
            raise AttributeError(name)
        return getattr(driver, name)

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
        self.dir = tempfile.mkdtemp(prefix=self.name + "-", dir=run_dir())
        self.log = open(os.path.join(self.dir, "rig.log"), "ab")
        self.xvfb, self.display = _start_xvfb(self.screen, self.log)
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("PULSE_LATENCY_MSEC", None)
        self.driver.setup(self)
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
            with open(conf, "w") as f:
                f.write('pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n'
                        % self.driver.sound_file(self.sound_path))
            self.env["ALSA_CONFIG_PATH"] = "/usr/share/alsa/alsa.conf:" + conf
        else:
            # No usable sound device at all: an ALSA configuration whose default
            # device does not exist.
            conf = os.path.join(self.dir, "asound-none.conf")
            with open(conf, "w") as f:
                f.write("pcm.!default { type hw; card 99 }\nctl.!default { type hw; card 99 }\n")
            self.env["ALSA_CONFIG_PATH"] = conf

    def start_session_bus(self):
        """A D-Bus session bus of the rig's own for the programs on its screen,
        which starts the accessibility bus (at-spi2-core) when a program first
        asks for it. Its sockets stay inside the rig's folder, and they all end
        with the bus."""
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
        wait_for_socket(socket, self.session_bus, "D-Bus session bus")
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
        wait_for_socket(socket, self.pulse, "PulseAudio server")
        deadline = time.time() + 20
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
        """Ends what the driver started, every program, the sound server and
        the screen."""
        if self.env is not None:
            self.driver.close()
        for p in self.procs:
            kill_group(p.popen)
        self.procs = []
        for attribute in ("recorder", "pulse", "session_bus", "xvfb"):
            kill_group(getattr(self, attribute))
            setattr(self, attribute, None)
        if self.log:
            self.log.close()
            self.log = None

    # -- programs ---------------------------------------------------------------

    def start(self, argv, cwd=None, extra_env=None):
        """Starts a program of the driver's platform; its standard output, and
        its standard error where the driver keeps it, go to files."""
        n = len(self.procs)
        out = os.path.join(self.dir, "program-%d.out" % n)
        err = os.path.join(self.dir, "program-%d.err" % n) if self.driver.keeps_errors else None
        env = dict(self.env)
        if extra_env:
            env.update(extra_env)
        with open(out, "wb") as f, open(err or os.devnull, "wb") as e:
            popen = subprocess.Popen(self.driver.command(argv), cwd=cwd, env=env, stdout=f,
                                     stderr=e if err else self.log, stdin=subprocess.DEVNULL,
                                     start_new_session=True)
        proc = Proc(popen, out, err)
        self.procs.append(proc)
        return proc

    def run(self, argv, cwd=None, timeout=60, extra_env=None):
        """Runs a program to its end: (exit status, standard output)."""
        proc = self.start(argv, cwd=cwd, extra_env=extra_env)
        try:
            code = proc.wait(timeout)
        except RigError:
            kill_group(proc.popen)
            raise
        return code, proc.output()

    # -- looking and listening --------------------------------------------------

    def screenshot(self, path):
        """Saves the whole X screen as an image file (PNG by its name)."""
        subprocess.run(["import", "-window", "root", path], env=self.env, timeout=30, check=True,
                       stdout=subprocess.DEVNULL, stderr=self.log)
        return path

    def desktop_crop(self):
        """The driver's desktop_box() as an ImageMagick crop, "WxH+X+Y"."""
        x, y, w, h = self.desktop_box()
        return "%dx%d+%d+%d" % (w, h, x, y)

    def record(self, folder, seconds, fps=10, region="640x480+0+0"):
        """Starts recording a region of the screen as numbered PNG frames
        (folder/frame-00001.png, ...), about fps a second, each with the moment
        it was grabbed (Recorder.captured). Returns the recorder; call its
        wait(), which returns them."""
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
