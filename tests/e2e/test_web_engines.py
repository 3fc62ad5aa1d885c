"""The web page's checks in each browser engine: Debian's Chromium, Firefox
ESR and WebKitGTK (Safari's engine), headed on the rig's X screen with their
sound in the rig's PulseAudio server, driven with real keys and a real mouse
in the two others. Each engine: the Setup form, the windowed show with its
loading bar and music, Escape back to the form in silence, full screen
letterboxed with the scene drawn, and the end control that a mouse move
brings up ending the show as Escape does. Each check is logged by engine and
name. Screenshots of each engine's full screen go to SNOWGIG_ENGINE_SHOTS when
set. SNOWGIG_WEB_DIST names the page's folder (build/web/dist)."""
import os
import sys
import time

import snowrig
from demo import SKY, colour_share, expect
from test_web import ESCAPE_SILENT, SETUP_READY, check_form, frame_moment, web_dist

SCREEN = "1280x800"
LOUD = 64
ENGINES = ("chromium", "firefox", "webkit")
# Seconds from the first frame to a moment of the scene with Santa in it.
SCENE_AT = 12

LETTERBOX = """(() => { const r = canvas.getBoundingClientRect();
    return [!!document.fullscreenElement, canvas.width, canvas.height, r.left, r.top,
            r.width, r.height, innerWidth, innerHeight]; })()"""
# Where the page's top left corner is on the X screen, taking the browser's
# own bars (above the page) as all that lies between: Chromium keeps its bars
# in full screen when no window manager resizes its window.
PAGE_ON_SCREEN = "[screenX + outerWidth - innerWidth, screenY + outerHeight - innerHeight]"


def levels_from(rig, moment, window=0.1):
    return snowrig.sound_levels(rig.sound_bytes()[rig.sound_offset(moment):], window)


def silence_after(rig, moment):
    """Seconds after a moment until the sound is last heard."""
    time.sleep(1.5)
    levels = levels_from(rig, moment, 0.01)
    return (max((i for i, v in enumerate(levels) if v > LOUD), default=-1) + 1) * 0.01


def start(rig, page, windowed, entry=None):
    page.wait(SETUP_READY, 60)
    if windowed:
        rig.click("Setup", 1004)
    if entry is not None:
        rig.select("Setup", 1002, entry)
    rig.click("Setup", 1)
    page.wait("snowgigPage.record.firstFrame > 0", 90)
    return frame_moment(page, "firstFrame")


def form(rig, page, engine, state):
    entries = check_form(page)["entries"]
    return "Setup form, %d entries up to %s" % (len(entries), entries[-1])


def windowed_show(rig, page, engine, state):
    first = start(rig, page, windowed=True)
    progress = page.eval("snowgigPage.record.progress")
    expect(progress == [i / 27 for i in range(28)], "loading bar went %r" % progress)
    size = page.eval("[canvas.width, canvas.height, "
                     "Math.round(canvas.getBoundingClientRect().width * devicePixelRatio)]")
    expect(size == [640, 480, 640], "canvas %r, want 640 x 480 shown at its own pixels" % size)
    # Two seconds of silence from the first frame, then the music.
    time.sleep(max(0, first + 5 - time.time()))
    quiet, loud = levels_from(rig, first)[:15], levels_from(rig, first + 3)[:15]
    expect(len(loud) == 15 and min(loud) > LOUD, "no music 3 s after the first frame: %r" % loud)
    expect(max(quiet) <= LOUD, "sound in the silent start: %r" % quiet)
    return "windowed show, loading bar 0 to 27 of 27, silent start, then the music"


def escape(rig, page, engine, state):
    runs = page.eval("snowgigPage.record.runs")
    pressed = time.time()
    rig.key("Escape")
    page.wait(SETUP_READY + " && snowgigPage.record.runs == %d" % (runs + 1), 30)
    quiet = silence_after(rig, pressed)
    expect(quiet <= ESCAPE_SILENT, "music still heard %.2f s after Escape" % quiet)
    return "Escape: silent %.2f s after it, back to the Setup form" % quiet


def full_screen(rig, page, engine, state):
    first = start(rig, page, windowed=False, entry=4)  # 800 x 600
    shown, width, height, left, top, shown_width, shown_height, page_width, page_height = \
        page.eval(LETTERBOX)
    expect(shown, "the page is not full screen")
    expect((width, height) == (800, 600), "canvas %dx%d, want 800x600" % (width, height))
    expect(abs(shown_height - page_height) < 1 and abs(shown_width - page_height * 4 / 3) < 1 and
           abs(left - (page_width - shown_width) / 2) < 1 and abs(top) < 1,
           "full-screen canvas at %r in a %dx%d page" % ((left, top, shown_width, shown_height),
                                                        page_width, page_height))
    # The X screen itself, as the engines' own canvas screenshots may come out blank.
    time.sleep(max(0, first + SCENE_AT - time.time()))
    path = rig.screenshot(os.path.join(state["shots"], "engine-%s.png" % engine))
    x, y = page.eval(PAGE_ON_SCREEN)
    crop = "%dx%d+%d+%d" % (shown_width - 4, shown_height - 4, x + left + 2, y + top + 2)
    sky = colour_share(snowrig.image_histogram(path, crop), SKY, tolerance=8)
    expect(0.1 < sky < 0.8, "the scene's sky is %.0f %% of the full-screen picture" % (100 * sky))
    return "full screen at 800 x 600 letterboxed in %dx%d, the scene drawn (%.0f %% sky)" % (
        page_width, page_height, 100 * sky)


def end_control(rig, page, engine, state):
    runs = page.eval("snowgigPage.record.runs")
    width, height = page.eval("[innerWidth, innerHeight]")
    expect(page.eval("document.getElementById('end-show').hidden"),
           "the end control shows before the mouse moved")
    page.pointer(width / 2, height / 2)
    page.pointer(width / 2 + 20, height / 2 + 10)
    page.wait("!document.getElementById('end-show').hidden", 5)
    x, y = page.eval("((r) => [r.left + r.width / 2, r.top + r.height / 2])"
                     "(document.getElementById('end-show').getBoundingClientRect())")
    # Timed from the click as the page got it: a driver's mouse events may
    # take a frame or more each to arrive.
    page.eval("document.getElementById('end-show').addEventListener('click', () => "
              "window.endClicked = performance.timeOrigin + performance.now(), {once: true})")
    page.pointer(x, y, click=True)
    page.wait(SETUP_READY + " && snowgigPage.record.runs == %d && !document.fullscreenElement"
              % (runs + 1), 30)
    quiet = silence_after(rig, page.eval("window.endClicked") / 1000)
    expect(quiet <= ESCAPE_SILENT, "music still heard %.2f s after the end control" % quiet)
    return "a mouse move brings up the end control; it ends the show, silent %.2f s after" % quiet


CHECKS = (form, windowed_show, escape, full_screen, end_control)


def main():
    engines = [a for a in sys.argv[1:] if a in ENGINES] or list(ENGINES)
    shots = os.environ.get("SNOWGIG_ENGINE_SHOTS")
    failed = passed = 0
    for engine in engines:
        with snowrig.Rig(screen=SCREEN, name="web-" + engine, web=True, clocked_sound=True) as rig:
            state = {"shots": shots or rig.dir}
            os.makedirs(state["shots"], exist_ok=True)
            try:
                page = rig.open(rig.serve(web_dist()), engine=engine)
            except snowrig.RigError as error:
                print("%s: FAILED to start: %s" % (engine, error))
                failed += len(CHECKS)
                continue
            for check in CHECKS:
                try:
                    said = check(rig, page, engine, state)
                except (AssertionError, snowrig.RigError) as error:
                    print("%s: FAILED %s: %s" % (engine, check.__name__, error))
                    failed += len(CHECKS) - CHECKS.index(check)
                    break
                print("%s: ok %s" % (engine, said))
                passed += 1
    print("web engines: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
