#!/usr/bin/env bash
# Builds the release packages: altrowtint-<version>-win32.zip (the 32-bit pair we ship) in
# build/i686 and altrowtint-<version>-win64.zip (the pair for 64-bit hosts) in build/x64, each
# with both plug-ins and a plain-text install note.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages "${BASE_PACKAGES[@]}"
continue_as_invoking_user
say_what_runs
for target in "${TARGETS[@]}"; do
    use_target "$target"
    build_tree
    step "packaging $target"
    OUTPUT=$(in_root cmake --build --preset "$PRESET" --target package) ||
        { printf '%s\n' "$OUTPUT"; die "packaging failed"; }
    # CPack names the file after the project's version: "CPack: - package: PATH generated."
    step "package: $(printf '%s\n' "$OUTPUT" | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')"
done
