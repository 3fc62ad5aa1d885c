#!/usr/bin/env bash
# Installs what is needed, builds the demo and starts it.
#   bash scripts/run.sh            the Windows program under Wine
#   bash scripts/run.sh --native   the Linux program
#   bash scripts/run.sh --web      the web page, served on this machine
# With a display ($DISPLAY set) the Setup dialog opens there. Without one the
# Windows program runs on a private screen in a Wine virtual desktop for about a
# minute, and a video with its music and a few screenshots are left in out/;
# the Linux program needs a display. The web page is served from
# build/web/dist at the address printed (SNOWGIG_WEB_PORT, 8000 unless set)
# until Ctrl+C; any browser on this machine opens it. That address, this
# machine's own, counts as a secure page: the page's service worker (offline
# visits) and its screen wake lock work there as on https.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = "--web" ]; then
  bash "$top/scripts/setup.sh"
  bash "$top/scripts/setup-web.sh"
  bash "$top/scripts/build-web.sh"
  port=${SNOWGIG_WEB_PORT:-8000}
  echo "run.sh --web: open http://127.0.0.1:$port/ (Ctrl+C ends the server)"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$top/build/web/dist"
fi
native=0
if [ "${1:-}" = "--native" ]; then
  native=1
fi
if [ "$native" = 1 ] && [ -z "${DISPLAY:-}" ]; then
  echo "run.sh --native: the Linux program needs a display; set DISPLAY (or run without --native" >&2
  echo "for the Windows program's recorded showcase)." >&2
  exit 1
fi
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh"
if [ "$native" = 1 ]; then
  cd "$top/build/native/dist"
  exec ./snowgig
fi
dist=$top/build/windows/dist
if [ -n "${DISPLAY:-}" ]; then
  cd "$dist"
  # Wine feeds PulseAudio only 30 ms ahead unless told otherwise; a second
  # keeps the music going when the machine is busy.
  PULSE_LATENCY_MSEC=${PULSE_LATENCY_MSEC:-1000} WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all exec wine snowgig.exe
fi
exec python3 "$top/scripts/showcase.py" --dist "$dist" --out "$top/out" --seconds "${SNOWGIG_SECONDS:-60}"
