"""The kept scene states drawn in the page's GLWindow by the program's own
upload and frame code, through WebGL in Debian's Chromium, checked against the
reference pictures by the same rule as the native and Wine frame tests
(tests/support/frames). SNOWGIG_WEB_FRAMES names the folder of
web_frames_test.js and frames.html (build/web/tests/web)."""
import os
import sys

import snowrig
from demo import expect


def main():
    folder = os.environ.get("SNOWGIG_WEB_FRAMES")
    if not folder or not os.path.exists(os.path.join(folder, "web_frames_test.wasm")):
        sys.exit("SNOWGIG_WEB_FRAMES does not hold the web frame test")
    with snowrig.Rig(screen="1280x1024", name="web-frames", web=True, capture_sound=False) as rig:
        page = rig.open(rig.serve(folder) + "frames.html")
        page.wait("result.status !== null", 240)
        lines, status = page.eval("[result.lines, result.status]")
    for line in lines:
        print(line)
    expect(status == 0 and any("[  PASSED  ]" in line for line in lines),
           "the web frame test ended with status %r" % status)
    print("web frames: 1 passed, 0 failed")


if __name__ == "__main__":
    main()
