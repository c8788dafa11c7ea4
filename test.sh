#!/usr/bin/env bash
# Builds both targets and runs the whole test suite under Wine, in a private X server: every
# target this machine runs, in one ctest run whose summary ends the output; the i686 tests are
# reported as skipped where 32-bit programs cannot run. Arguments go to ctest (e.g. -R host_e2e).
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages "${BASE_PACKAGES[@]}" clang-format cppcheck
continue_as_invoking_user
say_what_runs
build_all_targets
# The build root lists both trees, so that one ctest run takes the tests of both.
printf 'subdirs("%s")\n' "${TARGETS[@]}" >"$BUILD_ROOT/CTestTestfile.cmake"
step "running the tests"
in_root "$ROOT/scripts/wine-shell.sh" --all \
    ctest --test-dir "$BUILD_ROOT" --output-on-failure -j 2 --timeout 120 "$@"
