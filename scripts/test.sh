#!/usr/bin/env bash
# Builds everything and runs every test: the native core suite under ASan and
# UBSan (and the threaded parts under TSan), the generated-data checks, the
# fuzz targets' fixed pass, the Windows build's suite, the journeys and the
# installer under Wine, and a second build that must give the same bytes.
# Prints the time of each stage and the totals; fails on any failure and on a
# runner that finds no test.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh

summary=()
status=0

# How long each stage took, printed with the totals.
timings=()
stage_name=""
stage_start=$(date +%s)
stage() {
  local now
  now=$(date +%s)
  [ -n "$stage_name" ] && timings+=("$(printf '%4d s  %s' $((now - stage_start)) "$stage_name")")
  stage_name=$1
  stage_start=$now
  [ -n "$1" ] && echo "== $1"
  return 0
}

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

stage "Native build and tests (ASan + UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native
run_gtest "native (ASan+UBSan)" build/native/zr_native_tests
if (cd build/native && ctest --output-on-failure --no-tests=error -E '^native_tests$'); then
  summary+=("generated files: match their generators")
else
  summary+=("generated files: FAILED (see the ctest output above)")
  status=1
fi

# The stages that only compute, with no window and no Wine: they run beside
# the Wine stages, which spend most of their time waiting, at a lower
# priority so that the timing of the Wine stages is left alone. Their output
# goes to a log, printed whole when they are done; their totals come back
# through a file.
background_stages() {
  stage "Threaded tests (ThreadSanitizer)"
  cmake --preset native-tsan >/dev/null
  cmake --build --preset native-tsan --target zr_threaded_tests
  TSAN_OPTIONS="halt_on_error=1 ${TSAN_OPTIONS:-}" \
    run_gtest "native threaded (TSan)" build/native-tsan/zr_threaded_tests

  stage "Fuzzing (libFuzzer, ASan + UBSan)"
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


  stage "Reproducible build (a second build elsewhere)"
  if tests/install/reproducible.sh build/windows build/windows-again; then
    summary+=("reproducible build: two builds in two folders give the same bytes")
  else
    summary+=("reproducible build: FAILED (kept in build/windows-again)")
    status=1
  fi
  stage ""
  printf '%s\n' "${summary[@]}" >"$background_summary"
  printf '%s\n' "${timings[@]}" >"$background_timings"
  return $status
}

stage "Windows build (MinGW-w64)"
cmake --preset windows >/dev/null
cmake --build --preset windows

background_log=$root/build/background.log
background_summary=$root/build/background.summary
background_timings=$root/build/background.timings
rm -f "$background_log" "$background_summary" "$background_timings"
echo "== ThreadSanitizer, fuzzing and the reproducible build: in the background, output in build/background.log"
(
  renice -n 19 -p "$BASHPID" >/dev/null
  summary=() timings=() status=0 stage_name=""
  background_stages
) >"$background_log" 2>&1 &
background=$!

stage "Windows tests under Wine"
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

stage "End-to-end journeys under Wine"
run_counted "end-to-end" "evidence in build/e2e" tests/e2e/run.sh

stage "Installer and planted libraries"
run_counted "installer" "see build/windows/install-test" tests/install/run.sh --no-rebuild

stage "Waiting for the background stages"
set +e
wait "$background"
background_rc=$?
set -e
echo "== The background stages' output (build/background.log)"
cat "$background_log"
if [ -f "$background_summary" ]; then
  mapfile -t lines <"$background_summary"
  summary+=("${lines[@]}")
  mapfile -t lines <"$background_timings"
  timings+=("${lines[@]/#/  (background) }")
fi
if [ "$background_rc" -ne 0 ]; then
  [ -f "$background_summary" ] || summary+=("background stages: FAILED before their totals (see above)")
  status=1
fi
stage ""

echo
echo "== Time per stage"
printf '  %s\n' "${timings[@]}"
echo "== Totals"
printf '  %s\n' "${summary[@]}"
exit $status
