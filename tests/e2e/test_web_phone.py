"""The web page on phones, in Chromium's emulation of them (touch, three device
pixels to a point, portrait and landscape; an iPhone without the Fullscreen
API for elements, as its Safari has none), and on a second visit without a
network. Each phone: Full-screen (the preselected choice) fills the screen
with no box, letterboxed; the screen's wake lock is held; a phone held upright
gets the hint to turn it; a stray tap ends nothing, the end control does, as
Escape does, and lets the wake lock go. One phone's music is suspended from
outside the page, as a call does, and must come back; that phone's page loses
its wake lock as a hidden page does, and must take it again when it shows. The first visit
downloads the pack once, leaves the page installable as an app and its link
preview's picture there; a browser that refuses full screen still gets the
box and the show in the page; the offline visit plays the show with its music from
what the first visit kept, and a new build replaces what was kept on the next
visit. Screenshots of each phone go to
SNOWGIG_PHONE_SHOTS when set. SNOWGIG_WEB_DIST names the page's folder."""
import json
import os
import tempfile
import time

import snowrig
from demo import expect
from test_web import ESCAPE_SILENT, SETUP_READY, copy_web, frame_moment, web_dist

SCREEN = "1280x800"
LOUD = 64
# Seconds from the first frame to a moment of the scene with Santa in it.
SCENE_AT = 12

# Every page of this test starts with these: the wake locks the page takes,
# counted as the browser hands them out.
WATCH_WAKE_LOCK = """(() => {
  const locks = [];
  window.wakeLocksHeld = () => locks.filter((lock) => !lock.released).length;
  window.releaseWakeLocks = () => Promise.all(locks.map((lock) => lock.release()));
  if (!window.WakeLock)
    return;
  const request = WakeLock.prototype.request;
  WakeLock.prototype.request = async function (...args) {
    const lock = await request.apply(this, args);
    locks.push(lock);
    return lock;
  };
})();"""
# An iPhone's Safari: no full screen for elements.
NO_FULLSCREEN_API = """delete Element.prototype.requestFullscreen;
delete Element.prototype.webkitRequestFullscreen;"""

# A desktop browser that has the Fullscreen API and refuses.
REFUSE_FULL_SCREEN = """Element.prototype.requestFullscreen = function () {
  return Promise.reject(new TypeError("full screen refused"));
};"""
REFUSED = "Couldn't set full-screen video mode, using windowed."

# (name, playwright's device, whether the Fullscreen API is there, whether its
# music is interrupted).
PHONES = (
    ("iphone-landscape", "iPhone 13 landscape", False, True),
    ("iphone-portrait", "iPhone 13", False, False),
    ("android-landscape", "Galaxy S8 landscape", True, False),
)

SHOWN = """(() => {
  const box = (e) => { const r = e.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; };
  const element = (id) => document.getElementById(id);
  return {viewport: [innerWidth, innerHeight], show: box(element("show")), canvas: box(canvas),
          size: [canvas.width, canvas.height], ratio: devicePixelRatio,
          api: !!document.fullscreenElement, box: !element("message").hidden,
          form: !element("setup").hidden, hint: !element("turn").hidden,
          endControl: !element("end-show").hidden, locks: wakeLocksHeld()};
})()"""


def loud_after(rig, moment, seconds):
    """Whether the music is heard through `seconds` after a moment."""
    levels = snowrig.sound_levels(rig.sound_bytes()[rig.sound_offset(moment):], 0.1)
    return len(levels) >= seconds * 10 and min(levels[:int(seconds * 10)]) > LOUD


def silent_after_end(rig, ended):
    time.sleep(1.5)
    levels = snowrig.sound_levels(rig.sound_bytes()[rig.sound_offset(ended):], 0.01)
    last = max((i for i, v in enumerate(levels) if v > LOUD), default=-1)
    return (last + 1) * 0.01


def fills_screen(state):
    """The show covers the viewport with the picture letterboxed in it."""
    width, height = state["viewport"]
    left, top, shown_width, shown_height = state["canvas"]
    scale = min(width / state["size"][0], height / state["size"][1])
    near = lambda a, b: abs(a - b) < 1
    return (all(near(a, b) for a, b in zip(state["show"], [0, 0, width, height])) and
            near(shown_width, state["size"][0] * scale) and
            near(shown_height, state["size"][1] * scale) and
            near(left, (width - shown_width) / 2) and near(top, (height - shown_height) / 2))


def interrupted(rig, page):
    """The context suspended from outside the page, as a call or a screen lock
    does; the page must start it again."""
    state = page.eval("snowgigPage.audioContext().suspend().then(() => "
                      "snowgigPage.audioContext().state)")
    expect(state == "suspended", "the context did not suspend (%r)" % state)
    moment = time.time()
    page.wait("snowgigPage.audioContext().state == 'running'", 5)
    back = time.time() - moment
    time.sleep(2)
    expect(loud_after(rig, moment + back + 0.6, 1.0), "no music after the interruption")
    print("  ok the music is back %.2f s after an interruption" % back)


def hidden_and_back(page):
    """A hidden page loses its wake lock to the browser and must ask for it
    again once it shows. Playwright's pages never report themselves hidden, so
    the test takes the lock as the browser does and tells the page it was
    hidden and is visible again."""
    page.eval("""(async () => {
      await releaseWakeLocks();
      for (const state of ["hidden", "visible"]) {
        Object.defineProperty(document, "visibilityState", {value: state, configurable: true});
        document.dispatchEvent(new Event("visibilitychange", {bubbles: true}));
      }
      return wakeLocksHeld();
    })()""")
    moment = time.time()
    page.wait("wakeLocksHeld() == 1", 5)
    print("  ok hidden, its wake lock taken; visible again, the lock is held again after %.2f s"
          % (time.time() - moment))


def phone(rig, url, shots, name, device, api, interrupt, scripts):
    page = rig.open(url, device=device,
                    init_scripts=scripts if api else scripts + [scripts_file(rig, "no-api",
                                                                             NO_FULLSCREEN_API)])
    page.wait(SETUP_READY, 60)
    expect(page.eval("document.getElementById('fullscreen').checked"),
           "Full-screen is not the preselected choice")
    page.command("tap", role="button", name="OK")
    page.wait("snowgigPage.record.firstFrame > 0", 60)
    state = page.eval(SHOWN)
    upright = state["viewport"][1] > state["viewport"][0]
    expect(not state["box"], "a box shows over the show")
    expect(not state["form"], "the Setup form shows with the show")
    expect(state["api"] == api, "the Fullscreen API was %sused" % ("not " if api else ""))
    expect(fills_screen(state), "the show at %r, the picture at %r in a %r viewport"
           % (state["show"], state["canvas"], state["viewport"]))
    expect(state["ratio"] == 3, "device pixel ratio %r" % state["ratio"])
    expect(state["locks"] == 1, "%d wake locks held while the show runs" % state["locks"])
    expect(state["hint"] == upright, "the hint to turn the phone is %sshown %s" %
           ("" if state["hint"] else "not ", "upright" if upright else "sideways"))
    expect(not state["endControl"], "the end control shows before any tap")
    print("%s: ok full screen with no box, %dx%d drawn in a %dx%d viewport%s, wake lock held%s"
          % ((name, *state["size"], *state["viewport"], "" if api else " without the Fullscreen API",
              ", hint to turn it" if upright else "")))
    first = frame_moment(page, "firstFrame")
    if shots and upright:
        shot(page, shots, name + "-hint")

    if interrupt:
        page.wait("snowgigPage.record.firstFrame && "
                  "snowgigPage.audioContext().state == 'running'", 20)
        time.sleep(1)
        interrupted(rig, page)
        hidden_and_back(page)

    # A tap where the end control comes up: it comes up, and ends nothing.
    time.sleep(max(0, first + SCENE_AT - time.time()))
    width = state["viewport"][0]
    page.command("tap", x=width - 34, y=34)
    time.sleep(0.8)
    stray = page.eval("[snowgigPage.record.runs, document.getElementById('show').hidden, "
                      "document.getElementById('end-show').hidden]")
    expect(stray == [1, False, False], "after one tap: runs, show hidden, control hidden %r" % stray)
    if shots:
        shot(page, shots, name)
        # The grab may outlast the control's few seconds: a tap on the
        # picture brings it up again.
        page.command("tap", x=width / 2, y=state["viewport"][1] / 2)
    page.command("tap", role="button", name="End the show")
    ended = time.time()
    page.wait(SETUP_READY + " && snowgigPage.record.runs == 2", 30)
    after = page.eval(SHOWN)
    expect(after["locks"] == 0, "%d wake locks held after the show" % after["locks"])
    expect(not after["api"], "still full screen after the show")
    quiet = silent_after_end(rig, ended)
    expect(quiet <= ESCAPE_SILENT, "music still heard %.2f s after the end control" % quiet)
    print("  ok a stray tap ends nothing; the end control ends the show (silent %.2f s after), "
          "back to the Setup form, the wake lock let go" % quiet)


def shot(page, folder, name):
    path = os.path.join(folder, "phone-%s.png" % name)
    page.command("shot", path=path)
    print("  screenshot %s" % path)


def scripts_file(rig, name, text):
    path = os.path.join(rig.dir, name + ".js")
    with open(path, "w") as f:
        f.write(text)
    return path


def kept_files(page):
    """{cache name: number of files in it} of the page's origin."""
    return page.eval("""(async () => {
      const kept = {};
      for (const name of await caches.keys())
        kept[name] = (await (await caches.open(name)).keys()).length;
      return kept;
    })()""")


def wait_kept(page, want, timeout=60):
    deadline = time.time() + timeout
    kept = kept_files(page)
    while not want(kept) and time.time() < deadline:
        time.sleep(0.5)
        kept = kept_files(page)
    return kept


PICTURE_AND_CONTROL = """[canvas, document.getElementById("end-show")].map((e) => {
  const r = e.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; })"""


def refused(rig, url, scripts):
    """A browser that refuses full screen gets the desktop's box, then the show
    in the page, not over it."""
    page = rig.open(url, init_scripts=scripts + [scripts_file(rig, "refuse", REFUSE_FULL_SCREEN)])
    page.wait(SETUP_READY, 60)
    page.command("click", role="button", name="OK")
    page.wait("!document.getElementById('message').hidden", 60)
    caption, text = page.eval("[document.getElementById('message-title').textContent, "
                              "document.getElementById('message-text').textContent]")
    expect(text.rstrip("\n") == REFUSED, "box %r says %r" % (caption, text))
    rig.click(caption, 1)
    page.wait("snowgigPage.record.firstFrame > 0", 60)
    shown = page.eval("[canvas.getBoundingClientRect().width * devicePixelRatio, "
                      "document.getElementById('stage').classList.contains('filled')]")
    expect(shown == [640, False], "refused full screen shows the canvas as %r" % shown)
    # In the page the end control belongs to the picture: a mouse moving
    # beside it brings up nothing; over it, the control comes up in its corner.
    for x, y in ((20, 20), (30, 25)):
        page.pointer(x, y)
    time.sleep(0.3)
    expect(page.eval("document.getElementById('end-show').hidden"),
           "a mouse move beside the picture brought up the end control")
    left, top, width, height = page.eval(PICTURE_AND_CONTROL)[0]
    for x, y in ((left + width / 2, top + height / 2), (left + width / 2 + 15, top + height / 2)):
        page.pointer(x, y)
    page.wait("!document.getElementById('end-show').hidden", 5)
    picture, control = page.eval(PICTURE_AND_CONTROL)
    inside = (picture[0] <= control[0] and control[0] + control[2] <= picture[0] + picture[2] and
              picture[1] <= control[1] and control[1] + control[3] <= picture[1] + picture[3] / 4)
    expect(inside, "the end control at %r, the picture at %r" % (control, picture))
    page.pointer(control[0] + control[2] / 2, control[1] + control[3] / 2, click=True)
    page.wait(SETUP_READY + " && snowgigPage.record.runs == 2", 30)
    print("refused: ok the box %r, then the show in the page, its end control in the "
          "picture's corner" % REFUSED)


# The link preview's tags: (attribute, name, what the content must be).
PREVIEW_TAGS = (("property", "og:title", "snowgig"), ("property", "og:image", "preview.png"),
                ("property", "og:description", None), ("name", "twitter:card",
                                                       "summary_large_image"))
IMAGE_SIZE = """((src) => new Promise((done) => { const image = new Image();
    image.onload = () => done([image.naturalWidth, image.naturalHeight]);
    image.onerror = () => done(null); image.src = src; }))(%s)"""


def app_and_preview(page):
    """Chromium reads the page's app manifest without a fault and finds no
    reason not to install it but its private profile; the manifest's icons are
    there at their sizes, and the link preview's tags name a picture that is
    there at the size they say."""
    # The driver's browser profile is a private one, which Chromium never
    # installs apps from: that one reason is the profile's, not the page's.
    errors = [error["errorId"] for error in
              page.cdp("Page.getInstallabilityErrors")["installabilityErrors"]]
    expect(set(errors) <= {"in-incognito"}, "Chromium would not install the page: %r" % errors)
    read = page.cdp("Page.getAppManifest")
    expect(read["url"].endswith("/manifest.webmanifest") and read["errors"] == [],
           "Chromium read the manifest %r with %r" % (read["url"], read["errors"]))
    manifest = page.eval("fetch('manifest.webmanifest').then((response) => response.json())")
    icons = {icon["sizes"]: icon["src"] for icon in manifest["icons"]}
    for size in ("192x192", "512x512"):
        got = page.eval(IMAGE_SIZE % json.dumps(icons.get(size, "")))
        expect(got and "%dx%d" % tuple(got) == size, "the %s icon is %r" % (size, got))
    expect((manifest["display"], manifest["orientation"]) == ("fullscreen", "landscape"),
           "the manifest says %r" % manifest)
    for attribute, name, want in PREVIEW_TAGS:
        content = page.eval("(document.querySelector('meta[%s=\"%s\"]') || {}).content || ''"
                            % (attribute, name))
        expect(content and (want is None or content == want), "%s is %r" % (name, content))
    size = page.eval(IMAGE_SIZE % json.dumps("preview.png"))
    tagged = [int(page.eval("document.querySelector('meta[property=\"og:image:%s\"]').content"
                            % side)) for side in ("width", "height")]
    expect(size == tagged, "preview.png is %r, its tags say %r" % (size, tagged))
    print("app: ok the manifest read without a fault (icons at 192 and 512, full screen, "
          "landscape), nothing against installing it; the link preview's tags and its %dx%d "
          "picture" % tuple(size))


def offline(rig, scripts):
    site = copy_web(tempfile.mkdtemp(prefix="site-", dir=rig.dir), "offline")
    server = rig.server(site)
    page = rig.open(server.url, init_scripts=scripts)
    page.wait(SETUP_READY, 60)
    kept = wait_kept(page, lambda kept: list(kept.values()) == [12])
    expect(list(kept.values()) == [12], "the first visit kept %r" % kept)
    pack = os.path.getsize(os.path.join(site, "snowgig.dat"))
    sent = dict(server.sent)
    print("offline: first visit: %d bytes sent, the pack's %d bytes %.1f times; kept %r"
          % (sum(sent.values()), pack, sent.get("/snowgig.dat", 0) / pack, kept))
    expect(sent.get("/snowgig.dat") == pack, "the first visit sent the pack's %d bytes as %r"
           % (pack, sent.get("/snowgig.dat")))
    app_and_preview(page)

    server.offline = True
    page.goto(server.url)
    page.wait(SETUP_READY, 60)
    page.command("check", label="Windowed")
    page.command("click", role="button", name="OK")
    page.wait("snowgigPage.record.firstFrame > 0", 60)
    first = frame_moment(page, "firstFrame")
    # The music starts after two seconds of silence.
    time.sleep(max(0, first + 5 - time.time()))
    expect(loud_after(rig, first + 3, 1.5), "no music on the offline visit")
    frames = page.eval("snowgigPage.record.frames")
    page.command("key", key="Escape")
    page.wait(SETUP_READY + " && snowgigPage.record.runs == 2", 30)
    print("offline: ok the second visit without a network plays the show (%d frames) and its "
          "music" % frames)

    # A new build on the server: its worker replaces what was kept.
    with open(os.path.join(site, "page.css"), "a") as f:
        f.write("/* the next build */\n")
    with open(os.path.join(site, "sw.js")) as f:
        worker = f.read()
    old = next(iter(kept))
    with open(os.path.join(site, "sw.js"), "w") as f:
        f.write(worker.replace(old[len("snowgig-"):], "0123456789abcdef"))
    server.offline = False
    page.goto(server.url)
    page.wait(SETUP_READY, 60)
    kept = wait_kept(page, lambda kept: list(kept) == ["snowgig-0123456789abcdef"])
    expect(list(kept) == ["snowgig-0123456789abcdef"], "after a new build the page kept %r" % kept)
    server.offline = True
    page.goto(server.url)
    page.wait(SETUP_READY, 60)
    css = page.eval("fetch('page.css').then((response) => response.text())")
    expect(css.endswith("/* the next build */\n"), "offline after the new build: an old page.css")
    print("offline: ok a new build replaces the kept files on the next visit (%r)" % kept)


def main():
    shots = os.environ.get("SNOWGIG_PHONE_SHOTS")
    if shots:
        os.makedirs(shots, exist_ok=True)
    with snowrig.Rig(screen=SCREEN, name="web-phone", web=True, clocked_sound=True) as rig:
        scripts = [scripts_file(rig, "wake-lock", WATCH_WAKE_LOCK)]
        url = rig.serve(web_dist())
        for name, device, api, interrupt in PHONES:
            phone(rig, url, shots, name, device, api, interrupt, scripts)
        refused(rig, url, scripts)
        offline(rig, scripts)
    print("web phone: %d passed, 0 failed" % (len(PHONES) + 3))


if __name__ == "__main__":
    main()
