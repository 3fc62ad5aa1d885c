"""What the end-to-end tests share: where the shipped program is, a copy of its
folder a test may change, pack surgery, and small checks of pictures.
The same tests drive the Windows program under Wine and, run with --native, the
Linux program on a plain X screen."""
import contextlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time


SKY = (43, 181, 255)
TITLE = "snowgig"


NATIVE = "--native" in sys.argv[1:]


def program_name(rig):
    return "snowgig" if rig.native else "snowgig.exe"


def dist_dir(rig):
    variable = "SNOWGIG_NATIVE_DIST" if rig.native else "SNOWGIG_DIST"
    d = os.environ.get(variable)
    if not d or not os.path.exists(os.path.join(d, program_name(rig))):
        sys.exit("%s does not hold %s" % (variable, program_name(rig)))
    return d


def copy_dist(rig, without_pack=False):
    """A private copy of the shipping folder inside the rig's folder."""
    d = os.path.join(tempfile.mkdtemp(prefix="dist-", dir=rig.dir), "dist")
    shutil.copytree(dist_dir(rig), d)
    if without_pack:
        os.remove(os.path.join(d, "snowgig.dat"))
    return d


def read_pack(path):
    """[(name, bytes)] of a pack, in directory order."""
    with open(path, "rb") as f:
        data = f.read()
    (count,) = struct.unpack_from("<i", data, 0)
    entries = []
    for i in range(count):
        raw, offset, size = struct.unpack_from("<32sii", data, 4 + 40 * i)
        name = raw.split(b"\0", 1)[0].decode()
        entries.append((name, data[offset:offset + size]))
    return entries


def write_pack(path, entries):
    header = struct.pack("<i", len(entries))
    offset = 4 + 40 * len(entries)
    directory = b""
    body = b""
    for name, blob in entries:
        directory += struct.pack("<32sii", name.encode(), offset + len(body), len(blob))
        body += blob
    with open(path, "wb") as f:
        f.write(header + directory + body)


def change_pack(folder, drop=(), replace=None):
    """Rewrites folder/snowgig.dat without the entries in drop and with the
    entries of replace ({name: bytes}) swapped in."""
    path = os.path.join(folder, "snowgig.dat")
    replace = replace or {}
    entries = [(n, replace.get(n, b)) for n, b in read_pack(path) if n not in drop]
    write_pack(path, entries)


def start_demo(rig, folder, extra_env=None):
    program = os.path.join(folder, "snowgig") if rig.native else "snowgig.exe"
    return rig.start([program], cwd=folder, extra_env=extra_env)


def accept_setup(rig, timeout=60):
    rig.wait_window("Setup", timeout)
    rig.foreground("Setup")
    rig.key("Return")


def colour_share(hist, colour, tolerance=3):
    total = sum(hist.values())
    near = sum(c for rgb, c in hist.items()
               if all(abs(a - b) <= tolerance for a, b in zip(rgb, colour)))
    return near / total if total else 0.0


def wait_until(check, timeout, step=0.2):
    """Polls check() until it gives something true or timeout seconds pass;
    returns its last answer."""
    deadline = time.time() + timeout
    while True:
        answer = check()
        if answer or time.time() > deadline:
            return answer
        time.sleep(step)


def expect(condition, message):
    if not condition:
        raise AssertionError(message)


def shots_dir(rig):
    d = os.environ.get("SNOWGIG_SHOTS") or os.path.join(tempfile.gettempdir(), "snowgig-shots")
    os.makedirs(d, exist_ok=True)
    return d


@contextlib.contextmanager
def busy_processes(count):
    """`count` processes that spin for as long as the block runs, at normal
    priority, each in a session of its own as if started from a terminal of
    its own."""
    procs = [subprocess.Popen(["sh", "-c", "while :; do :; done"], start_new_session=True,
                              stdin=subprocess.DEVNULL)
             for _ in range(count)]
    try:
        yield procs
    finally:
        for p in procs:
            p.kill()
        for p in procs:
            with contextlib.suppress(subprocess.TimeoutExpired):
                p.wait(timeout=10)
