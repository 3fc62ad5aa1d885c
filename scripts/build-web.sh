#!/usr/bin/env bash
# Builds the web page into build/web/dist (index.html, page.js, page.css,
# snowgig.js, snowgig.wasm, snowgig.dat, the icons, the app manifest and
# service worker, the link preview's picture) and prints the files' sizes, raw
# and compressed with gzip. The pack, the icon and the preview come from the
# native tree, which is built as far as they need; the program and its sound
# library are built with Emscripten (emcmake) in build/web. SNOWGIG_WEB_URL,
# the address the page will be served from (ending in /), makes the preview's
# picture an absolute address, as chat programs and social sites want.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=${SNOWGIG_JOBS:-2}
native=$top/build/native
web=$top/build/web
# Debian's node does not look in Debian's own module folder, where emcc's
# modules are.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

cmake -S "$top" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$native" -j "$jobs" --target snowgig_data snowgig_video
# The link preview's picture: a still of the show as the page plays it.
mkdir -p "$web"
"$native/tools/video/snowgig-video" --pack "$native/data/snowgig.dat" --still "$web/preview.png" \
  --size 1200x900 --at 80 >/dev/null

emcmake cmake -S "$top" -B "$web" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSNOWGIG_PACK="$native/data/snowgig.dat" -DSNOWGIG_ICON_DIR="$native/data/icon" \
  -DSNOWGIG_PREVIEW="$web/preview.png" -DSNOWGIG_WEB_URL="${SNOWGIG_WEB_URL:-}" >/dev/null
cmake --build "$web" -j "$jobs"
for f in "$web"/dist/*; do
  printf 'build-web: %-20s %9d bytes, %9d with gzip\n' "$(basename "$f")" "$(stat -c %s "$f")" \
    "$(gzip -9 -c "$f" | wc -c)"
done
echo "build-web: the page is in $web/dist"
