#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine, in a private X server.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages "${BASE_PACKAGES[@]}" clang-format cppcheck
mkdir -p "$BUILD"
build_tree
step "running the tests"
with_display bash "$ROOT/scripts/run-tests.sh" "$@"
