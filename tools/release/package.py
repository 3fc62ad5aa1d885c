#!/usr/bin/env python3
"""Packs the shipped files into one zip that is the same, byte for byte, for the
same files: entries sorted by name, one fixed date, fixed permissions. Prints the
size of every file and of the zip. Text files get Windows line ends.

    package.py OUT.zip FILE...
"""
import os
import sys
import zipfile

# The date every entry carries (zip dates have no time zone).
FIXED_DATE = (2024, 12, 24, 0, 0, 0)


def main():
    if len(sys.argv) < 3:
        print("usage: package.py OUT.zip FILE...", file=sys.stderr)
        return 2
    out, files = sys.argv[1], sys.argv[2:]
    names = {}
    for path in files:
        name = os.path.basename(path)
        if name in names:
            print("package: two files named %s" % name, file=sys.stderr)
            return 1
        names[name] = path
    tmp = out + ".part"
    with zipfile.ZipFile(tmp, "w") as z:
        for name in sorted(names):
            with open(names[name], "rb") as f:
                data = f.read()
            if name.endswith(".txt"):
                # Read on Windows: Windows line ends.
                data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
            info = zipfile.ZipInfo(name, FIXED_DATE)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # the permission bits below are Unix ones
            info.external_attr = 0o100644 << 16
            z.writestr(info, data, compresslevel=9)
            print("package: %-12s %9d bytes" % (name, len(data)))
    os.replace(tmp, out)
    print("package: %-12s %9d bytes" % (os.path.basename(out), os.path.getsize(out)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
