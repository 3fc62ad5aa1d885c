#!/usr/bin/env bash
# The ten-minute soak of the real program (not part of the default tests).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh"
export SNOWGIG_DIST=$top/build/windows/dist SNOWGIG_WIN_BUILD=$top/build/windows
export PYTHONPATH=$top/tests/rig:$top/tests/e2e SNOWGIG_RIG_DIR=$top/build/soak-rig
exec timeout 1200 python3 "$top/tests/e2e/soak.py"
