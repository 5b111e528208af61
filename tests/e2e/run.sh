#!/usr/bin/env bash
# Runs the end-to-end journeys on the built virtual-mouse folder
# (build/windows/dist_virtual) under Wine, each in a fresh copy of it.
# Usage: tests/e2e/run.sh [--screens] [journey number ...]
# Prints one line per journey and "N passed, M failed" last; evidence of a
# failure goes to build/e2e.
set -uo pipefail
cd "$(dirname "$0")/../.."

# The yardstick first: a wrong model would fail or pass journeys wrongly.
if ! /usr/bin/python3 tests/e2e/model_check.py; then
  echo "The journeys did not start: the report model's self-check failed (above)."
  echo "0 passed, 1 failed"
  exit 1
fi

source scripts/wine-env.sh build/windows
zr_display || exit 1
zr_wine_prefix
export WINE WINESERVER
# Let the journeys' desktop start on this display, not on one left over.
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w >/dev/null 2>&1 || true

/usr/bin/python3 tests/e2e/journeys.py "$@"
rc=$?
zr_wine_stop
exit $rc
