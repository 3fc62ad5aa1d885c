"""The show's timeline as a person sees and hears it, the same on every
platform: two seconds of sky and silence from the first frame, the tune from
the unpause with the logo, the scene with its first quote, no banner on the
first trip and the welcome line on the second, and the tune heard with no
dropout. Every step is judged from the moment the tune started in the
wall-clock sound capture, against the moment each frame was grabbed, so a
slow machine moves the frames in time but does not fail the check."""
import functools
import os
import subprocess

import snowrig
from demo import SKY, colour_share, expect
from dropouts import describe, find_dropouts

# Where the big bubble stands at 640 x 480 while Santa waits at the stop.
BUBBLE = "200x136+364+60"
# The text lines behind a car in the upper and the lower lane.
UPPER_BANNER = "640x24+0+332"
LOWER_BANNER = "640x24+0+382"

# Margins of the timeline checks. The tune is heard up to HEARD_LATE after the
# program unpaused it (the platform's and PulseAudio's buffers), and a grabbed
# frame shows a picture up to SHOWN_LATE old (the frame time and the grab's
# own delay).
HEARD_LATE = 0.35
SHOWN_LATE = 0.3


def white_pixels(path, crop):
    out = subprocess.run(["convert", path, "-crop", crop, "+repage", "-fill", "black", "-fuzz",
                          "4%", "+opaque", "white", "-format", "%[fx:mean*w*h]", "info:"],
                         stdout=subprocess.PIPE, check=True, timeout=60).stdout.decode()
    return int(float(out))


@functools.lru_cache(maxsize=None)
def sky_share(path, scale="50%"):
    out = os.path.join(os.path.dirname(path), "small-" + os.path.basename(path))
    subprocess.run(["convert", path, "-scale", scale, out], check=True, timeout=60)
    return colour_share(snowrig.image_histogram(out), SKY)


def music_start(rig, after):
    """The wall-clock moment the clocked capture first carries sound after the
    moment given, to 10 ms; None when it stays silent."""
    begin = rig.sound_offset(after)
    levels = snowrig.sound_levels(rig.sound_bytes()[begin:], window_seconds=0.01)
    first = next((i for i, v in enumerate(levels) if v > 64), None)
    if first is None:
        return None
    return rig.sound_start + begin / (snowrig.SAMPLE_RATE * 4.0) + first * 0.01


def check_timeline(rig, frames, pressed, first=None, early=0.0, least_sky=3):
    """Checks the show in frames ([(wall-clock moment, path)] grabbed from the
    show's 640 x 480 picture) and in the rig's clocked capture, from the
    moment OK was pressed. first: the wall-clock moment of the show's first
    frame, or None for the first frame of sky grabbed; the tune may start up
    to `early` before 2 s after it (how late the first frame can be seen).
    least_sky: how many frames the start delay must hold at the least."""
    music = music_start(rig, pressed)
    expect(music is not None, "the tune never started")
    if first is None:
        first = next((t for t, path in frames if sky_share(path) > 0.99), None)
        expect(first is not None, "no frame of the show was recorded")
    end = frames[-1][0]
    expect(end >= music + 16.5, "the recording ended %.1f s after the tune started, too early "
           "to judge the scene" % (end - music))

    def during(begin, end):
        """Frames that show the show between these times after the unpause,
        whenever in the margins above the unpause took place."""
        return [(t, path) for t, path in frames
                if music + begin + SHOWN_LATE <= t <= music - HEARD_LATE + end]

    delay = music - first
    expect(2.0 - early <= delay <= 2.0 + HEARD_LATE,
           "the tune started %.2f s after the first frame, want 2 s" % delay)
    # From the first frame on the screen is all sky until the tune; how late
    # that frame can be seen is bounded by the check above.
    sky = [(t, path) for t, path in during(-2.0, 0.0) if t >= first]
    expect(len(sky) >= least_sky, "only %d frames in the start delay" % len(sky))
    for t, path in sky:
        share = sky_share(path)
        expect(share > 0.995, "%s: only %.3f of the screen is sky %.1f s before the tune"
               % (path, share, music - t))
    # At least half opaque from 0.5 s after the unpause to 0.5 s into the fade-out.
    logo = during(0.5, 2.5)
    expect(logo and max(sky_share(path) for _, path in logo) < 0.97,
           "the logo is not on screen 0.5 to 2.5 s after the tune started")
    print("ok sky for the start delay, the tune %.2f s after the first frame, then the logo "
          "(%d frames in %.1f s)" % (delay, len(frames), end - frames[0][0]))

    # The scene begins when the logo has faded out, 3 s after the unpause.
    scene = during(4.0, 30.0)
    expect(scene and max(sky_share(path) for _, path in scene[::5]) < 0.8,
           "the scene does not cover the sky 4 s after the tune started")
    # The quote stands in black inside the big bubble 9 to 13 s into the scene.
    darkest = 0
    for t, path in during(3.0 + 9.0, 3.0 + 13.0):
        hist = snowrig.image_histogram(path, BUBBLE)
        darkest = max(darkest, sum(c for rgb, c in hist.items() if max(rgb) < 40))
    expect(darkest > 150, "no black quote text in the bubble (%d dark pixels)" % darkest)
    # From seed 300 car 0 first comes from the right in the lower lane towing
    # the empty line 0 (a trip of about 5.7 s from the scene's start), then
    # from the left in the upper lane towing "Welcome to this fine piece of
    # snowgig.", whose white letters run along y = 341.
    trip = during(3.0, 8.5)
    expect(trip, "no frames of the first trip")
    first_trip = max(white_pixels(path, LOWER_BANNER) for t, path in trip)
    expect(first_trip < 100, "letters in the lower lane on the first trip (%d)" % first_trip)
    second_trip = max([white_pixels(path, UPPER_BANNER) for t, path in during(11.0, 17.0)] or [0])
    # The letters are white inside a solid dark edge: a line of them gives
    # some 130 to 200 pure white pixels here, a strip without letters under 100.
    expect(second_trip > 120, "no banner on the second trip (%d white pixels)" % second_trip)
    print("ok scene, first quote, no banner on the first trip, the welcome line on the second")

    raw = rig.sound_bytes()
    levels = snowrig.sound_levels(raw[rig.sound_offset(music + 0.5):rig.sound_offset(end)])
    loud = sum(1 for v in levels if v > 500)
    expect(levels and loud > 0.9 * len(levels), "the tune is not heard after the delay "
           "(%d of %d windows loud)" % (loud, len(levels)))
    dropouts = find_dropouts(raw[rig.sound_offset(music - 0.3):rig.sound_offset(end)])
    expect(not dropouts, "the tune drops out (seconds into the tune): %s"
           % describe(dropouts, offset=-0.3))
    print("ok silent while paused, the tune heard for %.1f s after the unpause, no dropout"
          % (end - music))
    return music, end
