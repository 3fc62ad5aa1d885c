#!/usr/bin/env bash
# The web page's end-to-end test (scripts/test.sh runs it last): installs what it
# needs (scripts/setup-web.sh --tests), builds the page and runs
# tests/e2e/test_web.py against it in Debian's Chromium on a private X screen
# with a private sound server. Its log is build/logs/web.log.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
logs=$top/build/logs
mkdir -p "$logs"
bash "$top/scripts/setup.sh" >/dev/null || exit 1
bash "$top/scripts/setup-web.sh" --tests || exit 1
bash "$top/scripts/build-web.sh" || exit 1
SNOWGIG_WEB_DIST=$top/build/web/dist SNOWGIG_SHOTS=$top/build/web/shots \
  PYTHONPATH=$top/tests/rig:$top/tests/e2e \
  timeout 600 python3 "$top/tests/e2e/test_web.py" 2>&1 | tee "$logs/web.log"
exit "${PIPESTATUS[0]}"
