#!/usr/bin/env bash
# Builds the shipped targets of the windows preset a second time in another
# folder (compiler cache off, so nothing is reused) and compares SHA256SUMS
# with those of the first build.
# Usage: tests/install/reproducible.sh <first build folder> <second build folder>
set -euo pipefail
cd "$(dirname "$0")/../.."
first=$1
second=$2
rm -rf "$second"
CCACHE_DISABLE=1 cmake -S . -B "$second" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER= -DCMAKE_C_COMPILER_LAUNCHER= >/dev/null
CCACHE_DISABLE=1 cmake --build "$second" --target zr_installer
if diff <(cat "$first/SHA256SUMS") <(cat "$second/SHA256SUMS"); then
  echo "ok   two builds in two folders: identical SHA256SUMS"
  sed 's/^/     /' "$second/SHA256SUMS"
  rm -rf "$second"
else
  echo "FAIL the second build differs (kept in $second)"
  exit 1
fi
