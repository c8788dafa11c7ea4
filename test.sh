#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine, in a private X server; ctest's
# summary ends the output. Arguments go to ctest (e.g. -R host_e2e_test).
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages "${BASE_PACKAGES[@]}" clang-format cppcheck
continue_as_invoking_user
build_tree
step "running the tests"
in_root "$ROOT/scripts/wine-shell.sh" ctest --preset "$PRESET" "$@"
