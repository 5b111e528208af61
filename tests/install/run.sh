#!/usr/bin/env bash
# The installer and the hardening of the Windows build, under Wine:
#  1. libraries planted beside the utility are not loaded (virtual and shipped build);
#  2. the setup program in a fresh prefix: silent install, logon start,
#     upgrade over a running utility, uninstall;
# and, natively, 3. a second build of the shipped targets in another folder
# gives the same bytes (skipped with --no-rebuild).
# Needs the windows preset built. Prints "N passed, M failed" last.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
build=$root/build/windows
work=$build/install-test
rebuild=1
[ "${1:-}" = "--no-rebuild" ] && rebuild=0

passed=0
failed=0
result() {
  if [ "$1" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $2"; fi
}

rm -rf "$work"
mkdir -p "$work"
source scripts/wine-env.sh build/windows
zr_display || exit 1
zr_wine_prefix
export WINE WINESERVER

# 1. Native hid and gdiplus first, as Windows looks in the program's folder
# for any library off the known-DLL list.
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;hid,gdiplus=n,b" \
  /usr/bin/python3 tests/install/planted_test.py "$build/dist_virtual" "$build/dist" "$build/planted" "$work/planted"
result $? "planted libraries"
zr_wine_stop
zr_display || exit 1

# 2. Two setup programs of the virtual-mouse build; the second is a newer
# build: another executable (bytes appended, as a rebuild changes it) and a
# changed factory-default section.
stage() {
  local name=$1
  rm -rf "$work/$name"
  cp -r "$build/dist_virtual" "$work/$name"
}
stage v1
stage v2
printf 'newer build' >>"$work/v2/ZR280S Gaming Mouse Driver.exe"
sed -i '/^\[CfgReset2\]/,/^\[/ s/^FIRE_TIME=.*/FIRE_TIME=77\r/' "$work/v2/config.ini"
cmp -s "$work/v1/config.ini" "$work/v2/config.ini" && { echo "FAIL staging: v2's factory section unchanged"; exit 1; }
for v in v1 v2; do
  cmake -DSOURCE_DIR="$work/$v" -DOUTPUT="$work/setup-$v.exe" -DWORK_DIR="$work/nsis-$v" \
    -P cmake/BuildInstaller.cmake >"$work/nsis-$v.log" 2>&1 || { cat "$work/nsis-$v.log"; exit 1; }
done
prefix=$work/prefix
WINEPREFIX=$prefix "$WINE" wineboot -i >/dev/null 2>&1
"$WINESERVER" -w
WINEPREFIX=$prefix /usr/bin/python3 tests/install/install_test.py \
  "$work/setup-v1.exe" "$work/setup-v2.exe" "$work/v2/ZR280S Gaming Mouse Driver.exe" "$prefix"
result $? "installer"
WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1
WINEPREFIX=$prefix "$WINESERVER" -w >/dev/null 2>&1
zr_wine_stop

# 3. The shipped targets once more, elsewhere, without the compiler cache.
if [ "$rebuild" -eq 1 ]; then
  tests/install/reproducible.sh "$build" "$work/rebuild"
  result $? "reproducible build"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
