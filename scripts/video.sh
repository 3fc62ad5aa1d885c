#!/usr/bin/env bash
# Renders the show off screen, one update per 1/60 s as on a 60 Hz display,
# with its music, and encodes it: H.264 (yuv420p) and AAC at 60 fps. It opens
# from black over the first half second and ends on a second's fade of picture
# and music together.
#
#   bash scripts/video.sh [--seconds N] [--size WxH] [--preset P]
#       writes out/snowgig-WxH-60fps.mp4 (default 140 s, all ten quotes, at 1440x1080;
#       any 4:3 size with even sides; P is x264's preset, default veryfast)
#   bash scripts/video.sh --still [--at SECONDS] [--size WxH]
#       writes the README's picture, docs/snowgig.png (default 80 s in, 800x600)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=140
size=
preset=veryfast
still=0
at=80
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=${2:?--seconds takes a number}; shift 2 ;;
    --size) size=${2:?--size takes WxH}; shift 2 ;;
    --preset) preset=${2:?--preset takes an x264 preset}; shift 2 ;;
    --at) at=${2:?--at takes a number of seconds}; shift 2 ;;
    --still) still=1; shift ;;
    *) echo "usage: video.sh [--seconds N] [--size WxH] [--preset P] | --still [--at SECONDS] [--size WxH]" >&2
       exit 2 ;;
  esac
done

bash "$top/scripts/setup.sh"
native=$top/build/native
cmake -S "$top" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$native" -j "${SNOWGIG_JOBS:-2}" --target snowgig_video snowgig_data >/dev/null
video=$native/tools/video/snowgig-video
pack=$native/data/snowgig.dat

if [ "$still" = 1 ]; then
  mkdir -p "$top/docs"
  exec "$video" --pack "$pack" --still "$top/docs/snowgig.png" --size "${size:-800x600}" --at "$at"
fi
size=${size:-1440x1080}
mkdir -p "$top/out"
exec "$video" --pack "$pack" --out "$top/out/snowgig-$size-60fps.mp4" --size "$size" \
  --seconds "$seconds" --preset "$preset"
