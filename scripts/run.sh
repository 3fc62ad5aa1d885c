#!/usr/bin/env bash
# Installs what is needed, builds the demo and starts it.
# With a display ($DISPLAY set) the Setup dialog opens there. Without one the
# demo runs on a private screen in a Wine virtual desktop for about a minute,
# and a video with its music and a few screenshots are left in out/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh"
dist=$top/build/windows/dist
if [ -n "${DISPLAY:-}" ]; then
  cd "$dist"
  # Wine feeds PulseAudio only 30 ms ahead unless told otherwise; a second
  # keeps the music going when the machine is busy.
  PULSE_LATENCY_MSEC=${PULSE_LATENCY_MSEC:-1000} WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all exec wine snowgig.exe
fi
exec python3 "$top/scripts/showcase.py" --dist "$dist" --out "$top/out" --seconds "${SNOWGIG_SECONDS:-60}"
