#!/usr/bin/env bash
# Builds everything and runs every benchmark; each prints its own figures.
# Not part of the tests: figures on a shared machine vary from run to run, so
# each benchmark compares its contenders side by side in one run.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh" || exit 1
bash "$top/scripts/build.sh" || exit 1
native=$top/build/native
windows=$top/build/windows
export SNOWGIG_RIG_DIR=$top/build/bench-rig SNOWGIG_WIN_BUILD=$windows

echo "== TGA decoding: our loader through the pack beside stb_image"
timeout 600 "$native/bench/tga/tgabench"
echo "== The show: one update and one draw"
timeout 600 "$native/bench/show/show_draw_cpu_bench"
timeout 600 "$native/bench/show/show_bench" "$native/data/snowgig.dat"
echo "== The show under Wine: frames per second beside a bare clear-and-swap loop"
timeout 900 cmake --build "$windows" --target show_wine_fps_run
echo "== The sound library: decoder speed beside mpg123, unpause delay, memory"
timeout 900 python3 "$top/bench/sound/run_sound_bench.py" "$windows"
echo "== Unbroken music: dropouts of the old and the new output, idle and loaded"
SNOWGIG_DIST=$windows/dist timeout 3600 python3 "$top/bench/sound/run_dropout_bench.py" "$windows"
echo "== The Linux sound library: decoding, CPU while playing, pause and unpause, dropouts, memory"
timeout 600 python3 "$top/bench/sound/linux/run_linux_sound_bench.py" "$native"
echo "== The Linux program's music: dropouts through PulseAudio's library and through SDL audio, idle and loaded"
timeout 1200 python3 "$top/bench/sound/linux/run_linux_dropout_bench.py" "$native/dist"
echo "== The Linux program beside the Windows one: frames per second, OK to the first frame, peak memory"
timeout 1200 python3 "$top/bench/platforms/compare.py" "$native" "$windows"
echo "== The program: OK to the first frame, peak memory"
SNOWGIG_DIST=$windows/dist PYTHONPATH=$top/tests/rig:$top/tests/e2e \
  timeout 900 python3 "$top/bench/startup/startup.py" 3
echo "== The web page in Chromium beside the Linux program: frames per second, OK to the first frame, the music's share of the page, the memory a run leaves behind, the download"
bash "$top/scripts/setup-web.sh" --tests && bash "$top/scripts/build-web.sh" >/dev/null &&
  timeout 1200 python3 "$top/bench/web/webbench.py" "$native" "$top/build/web/dist"
