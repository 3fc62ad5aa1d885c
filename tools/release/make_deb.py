#!/usr/bin/env python3
"""Builds the Debian package of the Linux program with Debian's own tools:
dpkg-shlibdeps finds the libraries it depends on, dpkg-deb packs it. The same
inputs give the same bytes: every date is the one of the changelog's top
entry (SOURCE_DATE_EPOCH), every file belongs to root, the archive is sorted.

    make_deb.py OUT.deb WORKDIR PROGRAM PACK ICON_DIR RESOURCE_DIR DATA_DIR
                UPSTREAM_VERSION [SCREENSHOT_URL]

ICON_DIR holds snowgig-N.png for each size; RESOURCE_DIR holds the control
template, the desktop entry, the metainfo template, the manual page, the
copyright file and the changelog. DATA_DIR is the folder the program looks in
for its pack. The metainfo names SCREENSHOT_URL as its screenshot when given.
"""
import glob
import hashlib
import os
import re
import shutil
import subprocess
import sys
from xml.sax.saxutils import escape

PACKAGE = "snowgig"
PROGRAM_DIR = "usr/games"


def changelog_field(changelog, field):
    return subprocess.run(["dpkg-parsechangelog", "-l", changelog, "-S", field], check=True,
                          capture_output=True, text=True).stdout.strip()


def put(root, path, data, mode=0o644):
    full = os.path.join(root, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)
    os.chmod(full, mode)


def gzipped(data):
    """gzip -9n: best compression, no name and no date in the header."""
    return subprocess.run(["gzip", "-9n"], input=data, check=True, capture_output=True).stdout


def read(path):
    with open(path, "rb") as f:
        return f.read()


def fill(template, values):
    def value(match):
        if match.group(1) not in values:
            raise SystemExit("make_deb: no value for @%s@" % match.group(1))
        return values[match.group(1)]
    return re.sub(r"@([A-Z_]+)@", value, template)


def depends(work, program):
    """The shared libraries' packages, as dpkg-shlibdeps works them out; it
    reads the package's name from a debian/control of its own."""
    os.makedirs(os.path.join(work, "debian"), exist_ok=True)
    with open(os.path.join(work, "debian", "control"), "w") as f:
        f.write("Source: %s\n\nPackage: %s\nArchitecture: amd64\n" % (PACKAGE, PACKAGE))
    out = subprocess.run(["dpkg-shlibdeps", "-O", "-e" + program], cwd=work, check=True,
                         capture_output=True, text=True).stdout
    match = re.search(r"^shlibs:Depends=(.*)$", out, re.M)
    if not match:
        raise SystemExit("make_deb: dpkg-shlibdeps found no libraries in %s" % program)
    return match.group(1)


def installed_size(root):
    """In KiB as dpkg counts it: each file rounded up, each folder one."""
    total = 0
    for folder, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if d != "DEBIAN"]
        total += len(dirs)
        for name in files:
            total += (os.lstat(os.path.join(folder, name)).st_size + 1023) // 1024
    return total


def md5sums(root):
    lines = []
    for folder, dirs, files in os.walk(root):
        dirs[:] = sorted(d for d in dirs if d != "DEBIAN")
        for name in sorted(files):
            path = os.path.join(folder, name)
            lines.append("%s  %s\n" % (hashlib.md5(read(path)).hexdigest(),
                                       os.path.relpath(path, root)))
    return "".join(sorted(lines, key=lambda line: line[34:])).encode()


def main(argv):
    if len(argv) not in (9, 10):
        print(__doc__, file=sys.stderr)
        return 2
    out, work, program, pack, icons, resources, data_dir, upstream = argv[1:9]
    screenshot = argv[9] if len(argv) == 10 else ""
    changelog = os.path.join(resources, "changelog")
    version = changelog_field(changelog, "Version")
    if version.rsplit("-", 1)[0] != upstream:
        raise SystemExit("make_deb: the changelog's top entry is %s, the project's version %s"
                         % (version, upstream))
    epoch = int(changelog_field(changelog, "Timestamp"))
    date = changelog_field(changelog, "Date")
    release_day = subprocess.run(["date", "-u", "-d", "@%d" % epoch, "+%Y-%m-%d"], check=True,
                                 capture_output=True, text=True).stdout.strip()

    root = os.path.join(work, "debian", PACKAGE)  # where dpkg-shlibdeps expects it
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(root)
    binary = os.path.join(root, PROGRAM_DIR, PACKAGE)
    os.makedirs(os.path.dirname(binary))
    subprocess.run(["strip", "--strip-unneeded", "--remove-section=.comment",
                    "--remove-section=.note", "-o", binary, program], check=True)
    os.chmod(binary, 0o755)
    put(root, os.path.join(data_dir.lstrip("/"), "snowgig.dat"), read(pack))
    put(root, "usr/share/applications/snowgig.desktop",
        read(os.path.join(resources, "snowgig.desktop")))
    sizes = sorted(int(re.search(r"snowgig-(\d+)\.png$", p).group(1))
                   for p in glob.glob(os.path.join(icons, "snowgig-*.png")))
    if not sizes:
        raise SystemExit("make_deb: no snowgig-N.png in %s" % icons)
    for size in sizes:
        put(root, "usr/share/icons/hicolor/%dx%d/apps/snowgig.png" % (size, size),
            read(os.path.join(icons, "snowgig-%d.png" % size)))
    screenshots = ""
    if screenshot:
        screenshots = ('  <screenshots>\n    <screenshot type="default">\n'
                       '      <image>%s</image>\n    </screenshot>\n  </screenshots>\n'
                       % escape(screenshot))
    metainfo = fill(read(os.path.join(resources, "snowgig.metainfo.xml")).decode(),
                    {"SCREENSHOTS": screenshots, "UPSTREAM_VERSION": upstream,
                     "DATE": release_day})
    put(root, "usr/share/metainfo/snowgig.metainfo.xml", metainfo.encode())
    manual = fill(read(os.path.join(resources, "snowgig.6")).decode(), {"DATA_DIR": data_dir})
    put(root, "usr/share/man/man6/snowgig.6.gz", gzipped(manual.encode()))
    doc = "usr/share/doc/" + PACKAGE
    put(root, doc + "/copyright", read(os.path.join(resources, "copyright")))
    put(root, doc + "/changelog.Debian.gz", gzipped(read(changelog)))

    control = fill(read(os.path.join(resources, "control")).decode(), {
        "VERSION": version,
        "MAINTAINER": changelog_field(changelog, "Maintainer"),
        "INSTALLED_SIZE": str(installed_size(root)),
        "DEPENDS": depends(work, binary),
    })
    put(root, "DEBIAN/control", control.encode())
    put(root, "DEBIAN/md5sums", md5sums(root))

    for folder, dirs, files in os.walk(root):
        os.chmod(folder, 0o755)
        for name in dirs + files:
            os.utime(os.path.join(folder, name), (epoch, epoch), follow_symlinks=False)
    os.utime(root, (epoch, epoch))
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(epoch))
    part = out + ".part"
    subprocess.run(["dpkg-deb", "--root-owner-group", "-Zxz", "--build", root, part],
                   check=True, env=env, stdout=subprocess.DEVNULL)
    os.replace(part, out)
    print("package: %s %s (%s), %d bytes" % (PACKAGE, version, date, os.path.getsize(out)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
