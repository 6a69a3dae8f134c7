#!/usr/bin/env bash
# Remakes the sample match: its ten exported tables, written by the project's
# table generator, and the backup cabinet (MSZIP) that holds them.
# Usage: examples/make-sample.sh [BUILD_DIR]   (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
mkdir -p "$here/sample-match"
"$build/tests/support/tvx-make-tables" "$here/sample-match" sample
cd "$here/sample-match"
rm -f ../sample-match.cab
gcab --create --zip ../sample-match.cab *.xml
