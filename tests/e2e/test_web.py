"""The web page in Debian's Chromium, headed on the rig's 1280 x 800 X screen
with its sound in the rig's PulseAudio server, as a person sees and hears it:
the Setup form and its entries, the loading bar's 27 steps, two seconds of sky
and silence from the first frame, the logo with the music starting, the scene
with its first quote and banner, the music with no dropout, Escape back to the
form; full screen letterboxed; a missing pack and a damaged image with their
texts. SNOWGIG_WEB_DIST names the page's folder (build/web/dist)."""
import os
import shutil
import sys
import tempfile
import time

import snowrig
from demo import change_pack, expect, read_pack
from test_failures import PACK, TYRE
from timeline import check_timeline

SCREEN = "1280x800"
# The grab of a canvas screenshot shows a frame up to this old (the page's
# frame time, the readback of the canvas).
SHOT_LATE = 0.25
# Escape is last heard this long after it was pressed.
ESCAPE_SILENT = 0.6
NO_WEBGL = "snowgig needs WebGL, which this browser does not offer or has turned off."
FOUR_BY_THREE = [(320, 240), (400, 300), (512, 384), (640, 480), (800, 600), (1024, 768),
                 (1152, 864), (1280, 960), (1400, 1050), (1600, 1200), (2048, 1536)]

FORM = """(() => {
  const element = (id) => document.getElementById(id);
  const list = element("resolution");
  return {caption: element("setup-title").textContent,
          group: document.querySelector("#graphics legend").textContent,
          labels: [...document.querySelectorAll("#setup label")].map((l) => [...l.childNodes]
              .filter((n) => n.nodeType == Node.TEXT_NODE).map((n) => n.textContent).join("").trim()),
          buttons: [...document.querySelectorAll("#setup .buttons button")].map((b) => b.textContent),
          entries: [...list.options].map((o) => o.text), selected: list.selectedIndex,
          fullScreen: element("fullscreen").checked, windowed: element("windowed").checked,
          screen: [screen.width, screen.height, devicePixelRatio]};
})()"""

SETUP_READY = "!document.getElementById('setup').hidden && !document.getElementById('ok').disabled"


def web_dist():
    d = os.environ.get("SNOWGIG_WEB_DIST")
    if not d or not os.path.exists(os.path.join(d, "snowgig.wasm")):
        sys.exit("SNOWGIG_WEB_DIST does not hold the page (scripts/build-web.sh builds it)")
    return d


def copy_web(parent, name, without_pack=False):
    """A copy of the page's folder as parent/name."""
    d = os.path.join(parent, name)
    shutil.copytree(web_dist(), d)
    if without_pack:
        os.remove(os.path.join(d, "snowgig.dat"))
    return d


def check_form(page):
    page.wait(SETUP_READY, 60)
    form = page.eval(FORM)
    expect(form["caption"] == "Setup", "form caption %r" % form["caption"])
    expect(form["group"] == "Graphics", "group %r" % form["group"])
    expect(form["labels"] == ["Full-screen", "Windowed", "Resolution:"], "labels %r" % form["labels"])
    expect(form["buttons"] == ["OK", "Cancel"], "buttons %r" % form["buttons"])
    width, height, ratio = form["screen"]
    want = ["%d x %d x 32 bpp" % size for size in FOUR_BY_THREE
            if size[0] <= width * ratio and size[1] <= height * ratio]
    expect(form["entries"] == want, "resolution list %r, want %r" % (form["entries"], want))
    expect(form["entries"][form["selected"]] == "640 x 480 x 32 bpp",
           "preselected entry %d" % form["selected"])
    expect(form["fullScreen"] and not form["windowed"], "Full-screen is not the one checked")
    return form


def frame_moment(page, name):
    """A moment the page recorded (performance.now()) on the wall clock."""
    return page.eval("(performance.timeOrigin + snowgigPage.record.%s) / 1000" % name)


def show_windowed(rig, page):
    check_form(page)
    print("ok setup form")
    rig.click("Setup", 1004)
    pressed = time.time()
    rig.click("Setup", 1)
    expect(page.raise_sound(), "Chromium started no audio service")
    page.wait("snowgigPage.record.firstFrame > 0", 60)
    first_frame = frame_moment(page, "firstFrame")
    progress = page.eval("snowgigPage.record.progress")
    expect(progress == [i / 27 for i in range(28)], "loading bar went %r, want 0 to 27 of 27"
           % progress)
    print("ok loading bar 0 to 27 of 27, OK to the first frame %.2f s"
          % (first_frame - frame_moment(page, "ok")))

    frames = page.record(os.path.join(rig.dir, "shots"), seconds=21)
    size = page.eval("[canvas.width, canvas.height, canvas.clientWidth * devicePixelRatio]")
    expect(size == [640, 480, 640], "canvas %r, want 640 x 480 shown at its own pixels" % size)
    check_timeline(rig, frames, pressed, first=first_frame, early=SHOT_LATE, least_sky=2)
    sound = page.eval("snowgigPage.sound()")
    rate = page.eval("snowgigPage.record.frames * 1000 / (performance.now() - "
                     "snowgigPage.record.firstFrame)")
    print("  %.1f frames a second while grabbed; sound: %d underruns of the queue, %.0f ms "
          "feeding it, output latency %.0f ms" % (rate, sound["underruns"],
          sound["feedMilliseconds"], 1000 * sound["outputLatency"]))

    escaped = time.time()
    rig.key("Escape")
    page.wait(SETUP_READY + " && snowgigPage.record.runs == 2", 30)
    expect(page.eval("document.getElementById('show').hidden"), "the canvas is still shown")
    time.sleep(1.5)
    levels = snowrig.sound_levels(rig.sound_bytes()[rig.sound_offset(escaped):], 0.01)
    last = max((i for i, v in enumerate(levels) if v > 64), default=-1)
    # The browser's output latency plus a frame or two for the page to see the key.
    expect(levels and (last + 1) * 0.01 <= ESCAPE_SILENT,
           "music still heard %.2f s after Escape" % ((last + 1) * 0.01))
    print("ok Escape: silent %.2f s after it, back to the Setup form" % ((last + 1) * 0.01))


def full_screen(rig, page):
    check_form(page)
    rig.select("Setup", 1002, 4)  # 800 x 600
    rig.click("Setup", 1)
    page.wait("snowgigPage.record.firstFrame > 0", 60)
    box = page.eval("""(() => { const r = canvas.getBoundingClientRect();
        return [!!document.fullscreenElement, canvas.width, canvas.height, r.left, r.top,
                r.width, r.height, innerWidth, innerHeight]; })()""")
    shown, width, height, left, top, shown_width, shown_height, page_width, page_height = box
    expect(shown, "the page is not full screen")
    expect((width, height) == (800, 600), "canvas %dx%d, want 800x600" % (width, height))
    # Letterboxed: as high as the screen, 4:3, centred.
    expect(abs(shown_height - page_height) < 1 and abs(shown_width - page_height * 4 / 3) < 1 and
           abs(left - (page_width - shown_width) / 2) < 1 and abs(top) < 1,
           "full-screen canvas at %r in a %dx%d page" % (box[3:7], page_width, page_height))
    rig.key("Escape")
    page.wait(SETUP_READY + " && !document.fullscreenElement", 30)
    print("ok full screen at 800 x 600 letterboxed in %dx%d, Escape leaves it"
          % (page_width, page_height))


# What finished runs must not leave behind once the next run's form is up:
# (what, reading of the page, want). Emscripten's SDL hangs listeners on the
# window and the document, and a chunk of music stopped while the sound is
# paused (Escape in the start delay, as full_screen does) stays pending with
# its handler; each held its run's whole program instance, its WebAssembly
# memory, canvas and WebGL context with it.
LEFT_BEHIND = (
    ("WebAssembly memories (the waiting run's own)",
     lambda page: page.objects("Memory")["Memory"], 1),
    ("listeners on the document", lambda page: len(page.listeners("document")), 0),
    ("unload listeners on the window", lambda page: page.listeners("window").count("unload"), 0),
)


def finished_runs_let_go(page, finished):
    for what, reading, want in LEFT_BEHIND:
        # What a finished run still has in flight settles within moments; a
        # run held beyond that is held for good.
        deadline = time.time() + 5
        got = reading(page)
        while got != want and time.time() < deadline:
            time.sleep(0.5)
            got = reading(page)
        expect(got == want, "%s after %d finished runs: %d, want %d" % (what, finished, got, want))
    print("ok %d finished runs let go of their program instances and listeners" % finished)


def fails_with(rig, page, url, want):
    page.goto(url)
    rig.wait_window("Setup", 60)
    rig.click("Setup", 1)
    text = rig.message_text("Error", 60)
    want = want.rstrip("\n")
    expect(text == want, "box 'Error': %r, want %r" % (text, want))
    rig.click("Error", 1)
    page.wait(SETUP_READY + " && document.getElementById('message').hidden", 30)
    print("  message: %r" % text)


def other_screens(rig, url):
    """A high-density screen (two device pixels to a CSS pixel) lists the sizes
    it can show in its own pixels and shows a mode in the page one pixel to a
    pixel; a browser without WebGL gets its one sentence."""
    page = rig.open(url, chromium_args=["--force-device-scale-factor=2"])
    form = check_form(page)
    expect(form["screen"][2] == 2, "device pixel ratio %r" % form["screen"][2])
    rig.click("Setup", 1004)
    rig.click("Setup", 1)
    page.wait("snowgigPage.record.firstFrame > 0", 60)
    shown = page.eval("[canvas.width, canvas.getBoundingClientRect().width * devicePixelRatio]")
    expect(shown == [640, 640], "640 x 480 drawn %d wide, shown %r device pixels wide" %
           tuple(shown))
    print("ok two device pixels to one: %d entries up to %s, 640 x 480 shown pixel for pixel"
          % (len(form["entries"]), form["entries"][-1]))
    page = rig.open(url, chromium_args=["--disable-webgl"])
    text = page.eval("document.getElementById('nowebgl').hidden ? '' : "
                     "document.getElementById('nowebgl').textContent")
    expect(text == NO_WEBGL and page.eval("document.getElementById('setup').hidden"),
           "without WebGL the page says %r" % text)
    print("ok without WebGL: %r" % text)


def main():
    with snowrig.Rig(screen=SCREEN, name="web", web=True, clocked_sound=True) as rig:
        sites = tempfile.mkdtemp(prefix="sites-", dir=rig.dir)
        copy_web(sites, "missing", without_pack=True)
        broken = copy_web(sites, "broken")
        entries = dict(read_pack(os.path.join(broken, "snowgig.dat")))
        tyre = bytearray(entries["tyre2.tga"])
        tyre[1] = 1  # a colour-mapped image, which the loader refuses
        change_pack(broken, replace={"tyre2.tga": bytes(tyre)})
        failures, url = rig.serve(sites), rig.serve(web_dist())
        page = rig.open(url)
        show_windowed(rig, page)
        full_screen(rig, page)
        finished_runs_let_go(page, 2)
        fails_with(rig, page, failures + "missing/", PACK)
        print("ok missing pack")
        fails_with(rig, page, failures + "broken/", TYRE + os.strerror(22))
        print("ok damaged image")
        other_screens(rig, url)
    print("web: 12 passed, 0 failed")


if __name__ == "__main__":
    main()
