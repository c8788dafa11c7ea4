#!/usr/bin/env bash
# Inside the X server: one wineserver for the whole run, then ctest; its summary ends the output.
set -euo pipefail
source "$(dirname "$0")/common.sh"
start_wine
ctest --test-dir "$BUILD" --output-on-failure -j 2 --timeout 180 "$@"
