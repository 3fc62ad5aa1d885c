"""The rig's hands on a plain X screen, for programs that run natively rather
than under Wine: windows found by their exact title, the input focus, keys as a
person presses them, a close request as a window manager sends it, the
screen's size and its display modes (RandR, through xrandr). xdotool does most of it; the close request is an X client
message sent through libX11 itself, since xdotool has no way to send it."""
import ctypes
import ctypes.util
import subprocess
import time


def _xdotool(env, *args, timeout=30):
    return subprocess.run(["xdotool"] + [str(a) for a in args], env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, timeout=timeout)


def _xwininfo(env, *args):
    return subprocess.run(["xwininfo"] + list(args), env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, timeout=30).stdout.decode(errors="replace")


def find_windows(env, title):
    """Ids of the mapped top-level windows titled exactly `title`. (xwininfo,
    since xdotool's name search misses windows whose title SDL sets.)"""
    found = []
    for line in _xwininfo(env, "-root", "-children").splitlines():
        line = line.strip()
        if not line.startswith("0x") or ('"%s":' % title) not in line:
            continue
        window = line.split()[0]
        if line.split(None, 1)[1].startswith('"%s":' % title) and \
                "Map State: IsViewable" in _xwininfo(env, "-id", window):
            found.append(int(window, 16))
    return found


def wait_window(env, title, timeout):
    deadline = time.time() + timeout
    while True:
        found = find_windows(env, title)
        if found:
            return found[0]
        if time.time() >= deadline:
            return None
        time.sleep(0.1)


def geometry(env, window):
    """(x, y, width, height) of a window on the screen."""
    values = {}
    for line in _xwininfo(env, "-id", str(window)).splitlines():
        if ":" in line:
            key, value = line.split(":", 1)
            values[key.strip()] = value.strip()
    try:
        return tuple(int(values[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y",
                                              "Width", "Height"))
    except (KeyError, ValueError):
        raise OSError("no geometry for window 0x%x" % window) from None


def wait_gone(env, title, timeout):
    deadline = time.time() + timeout
    while find_windows(env, title):
        if time.time() >= deadline:
            return False
        time.sleep(0.1)
    return True


def focus(env, title):
    window = wait_window(env, title, 10)
    if window is None:
        return False
    _xdotool(env, "windowfocus", "--sync", window)
    # The X server has moved the focus; give the toolkit a moment to take it
    # in, or a key pressed at once can still go nowhere on a busy machine.
    time.sleep(0.5)
    return True


def key(env, name, how="press"):
    """Sends a key to the focused window; a press is held for a moment."""
    if how == "press":
        _xdotool(env, "keydown", name)
        time.sleep(0.15)
        _xdotool(env, "keyup", name)
    else:
        _xdotool(env, "key" + how, name)


def screen_size(env):
    r = _xdotool(env, "getdisplaygeometry")
    w, h = r.stdout.split()
    return int(w), int(h)


def _xrandr(env, *args, check=True):
    r = subprocess.run(["xrandr"] + [str(a) for a in args], env=env, stdout=subprocess.PIPE,
                       stderr=subprocess.PIPE, timeout=30)
    if check and r.returncode != 0:
        raise OSError("xrandr %s: %s" % (" ".join(map(str, args)),
                                         r.stderr.decode(errors="replace").strip()))
    return r.stdout.decode(errors="replace")


def add_modes(env, modes):
    """Offers more display modes on the screen's one output, each (width, height,
    refresh rate), as a monitor does: a mode line whose pixel clock gives exactly
    that rate. Xvfb takes any such mode and can switch to it."""
    output = _output_modes(env)[0]
    for width, height, rate in modes:
        name = "%dx%d_%d" % (width, height, rate)
        h_total, v_total = width + 160, height + 30
        clock = rate * h_total * v_total / 1e6
        _xrandr(env, "--newmode", name, "%.6f" % clock, width, width + 16, width + 96, h_total,
                height, height + 3, height + 7, v_total)
        _xrandr(env, "--addmode", output, name)


def _output_modes(env):
    """(name of the first connected output, [(width, height, rate, current)] of
    its modes in the server's order, (width, height) of what it shows now).
    xrandr prints a mode line per name and one rate per mode of that name, the
    current one marked with "*"."""
    output, modes, showing = None, [], None
    in_output = False
    for line in _xrandr(env, "--query").splitlines():
        parts = line.split()
        if not line.startswith(" "):
            in_output = output is None and len(parts) > 2 and parts[1] == "connected"
            if in_output:
                output = parts[0]
                geometry = next((p for p in parts[2:] if "+" in p), None)
                if geometry:
                    w, h = geometry.split("+")[0].split("x")
                    showing = int(w), int(h)
            continue
        size = parts[0].split("_")[0].split("x") if in_output and parts else []
        if len(size) != 2 or not all(v.isdigit() for v in size):
            continue
        for token in parts[1:]:
            rate = token.rstrip("*+")
            if rate:
                modes.append((int(size[0]), int(size[1]), float(rate), "*" in token))
    if output is None:
        raise OSError("the screen has no connected output")
    return output, modes, showing


def screen_modes(env):
    """[(width, height, rate)] of the display modes the screen's output offers, in
    the server's order, each rate as the server computes it from the mode line."""
    return [(w, h, rate) for w, h, rate, _ in _output_modes(env)[1]]


def current_mode(env):
    """(width, height, rate) of the mode the output shows now; rate is 0 where
    the mode has no timing (Xvfb's own mode)."""
    _, modes, showing = _output_modes(env)
    rate = next((r for w, h, r, current in modes if current), 0.0)
    if showing is None:
        showing = screen_size(env)
    return showing + (rate,)


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]


def request_close(display_name, window):
    """Asks a window to close (WM_DELETE_WINDOW), as a window manager does
    when the user clicks its close box or presses Alt+F4."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(display_name.encode())
    if not display:
        raise OSError("cannot open display %s" % display_name)
    try:
        event = _ClientMessage()
        event.type = 33  # ClientMessage
        event.window = window
        event.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.format = 32
        event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.data[1] = 0  # CurrentTime
        x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)
