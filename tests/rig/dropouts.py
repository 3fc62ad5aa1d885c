"""Dropouts in a wall-clock sound capture.

The tune has no stretch of digital silence of its own, so once it has started
every run of all-zero sample frames of 2 ms or more is a moment the sound
device was given nothing to play: a dropout.

    from dropouts import find_dropouts
    for at, length in find_dropouts(raw):
        print("%.3f s: %.1f ms" % (at, length * 1000))

Only the standard library is used; a ten-minute capture takes well under a
second, since the search for zero bytes runs in bytes.find.
"""
import re

SAMPLE_RATE = 44100
FRAME_BYTES = 4  # 16-bit stereo
MIN_SECONDS = 0.002


def _min_frames(min_seconds, rate):
    # The smallest whole number of frames that lasts at least min_seconds
    # (88.2 frames at 44.1 kHz and 2 ms: 89).
    frames = int(min_seconds * rate)
    if frames < min_seconds * rate - 1e-9:
        frames += 1
    return max(1, frames)


def find_dropouts(raw, min_seconds=MIN_SECONDS, rate=SAMPLE_RATE):
    """[(start, length)] in seconds from the start of `raw` (16-bit stereo,
    little-endian) of every run of all-zero frames at least `min_seconds`
    long after the first frame that is not silent. Silence before the music
    starts is not counted; a run still going at the end of `raw` is."""
    usable = len(raw) - len(raw) % FRAME_BYTES
    data = bytes(raw[:usable])
    need = _min_frames(min_seconds, rate)
    first_sound = _SOUND.search(data)
    if first_sound is None:
        return []
    music = first_sound.start() // FRAME_BYTES
    pattern = b"\0" * (need * FRAME_BYTES)
    found = []
    pos = first_sound.start()
    while True:
        at = data.find(pattern, pos)
        if at < 0:
            break
        # The whole run of zero bytes: fewer than len(pattern) of them can
        # come before `at` (or find would have stopped there).
        start = at
        while start > pos and data[start - 1] == 0:
            start -= 1
        after = _SOUND.search(data, at + len(pattern))
        end_byte = usable if after is None else after.start()
        # A run of zero bytes holds exactly the zero frames that lie wholly
        # inside it; a frame only half zero (one channel crossing zero) is
        # sound, not silence.
        first = max(music, (start + FRAME_BYTES - 1) // FRAME_BYTES)
        end = end_byte // FRAME_BYTES
        if end - first >= need:
            found.append((first / rate, (end - first) / rate))
        pos = end_byte
    return found


_SOUND = re.compile(b"[^\0]")


def describe(dropouts, offset=0.0, limit=20):
    """A line for a test's message: how many, and the first few with their
    times (plus `offset`) and lengths."""
    if not dropouts:
        return "no dropout"
    shown = ", ".join("%.3f s (%.1f ms)" % (offset + at, length * 1000)
                      for at, length in dropouts[:limit])
    more = " ..." if len(dropouts) > limit else ""
    longest = max(length for _, length in dropouts)
    return "%d dropouts of 2 ms or more, longest %.1f ms: %s%s" % (
        len(dropouts), longest * 1000, shown, more)
