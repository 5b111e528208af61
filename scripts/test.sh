#!/usr/bin/env bash
# Builds everything and runs every test: the native core suite under ASan and
# UBSan (and the threaded parts under TSan), the generated-data checks, and the
# Windows build's suite under Wine. Prints the totals; fails on any failure
# and on a runner that finds no test.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh

summary=()
status=0

# Runs a GoogleTest program and keeps its totals; a program that runs no test fails.
run_gtest() {
  local label=$1; shift
  local log
  log=$(mktemp)
  set +e
  "$@" --gtest_brief=1 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  set -e
  local ran passed skipped
  ran=$(grep -Eo '^\[==========\] [0-9]+ tests? from' "$log" | grep -Eo '[0-9]+' | tail -1 || true)
  passed=$(grep -Eo '^\[  PASSED  \] [0-9]+' "$log" | grep -Eo '[0-9]+' | tail -1 || true)
  skipped=$(grep -Eo '^\[  SKIPPED \] [0-9]+' "$log" | grep -Eo '[0-9]+' | tail -1 || true)
  rm -f "$log"
  if [ "$rc" -ne 0 ] || [ -z "$ran" ] || [ "$ran" -eq 0 ]; then
    summary+=("$label: FAILED (exit $rc, ${ran:-0} tests ran)")
    status=1
  else
    summary+=("$label: ${passed:-0} passed, ${skipped:-0} skipped, of $ran")
  fi
}

echo "== Native build (ASan + UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native
run_gtest "native (ASan+UBSan)" build/native/zr_native_tests
if (cd build/native && ctest --output-on-failure --no-tests=error -E '^native_tests$'); then
  summary+=("generated files: match their generators")
else
  summary+=("generated files: FAILED (see the ctest output above)")
  status=1
fi

echo "== Threaded tests (ThreadSanitizer)"
cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan --target zr_threaded_tests
TSAN_OPTIONS="halt_on_error=1 ${TSAN_OPTIONS:-}" \
  run_gtest "native threaded (TSan)" build/native-tsan/zr_threaded_tests

echo "== Fuzzing (libFuzzer, ASan + UBSan)"
# A fixed number of runs from a fixed seed, starting from a fresh copy of
# the committed corpus: the same inputs on every run, so the same result.
# Longer fuzzing, which looks for new inputs, is scripts/fuzz.sh.
fuzz_runs=${ZR_FUZZ_RUNS:-20000}
run_fuzzer() {
  local target=$1 log rc runs
  rm -rf "build/fuzz/pass/$target"
  mkdir -p "build/fuzz/pass/$target" build/fuzz/artifacts
  cp -r "fuzz/corpus/$target/." "build/fuzz/pass/$target/"
  log=$(mktemp)
  set +e
  "build/fuzz/$target" -seed=1 -runs="$fuzz_runs" -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/ \
    "build/fuzz/pass/$target" >"$log" 2>&1
  rc=$?
  set -e
  runs=$(grep -Eo 'number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' || true)
  if [ "$rc" -ne 0 ]; then
    tail -40 "$log"
    summary+=("$target: CRASHED after ${runs:-?} runs (input in build/fuzz/artifacts)")
    status=1
  else
    summary+=("$target: ${runs:-0} runs from seed 1, no crash")
  fi
  rm -f "$log"
}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
run_fuzzer fuzz_macro_file
run_fuzzer fuzz_ini_engine
run_fuzzer fuzz_skin_image
run_fuzzer fuzz_skin_layout
run_fuzzer fuzz_input_reports
run_fuzzer fuzz_popup_placement
run_fuzzer fuzz_config_load

echo "== Windows build (MinGW-w64)"
cmake --preset windows >/dev/null
cmake --build --preset windows

echo "== Windows tests under Wine"
source scripts/wine-env.sh build/windows
zr_display
zr_wine_prefix
export ZR_DIST_DIR="$root/build/windows/dist"
# A copy of the virtual-mouse build that nobody may write, root included: a
# read-only bind mount (the tests run as root, so file modes would not do).
read_only_dist="$root/build/windows/read_only_dist"
umount "$read_only_dist" 2>/dev/null || true
rm -rf "$read_only_dist"
cp -r build/windows/dist_virtual "$read_only_dist"
if mount --bind "$read_only_dist" "$read_only_dist" && mount -o remount,ro,bind "$read_only_dist"; then
  export ZR_READ_ONLY_DIST="$read_only_dist"
fi
run_gtest "wine" "$WINE" build/windows/zr_wine_tests.exe
zr_wine_stop
umount "$read_only_dist" 2>/dev/null || true
unset ZR_READ_ONLY_DIST

# Runs a script that prints "N passed, M failed" last and keeps its totals.
run_counted() {
  local label=$1 evidence=$2; shift 2
  local log rc totals
  log=$(mktemp)
  set +e
  "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  set -e
  totals=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -1 || true)
  rm -f "$log"
  if [ "$rc" -ne 0 ] || [ -z "$totals" ]; then
    summary+=("$label: FAILED (${totals:-no totals}; $evidence)")
    status=1
  else
    summary+=("$label: $totals")
  fi
}

echo "== End-to-end journeys under Wine"
run_counted "end-to-end" "evidence in build/e2e" tests/e2e/run.sh

echo "== Installer, planted libraries and a second build"
run_counted "installer" "see build/windows/install-test" tests/install/run.sh

echo
echo "== Totals"
printf '  %s\n' "${summary[@]}"
exit $status
