#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test with CTest.
#   ./test.sh --windows   cross-builds for 64-bit Windows and runs the tests under Wine
set -euo pipefail
cd "$(dirname "$0")"

if [ $# -gt 0 ]; then
  if [ "$1" = "--windows" ] && [ $# -eq 1 ]; then
    exec scripts/test-windows.sh
  fi
  echo "usage: ./test.sh [--windows]" >&2
  exit 2
fi

scripts/install-deps.sh

build=build-test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTVX_SANITIZE=ON -DTVX_BUILD_TESTS=ON \
  -DTVX_BUILD_BENCH=ON
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600
