"""Copies its standard input to a file no faster than a given number of bytes a
second. Behind ALSA's file plugin it stands in for a sound card's clock: a
program writing to the null device would otherwise fill the disk as fast as it
can decode."""
import sys
import time


def main():
    path, rate = sys.argv[1], float(sys.argv[2])
    start = time.monotonic()
    written = 0
    with open(path, "wb") as out:
        while True:
            chunk = sys.stdin.buffer.read1(8192)
            if not chunk:
                break
            out.write(chunk)
            out.flush()
            written += len(chunk)
            ahead = written / rate - (time.monotonic() - start)
            if ahead > 0:
                time.sleep(ahead)


if __name__ == "__main__":
    main()
