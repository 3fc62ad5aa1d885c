#!/usr/bin/env python3
"""A few seconds of the show through the video renderer, checked on the file it
writes: 60 fps, the asked size and length, only the sky during the start delay,
the music from the frame where the scene unpauses it, a new picture on every
frame while the city scrolls, and the fades: from black over the first half
second, picture and music down to nothing over the last second.

    test_video.py VIDEO_TOOL PACK TUNE_MP3
"""
import array
import json
import os
import re
import subprocess
import sys
import tempfile

top = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
sys.path.insert(0, os.path.join(top, "tests", "rig"))
import snowrig  # noqa: E402

RATE = snowrig.SAMPLE_RATE
# (width, height, seconds): long enough to see the city scroll for a while
# (Santa reaches his stop about 11 s in) before the last second fades out,
# short enough to stay quick.
CASES = [
    (320, 240, 14),
    (512, 384, 14),
]
START_DELAY_S = 2.0
LOGO_OVER_S = 6.0        # the logo fades in and out over the city's part of the frame
# Mean change of the city's pixels from one frame to the next: above 4 once it
# scrolls at speed (1 to 10 as the walk's pace and the facades passing by vary),
# 0 when the frame repeats (the codec's noise on a still picture stays under 0.1).
SCROLL_LEVEL = 4
REPEAT_LEVEL = 0.5
ONSET_LEVEL = 200        # a sample louder than this is the tune, not codec noise
ONSET_TOLERANCE_S = 0.002
FADE_IN_FRAMES = 30
FADE_OUT_FRAMES = 60
# (frame, counted from the start or, negative, from the end; the brightness it
# has against the unfaded frame it is compared with; tolerance). The fade in is
# measured against the first frame after it (the same sky); the fade out
# against the last frame before it, whose scene is nearly the same.
FADE_LEVELS = [
    (0, 0.0, 0.02),
    (FADE_IN_FRAMES // 2, 0.5, 0.03),
    (FADE_IN_FRAMES - 1, (FADE_IN_FRAMES - 1) / FADE_IN_FRAMES, 0.03),
    (-FADE_OUT_FRAMES // 2, (FADE_OUT_FRAMES // 2 - 1) / FADE_OUT_FRAMES, 0.08),
    (-2, 1 / FADE_OUT_FRAMES, 0.03),
    (-1, 0.0, 0.02),
]


def run(args, timeout):
    return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          timeout=timeout, check=True).stdout


def probe(path):
    out = run(["ffprobe", "-v", "error", "-print_format", "json", "-show_streams",
               "-show_format", path], 60)
    return json.loads(out)


def decoded_sound(path):
    samples = array.array("h")
    samples.frombytes(run(["ffmpeg", "-v", "error", "-i", path, "-map", "0:a", "-f", "s16le",
                           "-ac", "2", "-ar", str(RATE), "-"], 120))
    return samples


def onset(samples):
    """First stereo frame with a sample above ONSET_LEVEL, or None."""
    for k, v in enumerate(samples):
        if abs(v) > ONSET_LEVEL:
            return k // 2
    return None


def gray_frames(path, width, height):
    raw = run(["ffmpeg", "-v", "error", "-i", path, "-map", "0:v", "-f", "rawvideo",
               "-pix_fmt", "gray", "-"], 120)
    size = width * height
    return [raw[k:k + size] for k in range(0, len(raw) - size + 1, size)]


def mean(frame):
    return sum(frame) / len(frame)


def rms(samples):
    return (sum(v * v for v in samples) / max(1, len(samples))) ** 0.5


def region_difference(a, b, width, height):
    """Mean absolute difference over the city between the roofs and the pavement,
    right of Santa and below the speech bubble: nothing but the city moves there."""
    total = 0
    count = 0
    for y in range(int(height * 0.47), int(height * 0.66)):
        row = y * width
        for x in range(int(width * 0.55), int(width * 0.95)):
            total += abs(a[row + x] - b[row + x])
            count += 1
    return total / count


def check_case(tool, pack, tune_onset, width, height, seconds, folder):
    problems = []

    def expect(condition, message):
        if not condition:
            problems.append("%dx%d: %s" % (width, height, message))
        return condition

    path = os.path.join(folder, "show-%dx%d.mp4" % (width, height))
    out = run([tool, "--pack", pack, "--out", path, "--size", "%dx%d" % (width, height),
               "--seconds", str(seconds), "--preset", "veryfast"], 300).decode()
    m = re.search(r"music from frame (\d+)", out)
    if not expect(m, "the renderer does not say where the music starts:\n" + out):
        return problems
    music_frame = int(m.group(1))
    frames_wanted = seconds * 60

    info = probe(path)
    video = [s for s in info["streams"] if s["codec_type"] == "video"]
    audio = [s for s in info["streams"] if s["codec_type"] == "audio"]
    if not expect(len(video) == 1 and len(audio) == 1, "want one video and one sound stream"):
        return problems
    v, a = video[0], audio[0]
    expect(v["codec_name"] == "h264" and v["pix_fmt"] == "yuv420p",
           "video is %s %s, not h264 yuv420p" % (v["codec_name"], v["pix_fmt"]))
    expect(v["r_frame_rate"] == "60/1" and v["avg_frame_rate"] == "60/1",
           "frame rate %s / %s, not 60" % (v["r_frame_rate"], v["avg_frame_rate"]))
    expect((v["width"], v["height"]) == (width, height),
           "picture %sx%s" % (v["width"], v["height"]))
    expect(int(v["nb_frames"]) == frames_wanted, "%s frames, not %d" % (v["nb_frames"],
                                                                         frames_wanted))
    expect(a["codec_name"] == "aac" and int(a["sample_rate"]) == RATE, "sound is not AAC at 44.1 kHz")
    expect(abs(float(info["format"]["duration"]) - seconds) < 0.05,
           "the file lasts %s s, not %d" % (info["format"]["duration"], seconds))

    # The delay: the scene unpauses the music when its clock reaches 2 s.
    expect(abs(music_frame / 60 - START_DELAY_S) <= 1 / 60 + 1e-9,
           "the music starts at frame %d, not after the 2 s delay" % music_frame)
    frames = gray_frames(path, width, height)
    expect(len(frames) == frames_wanted, "%d frames decoded" % len(frames))
    for k in range(min(music_frame, len(frames))):
        if not expect(max(frames[k]) - min(frames[k]) <= 2,
                      "frame %d of the start delay is not only sky" % k):
            break
    logo = music_frame + 60
    expect(logo < len(frames) and max(frames[logo]) - min(frames[logo]) > 40,
           "no logo a second after the delay (frame %d)" % logo)

    # The tune begins on the file's own sound track exactly where the scene
    # unpaused it, and not a moment before.
    sound = decoded_sound(path)
    heard = onset(sound)
    expected = music_frame * RATE // 60 + tune_onset
    if expect(heard is not None, "the sound track is silent"):
        expect(abs(heard - expected) <= ONSET_TOLERANCE_S * RATE,
               "the tune starts at %.4f s, the scene unpaused it at %.4f s"
               % (heard / RATE, expected / RATE))
    expect(len(sound) // 2 >= (seconds - 0.05) * RATE, "the sound track is short")

    # Once the city moves, every frame until the fade out shows it moved on:
    # none is repeated.
    after_logo = int(LOGO_OVER_S * 60)
    unfaded_end = len(frames) - FADE_OUT_FRAMES
    change = {k: region_difference(frames[k - 1], frames[k], width, height)
              for k in range(after_logo, unfaded_end)}
    moved = [k for k in sorted(change) if change[k] > SCROLL_LEVEL]
    if expect(moved, "the city never scrolls"):
        first = moved[0]
        expect(unfaded_end - first >= 60,
               "the city scrolls for less than a second (from frame %d)" % first)
        repeated = [k for k in range(first, unfaded_end) if change[k] < REPEAT_LEVEL]
        expect(not repeated, "frames repeated while the city scrolls: %s" % repeated[:10])

    # The fades: each frame's brightness against the unfaded frame beside the fade.
    if len(frames) == frames_wanted:
        for index, level, tolerance in FADE_LEVELS:
            k = index if index >= 0 else len(frames) + index
            unfaded = frames[FADE_IN_FRAMES] if index >= 0 else frames[unfaded_end - 1]
            got = mean(frames[k]) / mean(unfaded)
            expect(abs(got - level) <= tolerance,
                   "frame %d is at %.3f of the unfaded brightness, not %.3f" % (k, got, level))
    # The music fades with the picture: the last quarter second is far quieter
    # than the second before the fade, and the end is silent.
    end = len(sound) // 2
    fade_from = end - FADE_OUT_FRAMES * RATE // 60
    before_fade = rms(sound[2 * (fade_from - RATE):2 * fade_from])
    last_quarter = rms(sound[2 * (end - RATE // 4):2 * end])
    expect(before_fade > 500 and last_quarter < 0.15 * before_fade,
           "the music does not fade out: %.0f before the fade, %.0f in its last quarter second"
           % (before_fade, last_quarter))
    expect(max(map(abs, sound[2 * (end - RATE // 100):2 * end]), default=0) < ONSET_LEVEL,
           "the last 10 ms are not silent")
    return problems


def main():
    tool, pack, tune = sys.argv[1:4]
    tune_onset = onset(decoded_sound(tune))
    if tune_onset is None:
        print("the tune %s is silent" % tune)
        return 1
    problems = []
    with tempfile.TemporaryDirectory(prefix="snowgig-video-test-") as folder:
        for width, height, seconds in CASES:
            found = check_case(tool, pack, tune_onset, width, height, seconds, folder)
            print("%dx%d, %d s: %s" % (width, height, seconds, "ok" if not found else "FAILED"))
            problems += found
    for p in problems:
        print("  " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
