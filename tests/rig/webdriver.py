"""The rig's driver for the web page: a static server for a folder on a free
local port, and Debian's Chromium driven through playwright-core
(tests/web/pagedriver.js), headed on the rig's X screen with its sound going
to the rig's PulseAudio server, so that a page is seen and heard as the
desktop programs are.

    with snowrig.Rig(screen="1280x800", web=True, clocked_sound=True) as rig:
        page = rig.open(rig.serve(folder))
        rig.wait_window("Setup")
        rig.click("Setup", 1)
        page.eval("document.title")

Every wait is bounded; the rig ends the browser and the servers with the rest."""
import contextlib
import functools
import http.server
import json
import os
import subprocess
import threading
import time

import snowrig

HERE = os.path.dirname(os.path.abspath(__file__))
DRIVER = os.path.join(HERE, "..", "web", "pagedriver.js")

# The Setup form's controls by the Windows dialog's ids: the element's id, and
# the role and name by which a person (and pagedriver.js) finds it.
FORM_CONTROLS = {1: ("ok", "button", "OK"), 2: ("cancel", "button", "Cancel"),
                 1001: ("fullscreen", "radio", "Full-screen"),
                 1002: ("resolution", "combobox", "Resolution:"),
                 1004: ("windowed", "radio", "Windowed")}

FORM_TITLE = "Setup"

# Whether the in-page window titled so shows: the Setup form ready for input,
# the message box, or the show under the page's own title.
SHOWN = """((title) => {
  const element = (id) => document.getElementById(id);
  if (title == element("setup-title").textContent)
    return !element("setup").hidden && !element("ok").disabled;
  if (title == element("message-title").textContent)
    return !element("message").hidden;
  return title == document.title && !element("show").hidden;
})(%s)"""


class PageError(snowrig.RigError):
    pass


def _cmdline(pid):
    with contextlib.suppress(OSError):
        with open("/proc/%d/cmdline" % pid, "rb") as f:
            return f.read()
    return b""


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, server_state, **kwargs):
        self.state = server_state
        super().__init__(*args, **kwargs)

    def log_message(self, *args):
        pass

    def handle_one_request(self):
        # Offline: the connection ends before any answer, as an unreachable
        # network's does.
        if self.state.offline:
            self.close_connection = True
            return
        super().handle_one_request()

    def copyfile(self, source, outputfile):
        sent = 0
        while True:
            block = source.read(65536)
            if not block:
                break
            outputfile.write(block)
            sent += len(block)
        with self.state.lock:
            path = self.path.split("?")[0]
            self.state.sent[path] = self.state.sent.get(path, 0) + sent


class StaticServer:
    """Serves a folder over HTTP on 127.0.0.1 at a port the system picks,
    counting the bytes of each file it sends (sent: {path: bytes}); with
    offline set it answers nothing."""

    def __init__(self, folder):
        self.offline = False
        self.sent = {}
        self.lock = threading.Lock()
        handler = functools.partial(_QuietHandler, directory=folder, server_state=self)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Page:
    """One Chromium window with one page, driven command by command."""

    def __init__(self, rig, url, size=None, timeout=60, chromium_args=(), device=None,
                 init_scripts=()):
        """chromium_args: more switches for Chromium; device: a phone of
        playwright's table to emulate; init_scripts: files of JavaScript run in
        the page before its own."""
        self.rig = rig
        self.timeout = timeout
        env = dict(rig.env)
        env["HOME"] = os.path.join(rig.dir, "browser-home")
        env["SNOWGIG_CHROMIUM_ARGS"] = " ".join(chromium_args)
        os.makedirs(env["HOME"], exist_ok=True)
        self.log = open(os.path.join(rig.dir, "browser.log"), "ab")
        argv = ["node", DRIVER, url, "--size", size or rig.screen]
        if device:
            argv += ["--device", device]
        for script in init_scripts:
            argv += ["--init", script]
        self.proc = subprocess.Popen(
            argv, env=env, stdin=subprocess.PIPE,
            stdout=subprocess.PIPE, stderr=self.log, start_new_session=True)

    def close(self):
        if self.proc is None:
            return
        with contextlib.suppress(Exception):
            self.proc.stdin.write(b'{"do": "quit"}\n')
            self.proc.stdin.flush()
            self.proc.wait(timeout=15)
        if self.proc.poll() is None:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(self.proc.pid, 9)
            self.proc.wait(timeout=15)
        self.proc = None
        self.log.close()

    def command(self, what, timeout=None, **args):
        """Runs one driver command and returns its value; PageError when it
        fails, or when no answer comes within the time allowed."""
        args["do"] = what
        self.proc.stdin.write((json.dumps(args) + "\n").encode())
        self.proc.stdin.flush()
        answer = [None]

        def read():
            answer[0] = self.proc.stdout.readline()

        reader = threading.Thread(target=read, daemon=True)
        reader.start()
        # Chromium's own start counts against the first command.
        reader.join((timeout or self.timeout) + 90)
        if not answer[0]:
            raise PageError("no answer from the page driver to %r" % what)
        reply = json.loads(answer[0])
        if "error" in reply:
            raise PageError("%s: %s" % (what, reply["error"]))
        return reply["ok"]

    def eval(self, js):
        return self.command("eval", js=js)

    def wait(self, js, timeout=30):
        """Waits until the expression is true in the page."""
        self.command("wait", js=js, timeout=int(timeout * 1000))

    def record(self, folder, seconds, selector="canvas"):
        """Screenshots of the selector, one after another for `seconds`:
        [(moment, path)], each with the wall-clock moment (time.time()) half
        way through its grab."""
        os.makedirs(folder, exist_ok=True)
        shots = self.command("record", folder=folder, seconds=seconds, selector=selector,
                             timeout=seconds + 30)
        return [(moment / 1000.0, path) for moment, path in shots]

    def raise_sound(self, timeout=10):
        """Lets Chromium's audio service run ahead of the rest, as rtkit lets
        it on a desktop (its audio thread asks for real-time priority there;
        the rig has no rtkit). Call it once the page has made an AudioContext.
        False when no audio service appears in time."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = [pid for pid in self._descendants() if b"AudioService" in _cmdline(pid)]
            if found:
                for pid in found:
                    snowrig.raise_process(pid)
                return True
            time.sleep(0.1)
        return False

    def _descendants(self):
        """The processes the driver started, at any depth (Chromium puts its own
        in a session of their own)."""
        parents = {}
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                with contextlib.suppress(OSError, IndexError, ValueError):
                    with open("/proc/%s/stat" % entry, "rb") as f:
                        parents[int(entry)] = int(f.read().rsplit(b")", 1)[1].split()[1])
        found, todo = [], [self.proc.pid]
        while todo:
            parent = todo.pop()
            children = [pid for pid, ppid in parents.items() if ppid == parent]
            found += children
            todo += children
        return found

    def goto(self, url):
        self.command("goto", url=url)

    def pointer(self, x, y, click=False):
        """The mouse moved to a point of the page, and clicked there."""
        self.command("pointer", x=x, y=y, click=click)

    def cdp(self, method, **params):
        """One call of Chromium's DevTools protocol for the page."""
        return self.command("cdp", method=method, params=params)

    def objects(self, *names):
        """{name: count}: how many objects of each name (in the heap snapshot's
        terms: "Memory" for a WebAssembly memory, "WebGLRenderingContext") the
        page holds after a garbage collection."""
        return self.command("objects", names=list(names), timeout=120)

    def listeners(self, target):
        """The event types of the listeners on a page's object (an expression,
        such as "document"), one entry a listener."""
        return self.command("listeners", target=target)

    def process_memory(self):
        """{"renderer": bytes, "gpu": bytes}: the proportional set size (PSS) of
        Chromium's renderer processes and of its GPU process (which holds
        SwiftShader's WebGL drawing buffers and textures)."""
        sizes = {"renderer": 0, "gpu": 0}
        for pid in self._descendants():
            line = _cmdline(pid)
            kind = ("renderer" if b"--type=renderer" in line else
                    "gpu" if b"--type=gpu-process" in line else None)
            if not kind:
                continue
            with contextlib.suppress(OSError):
                with open("/proc/%d/smaps_rollup" % pid) as f:
                    for row in f:
                        if row.startswith("Pss:"):
                            sizes[kind] += int(row.split()[1]) * 1024
        return sizes


class WebDriver(snowrig.Driver):
    """The page in one Chromium window at a time; its in-page windows (the
    Setup form, the message box, the show) are found by their titles."""

    def setup(self, rig):
        super().setup(rig)
        self.servers = []
        self.page = None
        rig.start_session_bus()

    def command(self, argv):
        raise snowrig.RigError("the web rig starts no programs: rig.open() opens a page")

    def close(self):
        self.close_page()
        for server in self.servers:
            server.close()
        self.servers = []

    def serve(self, folder):
        """The URL at which a folder is served until the rig closes."""
        return self.server(folder).url

    def server(self, folder):
        """A StaticServer for a folder until the rig closes."""
        self.servers.append(StaticServer(folder))
        return self.servers[-1]

    def open(self, url, size=None, chromium_args=(), device=None, init_scripts=(),
             engine="chromium"):
        """Opens url in a new Chromium window, ending the one open before, and
        returns its Page (see Page for the options); with engine "firefox" or
        "webkit", in that browser instead (browserpages.py)."""
        self.close_page()
        if engine == "chromium":
            self.page = Page(self.rig, url, size, chromium_args=chromium_args, device=device,
                             init_scripts=init_scripts)
        else:
            import browserpages
            self.page = browserpages.ENGINES[engine](self.rig, url, size)
        return self.page

    def close_page(self):
        if self.page is not None:
            self.page.close()
            self.page = None

    # -- windows ----------------------------------------------------------------

    def _shown(self, title):
        return SHOWN % json.dumps(title)

    def _control(self, control_id):
        try:
            return FORM_CONTROLS[control_id]
        except KeyError:
            raise snowrig.RigError("no form control is known for %r" % control_id) from None

    def wait_window(self, title, timeout=30):
        """Waits until the in-page window with that title shows."""
        self.page.wait(self._shown(title), timeout)

    def has_window(self, title):
        return bool(self.page.eval(self._shown(title)))

    def message_text(self, title="Error", timeout=30):
        """Waits for the message box and returns its text; RigError when its
        title is another."""
        self.page.wait("!document.getElementById('message').hidden", timeout)
        shown, text = self.page.eval("[document.getElementById('message-title').textContent, "
                                     "document.getElementById('message-text').textContent]")
        if shown != title:
            raise snowrig.RigError("a box titled %r says %r, want one titled %r"
                                   % (shown, text, title))
        return text.rstrip("\n")

    def combo(self, title, control_id):
        """(selected index, [entries]) of a list."""
        return tuple(self.page.eval(
            "((list) => [list.selectedIndex, [...list.options].map((o) => o.text)])"
            "(document.getElementById(%s))" % json.dumps(self._control(control_id)[0])))

    def select(self, title, control_id, index):
        self.page.command("select", label=self._control(control_id)[2], index=index)

    def checked(self, title, control_id):
        return bool(self.page.eval("document.getElementById(%s).checked"
                                   % json.dumps(self._control(control_id)[0])))

    def click(self, title, control_id):
        """Clicks a control of the Setup form or of the box titled `title`; a
        radio button is checked, as a click on it does."""
        _, role, name = self._control(control_id)
        if role == "radio":
            self.page.command("check", label=name)
        else:
            self.page.command("click", role=role, name=name,
                              dialog=None if title == FORM_TITLE else title)

    def key(self, name):
        self.page.command("key", key=name)

    def foreground(self, title):
        """Nothing to do: the page takes its keys through the browser's own
        channel, whatever window has the focus."""
