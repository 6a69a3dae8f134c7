#!/usr/bin/env bash
# Installs, where missing, what the Windows build and its tests need on top of
# the usual packages: the MinGW-w64 cross compiler and Wine to run its output.
# They are large (about 2.3 GB), so only the Windows test path asks for them.
set -euo pipefail
cd "$(dirname "$0")"

./install-deps.sh mingw-w64 wine wine64
