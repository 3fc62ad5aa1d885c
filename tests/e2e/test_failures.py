"""Start-up failures: each shows its message exactly as a user reads it, and the
program then ends with status 0. With --native, the same for the Linux program,
whose system texts are the C library's (strerror)."""
import errno
import os
import re
import signal
import struct

import snowrig
from demo import NATIVE, accept_setup, change_pack, copy_dist, expect, read_pack, start_demo

TYRE = "Error reading data/tyre2.tga.\n"
PACK = ("Couldn't read snowgig.dat: the file is missing or damaged.\n"
        "It belongs in the folder the demo is started from.")


def fails_with(rig, folder, want, title="Error", terminate=False, extra_env=None):
    """The message (want: the text, or a pattern it matches whole), then the box
    closed with Return (terminate: natively, by a termination request, which
    closes it as OK does)."""
    proc = start_demo(rig, folder, extra_env)
    accept_setup(rig)
    text = rig.message_text(title, timeout=60)
    if isinstance(want, str):
        want = want.rstrip("\n")
        expect(text == want, "message %r, want %r" % (text, want))
    else:
        expect(want.fullmatch(text), "message %r, want %r" % (text, want.pattern))
    print("  message: %r" % text)
    if terminate:
        proc.popen.send_signal(signal.SIGTERM)
        rig.wait_gone(title, 10)
    elif rig.native:
        close_native_box(rig, title)
    else:
        rig.key("Return")
    code = proc.wait(30)
    expect(code == 0, "exit status %d after %r" % (code, text))
    return text


def close_native_box(rig, title):
    """Return on the box, pressed again as a person would when the first press
    came before the box was ready for keys."""
    for _ in range(3):
        if not rig.has_window(title):
            return
        rig.foreground(title)  # no window manager hands the new box the focus
        rig.key("Return")
        try:
            rig.wait_gone(title, 3)
            return
        except snowrig.RigError:
            pass
    raise AssertionError("the %r box does not close on Return" % title)


def with_system_text(rig, first, code):
    """A message as the error box shows it: first, then the system's text for code."""
    if rig.native:
        return first + os.strerror(NATIVE_CODES[code])
    return (first + rig.wintool("errtext", code)).rstrip("\r\n").replace("\r\n", "\n")


ERROR_FILE_NOT_FOUND = 2
ERROR_INVALID_DATA = 13
NATIVE_CODES = {ERROR_FILE_NOT_FOUND: errno.ENOENT, ERROR_INVALID_DATA: errno.EINVAL}


def missing_pack(rig):
    folder = copy_dist(rig, without_pack=True)
    fails_with(rig, folder, PACK)


def damaged_pack(rig):
    folder = copy_dist(rig)
    path = os.path.join(folder, "snowgig.dat")
    with open(path, "r+b") as f:
        f.write(struct.pack("<i", 1 << 30))  # far more entries than the file holds
    fails_with(rig, folder, PACK)


def pack_without_tune(rig):
    folder = copy_dist(rig)
    change_pack(folder, drop={"gimme_64k.mp3"})
    fails_with(rig, folder, "Couldn't find data/gimme_64k.mp3 in the data file.")


def missing_tyre(rig):
    folder = copy_dist(rig)
    change_pack(folder, drop={"tyre2.tga"})
    fails_with(rig, folder, with_system_text(rig, TYRE, ERROR_FILE_NOT_FOUND))


def broken_image(rig):
    folder = copy_dist(rig)
    entries = dict(read_pack(os.path.join(folder, "snowgig.dat")))
    broken = bytearray(entries["tyre2.tga"])
    broken[1] = 1  # a colour-mapped image, which the loader refuses
    change_pack(folder, replace={"tyre2.tga": bytes(broken)})
    fails_with(rig, folder, with_system_text(rig, TYRE, ERROR_INVALID_DATA))


def truncated_image(rig):
    folder = copy_dist(rig)
    entries = dict(read_pack(os.path.join(folder, "snowgig.dat")))
    change_pack(folder, replace={"tyre2.tga": entries["tyre2.tga"][:10]})
    fails_with(rig, folder, with_system_text(rig, TYRE, ERROR_INVALID_DATA))


ERROR_INVALID_PIXEL_FORMAT = 2000


def refused_pixel_format(rig):
    """A failure once the window exists: its box stays up until it is read (the
    window's end posts the quit message, which must not close the box)."""
    folder = copy_dist(rig)
    # Wine has no text for this code; the box then says so with the number.
    system_text = (with_system_text(rig, "", ERROR_INVALID_PIXEL_FORMAT)
                   or "Unknown error 2000 (0x000007D0).")
    want = re.compile(r"At line \d+ of common/windows/glwindow\.cpp:\n" + re.escape(system_text))
    fails_with(rig, folder, want, extra_env={"SNOWGIG_REFUSE_PIXEL_FORMAT": "1"})


def rig_for(name, **sound):
    if NATIVE:
        return snowrig.Rig(screen="640x480", name=name + "-native", native=True, **sound)
    return snowrig.Rig(desktop="1024x768", name=name, **sound)


def main():
    with rig_for("failures") as rig:
        cases = (missing_pack, damaged_pack, pack_without_tune, missing_tyre, broken_image,
                 truncated_image)
        if not rig.native:
            cases += (refused_pixel_format,)
        for case in cases:
            case(rig)
            print("ok", case.__name__)
    with rig_for("nosound", capture_sound=False) as rig:
        folder = copy_dist(rig)
        fails_with(rig, folder, "Couldn't init FMOD!  FMOD reports: Error initializing output device.\n",
                   terminate=rig.native)
        print("ok no_sound_device" + (", the box closed by SIGTERM" if rig.native else ""))
    print("failures: %d passed, 0 failed" % (len(cases) + 1))


if __name__ == "__main__":
    main()
