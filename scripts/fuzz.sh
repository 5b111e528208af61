#!/usr/bin/env bash
# Long fuzzing, to look for new inputs: each target runs for SECONDS (default
# 600) from its committed corpus plus what earlier long runs found (kept under
# build/fuzz/found). Crashes land in build/fuzz/artifacts. Add an input that
# found a fault to fuzz/corpus/<target> by hand, once the fault is fixed.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_macro_file fuzz_ini_engine fuzz_skin_image
  fuzz_skin_layout
  fuzz_input_reports
  fuzz_popup_placement
  fuzz_config_load
)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

status=0
for target in "${targets[@]}"; do
  mkdir -p "build/fuzz/found/$target" build/fuzz/artifacts
  echo "== $target for ${seconds}s"
  if ! "build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/ \
      "build/fuzz/found/$target" "fuzz/corpus/$target"; then
    echo "$target: CRASHED (input in build/fuzz/artifacts)"
    status=1
  fi
done
exit $status
