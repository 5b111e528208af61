#!/usr/bin/env bash
# Runs the end-to-end journeys on the built virtual-mouse folder
# (build/windows/dist_virtual) under Wine, each in a fresh copy of it.
# Usage: tests/e2e/run.sh [--screens] [journey number ...]
# Prints one line per journey and "N passed, M failed" last; evidence of a
# failure goes to build/e2e. When the journeys cannot start at all, it says
# which step failed and counts every chosen journey as failed.
set -uo pipefail
cd "$(dirname "$0")/../.."

# The chosen journeys, counted without starting anything.
chosen=$(/usr/bin/python3 tests/e2e/journeys.py --count "$@" 2>&1)
if ! [[ "$chosen" =~ ^[0-9]+$ ]]; then
  echo "The journeys did not start: tests/e2e/journeys.py could not be loaded:"
  echo "$chosen"
  echo "0 passed, 1 failed"
  exit 1
fi

not_started() {
  echo "The journeys did not start: $*"
  echo "0 passed, $chosen failed"
  exit 1
}

# The yardstick first: a wrong model would fail or pass journeys wrongly.
/usr/bin/python3 tests/e2e/model_check.py || not_started "the report model's self-check failed (above)."

dist=build/windows/dist_virtual
for file in "ZR280S Gaming Mouse Driver.exe" virtual-mouse.exe; do
  [ -f "$dist/$file" ] || not_started "no $dist/$file; build the windows preset first."
done
for tool in xdotool xwininfo import Xvfb; do
  command -v "$tool" >/dev/null || not_started "$tool is not installed (scripts/setup.sh installs it)."
done

source scripts/wine-env.sh build/windows
[ -x "$WINE" ] || not_started "no Wine at $WINE (scripts/setup.sh installs it)."
zr_display || not_started "no X display: Xvfb did not start."
zr_wine_prefix
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  zr_wine_stop
  not_started "the Wine prefix $WINEPREFIX could not be created (wineboot failed)."
fi
export WINE WINESERVER
# Let the journeys' desktop start on this display, not on one left over.
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w >/dev/null 2>&1 || true

/usr/bin/python3 tests/e2e/journeys.py "$@"
rc=$?
zr_wine_stop
exit $rc
