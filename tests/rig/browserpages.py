"""Pages in the web rig's other browsers, beside Chromium's (webdriver.Page):
Debian's Firefox ESR driven through its Marionette protocol, and WebKitGTK's
MiniBrowser driven through WebKitWebDriver (W3C WebDriver over HTTP). Both run
headed on the rig's X screen with their sound in the rig's PulseAudio server.

They answer the commands of webdriver.Page that the page's tests use (eval,
wait, goto, key, click, check, select, pointer). Keys and the pointer are real
X input (xdotool), which the browsers take as the user's own: the OK that
lets a page make sound and go full screen is a Return on the focused button.
pointer() takes the page's coordinates as the screen's, which holds in full
screen, where the page covers the screen."""
import contextlib
import json
import os
import shutil
import socket
import subprocess
import time
import urllib.error
import urllib.request

import snowrig

MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
FIREFOX = "/usr/bin/firefox-esr"
WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver"

# A fresh profile that starts straight into the page: WebGL on Mesa's software
# renderer (which Firefox blocks otherwise), no first-run pages, no updates or
# telemetry, no full-screen notice over the page.
FIREFOX_PREFS = {
    "marionette.port": None,  # set per run
    "webgl.force-enabled": True,
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "browser.startup.page": 0,
    "browser.aboutwelcome.enabled": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "app.update.disabledForTesting": True,
    "browser.sessionstore.resume_from_crash": False,
    "full-screen-api.warning.timeout": 0,
    "remote.prefs.recommended": True,
}


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class BrowserError(snowrig.RigError):
    pass


class ScriptPage:
    """What both browsers share: commands by name, scripts run in the page,
    real X keys and pointer."""

    # Form controls by role and name, found in the page.
    FIND = """((role, name, dialog) => {
      const within = dialog ? [...document.querySelectorAll("[role=alertdialog]")].find((d) =>
          d.querySelector(".caption").textContent == dialog) : document;
      const label = (e) => e.getAttribute("aria-label") || e.textContent.trim();
      return [...within.querySelectorAll(role == "button" ? "button" : "input, select")]
          .find((e) => label(e) == name && !e.closest("[hidden]"));
    })(%s, %s, %s)"""

    def __init__(self, rig, timeout=60):
        self.rig = rig
        self.timeout = timeout
        self.log = open(os.path.join(rig.dir, "browser.log"), "ab")

    def command(self, what, timeout=None, **args):
        run = getattr(self, "do_" + what, None)
        if run is None:
            raise BrowserError("no command %r in this browser's driver" % what)
        return run(**args)

    def eval(self, js):
        return self.execute("return (%s);" % js)

    def wait(self, js, timeout=30):
        """Waits until the expression is true in the page."""
        deadline = time.time() + timeout
        while True:
            with contextlib.suppress(BrowserError):
                if self.eval(js):
                    return
            if time.time() > deadline:
                raise BrowserError("timed out after %g s waiting for %s" % (timeout, js[:200]))
            time.sleep(0.05)

    def xdotool(self, *argv):
        subprocess.run(["xdotool"] + [str(a) for a in argv], env=self.rig.env, timeout=20,
                       check=True, stdout=subprocess.DEVNULL, stderr=self.log)

    def do_key(self, key):
        # Without a window manager the keys go to the window under the pointer.
        if not self.eval("!!document.fullscreenElement"):
            self.xdotool("mousemove", 200, 300)
        self.xdotool("key", {"Escape": "Escape", "Enter": "Return"}.get(key, key))

    def do_click(self, role, name, dialog=None):
        """A button pressed as a person with a keyboard does: focused, then
        Return."""
        found = self.eval("!!" + self.FIND % (json.dumps(role), json.dumps(name),
                                              json.dumps(dialog)))
        if not found:
            raise BrowserError("no %s %r in the page" % (role, name))
        self.eval("(%s).focus() || true" % (self.FIND % (json.dumps(role), json.dumps(name),
                                                          json.dumps(dialog))))
        self.do_key("Enter")

    def do_check(self, label):
        ids = {"Windowed": "windowed", "Full-screen": "fullscreen"}
        self.eval("(document.getElementById(%s).checked = true)" % json.dumps(ids[label]))

    def do_select(self, label, index):
        self.eval("((list) => { list.selectedIndex = %d; list.dispatchEvent(new Event('change')); "
                  "return true; })(document.getElementById('resolution'))" % index)

    def do_pointer(self, x, y, click=False):
        self.xdotool("mousemove", int(x), int(y))
        if click:
            self.xdotool("click", 1)

    def pointer(self, x, y, click=False):
        self.do_pointer(x, y, click)

    def goto(self, url):
        self.do_goto(url)

    def raise_sound(self, timeout=10):
        return True


class FirefoxPage(ScriptPage):
    """Firefox ESR with a profile of its own, driven over Marionette."""

    def __init__(self, rig, url, size=None, timeout=60):
        super().__init__(rig, timeout)
        profile = os.path.join(rig.dir, "firefox-profile")
        shutil.rmtree(profile, ignore_errors=True)
        os.makedirs(profile)
        port = free_port()
        prefs = dict(FIREFOX_PREFS, **{"marionette.port": port})
        with open(os.path.join(profile, "user.js"), "w") as f:
            for name, value in prefs.items():
                f.write("user_pref(%s, %s);\n" % (json.dumps(name), json.dumps(value)))
        width, height = (size or rig.screen).split("x")
        env = dict(rig.env, HOME=os.path.join(rig.dir, "browser-home"), MOZ_CRASHREPORTER_DISABLE="1")
        os.makedirs(env["HOME"], exist_ok=True)
        self.proc = subprocess.Popen(
            [FIREFOX, "--marionette", "--no-remote", "--profile", profile, "--width", width,
             "--height", height, "about:blank"],
            env=env, stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log,
            start_new_session=True)
        self.sock = None
        self.next_id = 0
        deadline = time.time() + 90
        while self.sock is None:
            try:
                self.sock = socket.create_connection(("127.0.0.1", port), timeout=5)
            except OSError:
                if time.time() > deadline or self.proc.poll() is not None:
                    self.close()
                    raise BrowserError("Firefox offered no Marionette port")
                time.sleep(0.3)
        self.sock.settimeout(timeout + 30)
        self.buffer = b""
        self._read()  # its greeting
        self._send("WebDriver:NewSession", {"capabilities": {"alwaysMatch": {"acceptInsecureCerts": True}}})
        self._send("WebDriver:SetTimeouts", {"script": timeout * 1000})
        self.do_goto(url)

    def _read(self):
        while b":" not in self.buffer:
            self._receive()
        length, rest = self.buffer.split(b":", 1)
        while len(rest) < int(length):
            self.buffer = length + b":" + rest
            self._receive()
            length, rest = self.buffer.split(b":", 1)
        self.buffer = rest[int(length):]
        return json.loads(rest[:int(length)])

    def _receive(self):
        block = self.sock.recv(65536)
        if not block:
            raise BrowserError("Firefox closed its Marionette connection")
        self.buffer += block

    def _send(self, name, params):
        self.next_id += 1
        data = json.dumps([0, self.next_id, name, params]).encode()
        self.sock.sendall(b"%d:%s" % (len(data), data))
        while True:
            answer = self._read()
            if answer[0] == 1 and answer[1] == self.next_id:
                break
        if answer[2]:
            raise BrowserError("%s: %s" % (name, answer[2].get("message", answer[2])))
        result = answer[3]
        return result.get("value") if isinstance(result, dict) else result

    def execute(self, script):
        return self._send("WebDriver:ExecuteScript", {"script": script, "args": []})

    def eval(self, js):
        # Marionette runs scripts in a sandbox over the page, which sees the
        # window's properties but not the page's own top-level names
        # (snowgigPage); the page's eval sees those.
        return self.execute("const page = window.wrappedJSObject || window; "
                            "return page.eval(arguments[0]);".replace("arguments[0]", json.dumps(js)))

    def do_goto(self, url):
        self._send("WebDriver:Navigate", {"url": url})

    def close(self):
        if self.proc is None:
            return
        with contextlib.suppress(Exception):
            self._send("Marionette:Quit", {"flags": ["eForceQuit"]})
        with contextlib.suppress(Exception):
            self.sock.close()
        with contextlib.suppress(subprocess.TimeoutExpired):
            self.proc.wait(timeout=15)
        snowrig.kill_group(self.proc)
        self.proc = None
        self.log.close()


class WebKitPage(ScriptPage):
    """WebKitGTK's MiniBrowser, driven through WebKitWebDriver."""

    def __init__(self, rig, url, size=None, timeout=60):
        super().__init__(rig, timeout)
        port = free_port()
        env = dict(rig.env, HOME=os.path.join(rig.dir, "browser-home"))
        os.makedirs(env["HOME"], exist_ok=True)
        self.proc = subprocess.Popen(
            [WEBKIT_DRIVER, "--port=%d" % port], env=env, stdin=subprocess.DEVNULL,
            stdout=self.log, stderr=self.log, start_new_session=True)
        self.base = "http://127.0.0.1:%d" % port
        self.session = None
        deadline = time.time() + 90
        capabilities = {"capabilities": {"alwaysMatch": {
            "webkitgtk:browserOptions": {"binary": MINIBROWSER, "args": ["--automation"]}}}}
        while self.session is None:
            try:
                self.session = self._call("POST", "/session", capabilities)["sessionId"]
            except (OSError, urllib.error.URLError):
                if time.time() > deadline or self.proc.poll() is not None:
                    self.close()
                    raise BrowserError("WebKitWebDriver started no session")
                time.sleep(0.3)
        width, height = (size or rig.screen).split("x")
        with contextlib.suppress(BrowserError):
            self._call("POST", "/session/%s/window/rect" % self.session,
                       {"x": 0, "y": 0, "width": int(width), "height": int(height)})
        self.do_goto(url)

    def _call(self, method, path, body=None):
        request = urllib.request.Request(self.base + path, method=method,
                                         data=json.dumps(body or {}).encode(),
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=self.timeout + 30) as answer:
                return json.loads(answer.read())["value"]
        except urllib.error.HTTPError as error:
            value = json.loads(error.read() or b"{}").get("value", {})
            raise BrowserError("%s %s: %s" % (method, path, value.get("message", error))) from None

    def execute(self, script):
        return self._call("POST", "/session/%s/execute/sync" % self.session,
                          {"script": script, "args": []})

    def do_goto(self, url):
        self._call("POST", "/session/%s/url" % self.session, {"url": url})

    def close(self):
        if self.proc is None:
            return
        if self.session:
            with contextlib.suppress(Exception):
                self._call("DELETE", "/session/%s" % self.session)
        snowrig.kill_group(self.proc)
        self.proc = None
        self.log.close()


ENGINES = {"firefox": FirefoxPage, "webkit": WebKitPage}
