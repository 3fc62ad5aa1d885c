"""The Debian package as a Linux user meets it: lintian finds no error and no
warning beyond the one named below, the desktop entry and the metainfo
validate, apt installs it, the program started as its desktop entry says from
an empty folder shows the Setup dialog and then the show (it found its pack in
the installed data folder), ends with Escape and status 0, and purging the
package leaves nothing of it behind.

    test_package.py --native PACKAGE.deb

Installing is machine-wide: the test purges a copy left by an earlier run
first, and always purges its own at the end."""
import os
import shlex
import subprocess
import sys
import tempfile
import time

import snowrig
from demo import SKY, TITLE, accept_setup, colour_share, expect

PACKAGE = "snowgig"
DESKTOP_ENTRY = "/usr/share/applications/snowgig.desktop"
METAINFO = "/usr/share/metainfo/snowgig.metainfo.xml"
# A first package for Debian's archive closes its "intent to package" bug;
# this one is not uploaded there, and has none to close.
LINTIAN_ALLOWED = ["initial-upload-closes-no-bugs"]
# apt and dpkg wait this long for another user of the package database.
APT = ["apt-get", "-y", "-q", "-o", "DPkg::Lock::Timeout=120"]


def run(argv, timeout=300, check=True):
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    r = subprocess.run(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                       timeout=timeout, text=True)
    if check and r.returncode != 0:
        raise AssertionError("%s failed (%d):\n%s" % (" ".join(argv), r.returncode, r.stdout))
    return r


def installed():
    r = run(["dpkg-query", "-W", "-f=${db:Status-Status}", PACKAGE], check=False)
    return r.returncode == 0 and r.stdout.strip() not in ("", "not-installed")


def purge():
    if installed():
        run(APT + ["purge", PACKAGE])


def lintian(deb):
    r = run(["lintian", "--fail-on", "error,warning", "--suppress-tags",
             ",".join(LINTIAN_ALLOWED), deb], check=False)
    shown = [line for line in run(["lintian", deb], check=False).stdout.splitlines()
             if "root privileges" not in line]
    print("lintian: %s" % ("\n".join(shown) or "nothing to report"))
    expect(r.returncode == 0, "lintian found errors or warnings:\n%s" % r.stdout)


def validate_entries():
    run(["desktop-file-validate", DESKTOP_ENTRY])
    r = run(["appstreamcli", "validate", "--no-net", METAINFO], check=False)
    errors = [line for line in r.stdout.splitlines() if line.startswith("E:")]
    expect(not errors, "metainfo errors:\n%s" % r.stdout)


def desktop_command():
    """The Exec line of the installed desktop entry, without field codes."""
    with open(DESKTOP_ENTRY) as f:
        lines = [line.strip() for line in f]
    exec_line = next(line for line in lines if line.startswith("Exec="))
    return [a for a in shlex.split(exec_line[len("Exec="):]) if not a.startswith("%")]


def show_from_menu(command):
    with snowrig.Rig(screen="640x480", capture_sound=False, clocked_sound=True,
                     name="package-native", native=True) as rig:
        elsewhere = tempfile.mkdtemp(prefix="elsewhere-", dir=rig.dir)
        proc = rig.start(command, cwd=elsewhere)
        accept_setup(rig)
        rig.wait_window(TITLE, 60)
        time.sleep(1.5)
        shot = rig.screenshot(os.path.join(rig.dir, "package-show.png"))
        sky = colour_share(snowrig.image_histogram(shot), SKY)
        rig.foreground(TITLE)
        rig.key("Escape")
        code = proc.wait(30)
        expect(code == 0, "exit status %d after Escape, want 0" % code)
        expect(sky > 0.3, "the show's sky covers %.0f %% of the screen" % (100 * sky))
        print("show: started by %r from %s, %.0f %% sky, ended with status 0"
              % (" ".join(command), elsewhere, 100 * sky))


def left_behind(paths):
    """Paths of the package still there that no other package owns."""
    left = []
    for path in paths:
        if path == "/.":
            continue
        if os.path.lexists(path) and run(["dpkg-query", "-S", path], check=False).returncode != 0:
            left.append(path)
    return left


def main():
    args = [a for a in sys.argv[1:] if a != "--native"]
    if len(args) != 1 or not os.path.exists(args[0]):
        sys.exit("usage: test_package.py --native PACKAGE.deb")
    deb = os.path.abspath(args[0])
    print("package: %s, %d bytes" % (os.path.basename(deb), os.path.getsize(deb)))
    lintian(deb)
    purge()
    try:
        run(APT + ["install", deb])
        paths = run(["dpkg-query", "-L", PACKAGE]).stdout.split()
        validate_entries()
        show_from_menu(desktop_command())
    finally:
        purge()
    expect(not installed(), "%s is still installed after the purge" % PACKAGE)
    left = left_behind(paths)
    expect(not left, "left behind after the purge: %s" % ", ".join(left))
    print("purged: none of the %d paths it installed is left" % len(paths))
    print("package: 4 passed, 0 failed")


if __name__ == "__main__":
    main()
