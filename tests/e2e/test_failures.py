"""Start-up failures: each shows its message exactly as a user reads it, and the
program then ends with status 0."""
import os
import struct

import snowrig
from demo import accept_setup, change_pack, copy_dist, expect, read_pack, start_demo

TYRE = "Error reading data/tyre2.tga.\n"


def fails_with(rig, folder, want_prefix, exact=False, title="Error"):
    proc = start_demo(rig, folder)
    accept_setup(rig)
    text = rig.message_text(title, timeout=60)
    if exact:
        expect(text == want_prefix.rstrip("\n"), "message %r, want %r" % (text, want_prefix))
    else:
        expect(text.startswith(want_prefix), "message %r, want it to start %r" % (text, want_prefix))
    rig.key("Return")
    code = proc.wait(30)
    expect(code == 0, "exit status %d after %r" % (code, text))
    return text


def system_text_follows(text, first):
    rest = text[len(first):]
    expect(rest.strip() != "", "no system text after %r: %r" % (first, text))


def missing_pack(rig):
    folder = copy_dist(rig, without_pack=True)
    text = fails_with(rig, folder, "")
    expect("snowgig.dat" in text or "data/gimme_64k.mp3" in text,
           "the message %r does not say what could not be read" % text)


def missing_tyre(rig):
    folder = copy_dist(rig)
    change_pack(folder, drop={"tyre2.tga"})
    text = fails_with(rig, folder, TYRE)
    system_text_follows(text, TYRE)


def broken_image(rig):
    folder = copy_dist(rig)
    entries = dict(read_pack(os.path.join(folder, "snowgig.dat")))
    broken = bytearray(entries["tyre2.tga"])
    broken[1] = 1  # a colour-mapped image, which the loader refuses
    change_pack(folder, replace={"tyre2.tga": bytes(broken)})
    text = fails_with(rig, folder, TYRE)
    system_text_follows(text, TYRE)


def truncated_image(rig):
    folder = copy_dist(rig)
    entries = dict(read_pack(os.path.join(folder, "snowgig.dat")))
    change_pack(folder, replace={"tyre2.tga": entries["tyre2.tga"][:10]})
    fails_with(rig, folder, TYRE)


def main():
    with snowrig.Rig(desktop="1024x768", name="failures") as rig:
        cases = (missing_pack, missing_tyre, broken_image, truncated_image)
        for case in cases:
            case(rig)
            print("ok", case.__name__)
    with snowrig.Rig(desktop="1024x768", capture_sound=False, name="nosound") as rig:
        folder = copy_dist(rig)
        fails_with(rig, folder, "Couldn't init FMOD!  FMOD reports: Error initializing output device.\n",
                   exact=True)
        print("ok no_sound_device")
    print("failures: %d passed, 0 failed" % (len(cases) + 1))


if __name__ == "__main__":
    main()
