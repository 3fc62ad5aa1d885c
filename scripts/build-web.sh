#!/usr/bin/env bash
# Builds the web page into build/web/dist (index.html, page.js, page.css,
# snowgig.js, snowgig.wasm, snowgig.dat, the icon) and prints the files'
# sizes, raw and compressed with gzip. The pack and the icon come from the
# native tree, which is built as far as they need; the program and its sound library are built with
# Emscripten (emcmake) in build/web.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=${SNOWGIG_JOBS:-2}
native=$top/build/native
web=$top/build/web
# Debian's node does not look in Debian's own module folder, where emcc's
# modules are.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

cmake -S "$top" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$native" -j "$jobs" --target snowgig_data

emcmake cmake -S "$top" -B "$web" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSNOWGIG_PACK="$native/data/snowgig.dat" -DSNOWGIG_ICON_DIR="$native/data/icon" >/dev/null
cmake --build "$web" -j "$jobs"
for f in "$web"/dist/*; do
  printf 'build-web: %-13s %9d bytes, %9d with gzip\n' "$(basename "$f")" "$(stat -c %s "$f")" \
    "$(gzip -9 -c "$f" | wc -c)"
done
echo "build-web: the page is in $web/dist"
