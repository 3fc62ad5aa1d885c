#!/usr/bin/env bash
# The web page's tests (scripts/test.sh runs them last): installs what they
# need (scripts/setup-web.sh --tests), builds the page and runs, in Debian's
# Chromium on a private X screen, the kept scene states drawn through WebGL
# against the reference pictures (tests/e2e/test_web_frames.py) and the page's
# end-to-end test with a private sound server (tests/e2e/test_web.py); then
# the page's checks in Chromium, Firefox ESR and WebKitGTK
# (tests/e2e/test_web_engines.py), and on phones in Chromium's emulation with
# the offline visit (tests/e2e/test_web_phone.py). Their log is
# build/logs/web.log, their screenshots build/logs/web-shots.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
logs=$top/build/logs
mkdir -p "$logs"
bash "$top/scripts/setup.sh" >/dev/null || exit 1
bash "$top/scripts/setup-web.sh" --tests || exit 1
bash "$top/scripts/build-web.sh" || exit 1
export SNOWGIG_WEB_DIST=$top/build/web/dist SNOWGIG_WEB_FRAMES=$top/build/web/tests/web
export PYTHONPATH=$top/tests/rig:$top/tests/e2e
{
  timeout 400 python3 "$top/tests/e2e/test_web_frames.py" 2>&1
  frames=$?
  timeout 600 python3 "$top/tests/e2e/test_web.py" 2>&1
  page=$?
  SNOWGIG_ENGINE_SHOTS=$logs/web-shots timeout 600 python3 "$top/tests/e2e/test_web_engines.py" 2>&1
  engines=$?
  SNOWGIG_PHONE_SHOTS=$logs/web-shots timeout 400 python3 "$top/tests/e2e/test_web_phone.py" 2>&1
  phones=$?
  [ "$frames" -eq 0 ] && [ "$page" -eq 0 ] && [ "$engines" -eq 0 ] && [ "$phones" -eq 0 ]
} | tee "$logs/web.log"
exit "${PIPESTATUS[0]}"
