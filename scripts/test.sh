#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test:
#   1. the native tree: unit tests, data checks, rendering tests and the
#      end-to-end tests of the Linux program;
#   2. a clang tree with AddressSanitizer and UndefinedBehaviorSanitizer: the same
#      native tests again (not the end-to-end runs, which judge the show's timing
#      on the normal build), plus every fuzz target for a bounded time;
#   3. the Windows tree under Wine: the Windows test programs and the end-to-end
#      tests that drive the real program;
#   4. the web page in Chromium (scripts/test-web.sh): installs Emscripten and
#      Chromium, builds the page and runs its end-to-end test.
# Exits non-zero when any test fails. Each part's log is in build/logs/.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=${SNOWGIG_JOBS:-2}
logs=$top/build/logs
mkdir -p "$logs"

bash "$top/scripts/setup.sh" || exit 1
bash "$top/scripts/build.sh" || exit 1

passed=0
failed=0
failures=()

# Runs ctest in a tree and adds its counts to the totals.
run_ctest() {
  local name=$1 dir=$2
  shift 2
  echo "== $name"
  (cd "$dir" && ctest --output-on-failure --timeout 900 "$@") 2>&1 | tee "$logs/$name.log"
  local summary p f total
  summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$name.log" | tail -n 1)
  if [ -z "$summary" ]; then
    failed=$((failed + 1))
    failures+=("$name: ctest gave no summary")
    return
  fi
  f=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  total=$(echo "$summary" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  p=$((total - f))
  passed=$((passed + p))
  failed=$((failed + f))
  if [ "$f" -ne 0 ]; then
    failures+=("$name: $f of $total failed")
  fi
}

run_ctest native "$top/build/native" -j "$jobs"

sanitize=$top/build/sanitize
echo "== building the sanitizer and fuzzing tree"
if CC=clang CXX=clang++ cmake -S "$top" -B "$sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
     -DSNOWGIG_SANITIZE=ON -DSNOWGIG_FUZZ=ON \
     -DSNOWGIG_PREBUILT_PACK="$top/build/native/data/snowgig.dat" >"$logs/sanitize-build.log" 2>&1 &&
   cmake --build "$sanitize" -j "$jobs" >>"$logs/sanitize-build.log" 2>&1; then
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions=$top/tests/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_ctest sanitize "$sanitize" -j "$jobs" -E "^e2e_native_"
else
  tail -n 40 "$logs/sanitize-build.log"
  failed=$((failed + 1))
  failures+=("sanitize: build failed")
fi

# Wine tests share one prefix per run, made afresh for this run.
export SNOWGIG_RIG_DIR=$top/build/rig
rm -rf "$SNOWGIG_RIG_DIR"
run_ctest windows "$top/build/windows"

echo "== web"
if bash "$top/scripts/test-web.sh" >"$logs/web-all.log" 2>&1; then
  passed=$((passed + 1))
else
  tail -n 40 "$logs/web-all.log"
  failed=$((failed + 1))
  failures+=("web: the page's end-to-end test failed (build/logs/web-all.log)")
fi

echo
for f in "${failures[@]}"; do
  echo "FAILED: $f"
done
echo "snowgig tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
