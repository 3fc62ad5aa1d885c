"""The rig's hands on a web page: a static server for a folder on a free
local port, and Debian's Chromium driven through playwright-core
(tests/web/pagedriver.js), headed on the rig's X screen with its sound going
to the rig's PulseAudio server, so that a page is seen and heard as the
desktop programs are.

    with snowrig.Rig(screen="1280x800", native=True, clocked_sound=True) as rig:
        with StaticServer(folder) as server, Page(rig, server.url) as page:
            page.click("button", "OK")
            page.eval("document.title")

Every wait is bounded; leaving the `with` blocks ends the browser and the
server."""
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


class PageError(Exception):
    pass


def _cmdline(pid):
    with contextlib.suppress(OSError):
        with open("/proc/%d/cmdline" % pid, "rb") as f:
            return f.read()
    return b""


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class StaticServer:
    """Serves a folder over HTTP on 127.0.0.1 at a port the system picks."""

    def __init__(self, folder):
        handler = functools.partial(_QuietHandler, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.httpd.shutdown()
        self.httpd.server_close()
        return False


class Page:
    """One Chromium window with one page, driven command by command."""

    def __init__(self, rig, url, size=None, timeout=60, chromium_args=()):
        """chromium_args: more switches for Chromium."""
        self.rig = rig
        self.chromium_args = list(chromium_args)
        self.url = url
        self.size = size or rig.screen
        self.timeout = timeout
        self.proc = None

    def __enter__(self):
        env = dict(self.rig.env)
        env["HOME"] = os.path.join(self.rig.dir, "browser-home")
        env["SNOWGIG_CHROMIUM_ARGS"] = " ".join(self.chromium_args)
        os.makedirs(env["HOME"], exist_ok=True)
        self.log = open(os.path.join(self.rig.dir, "browser.log"), "ab")
        self.proc = subprocess.Popen(
            ["node", DRIVER, self.url, "--size", self.size], env=env, stdin=subprocess.PIPE,
            stdout=subprocess.PIPE, stderr=self.log, start_new_session=True)
        return self

    def __exit__(self, *exc):
        self.close()
        return False

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

    def click(self, role, name, dialog=None):
        """Clicks the control of that role and name (inside the in-page box
        titled `dialog`, if given)."""
        self.command("click", role=role, name=name, dialog=dialog)

    def key(self, key):
        self.command("key", key=key)

    def check(self, label):
        self.command("check", label=label)

    def select(self, label, index):
        self.command("select", label=label, index=index)

    def shot(self, path, selector=None):
        self.command("shot", path=path, selector=selector)
        return path

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

    def console(self):
        return self.command("console")
