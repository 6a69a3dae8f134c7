#!/usr/bin/env bash
# Installs what is missing, builds, and shows the status of the bundled sample
# match: the report of one update on examples/sample-match.cab, run in a fresh
# working directory (the user's own TEMP is never touched).
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

build=build
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTVX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

work=$(mktemp -d "${TMPDIR:-/tmp}/tvx-sample.XXXXXX")
trap 'rm -rf "$work"' EXIT
TEMP="$work" "$build/cli/tvx-status-report" "$PWD/examples/sample-match.cab"
