#!/usr/bin/env bash
# Times, side by side, the whole tvx-status-report run on the largest match
# packed as an MSZIP cabinet, and cabextract extracting the same cabinet.
# Usage: bench/cabinet_vs_cabextract.sh [BUILD_DIR]   (a Release build; default build-bench)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-bench}
"$here/scripts/install-deps.sh" cabextract hyperfine

root=$(mktemp -d "${TMPDIR:-/tmp}/tvx-cabinet-bench.XXXXXX")
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/tables" "$root/work" "$root/cabextract"
"$build/tests/support/tvx-make-tables" "$root/tables" maximum
(cd "$root/tables" && gcab --create --zip "$root/backup.cab" *.xml)
du -b "$root/backup.cab" "$root/tables"

hyperfine --warmup 3 --runs 30 -N \
  --command-name cabextract "cabextract -q -d $root/cabextract $root/backup.cab" \
  --command-name tvx-status-report \
  "env TEMP=$root/work $build/cli/tvx-status-report $root/backup.cab"
