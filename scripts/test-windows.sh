#!/usr/bin/env bash
# The Windows test path: installs the cross compiler and Wine where missing,
# cross-builds the engine, intake, report and command with their tests for
# 64-bit Windows, runs those tests under Wine, then runs the Windows command
# beside the Linux one on the same inputs and compares their reports.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-windows-deps.sh

jobs=$(nproc)
build=build-win
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Debug -DTVX_BUILD_APP=OFF -DTVX_BUILD_TESTS=ON -DTVX_BUILD_BENCH=OFF \
  -DTVX_SANITIZE=OFF
cmake --build "$build" -j"$jobs"

# A Wine of our own under the build folder, made on first use (a few seconds).
export WINEPREFIX="$PWD/$build/wineprefix"
export WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
# One server for the whole run. Started cold, each program would wait for
# Wine's services to let go of its output, seconds per test; and the server
# must not hold CTest's output, or CTest never ends.
stop_wine() { wineserver -k >/dev/null 2>&1 || true; }
trap stop_wine EXIT
(wineserver -p; wine cmd /c exit) >/dev/null 2>&1 </dev/null

ctest --test-dir "$build" --output-on-failure -j"$jobs" --timeout 600
stop_wine

# The reports of both builds side by side, from a native build of our own;
# the comparison starts and stops the server of the same Wine prefix itself.
native=build-winnative
cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Debug -DTVX_BUILD_APP=OFF -DTVX_BUILD_TESTS=ON \
  -DTVX_BUILD_BENCH=OFF -DTVX_SANITIZE=OFF \
  -DTVX_WINDOWS_REPORT_COMMAND="$PWD/$build/cli/tvx-status-report.exe" \
  -DTVX_WINE_PREFIX="$WINEPREFIX"
cmake --build "$native" -j"$jobs" --target windows_report_parity_test
ctest --test-dir "$native" -R '^ReportParity' --output-on-failure --timeout 600
