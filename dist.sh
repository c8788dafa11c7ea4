#!/usr/bin/env bash
# Builds the release package: build/i686/altrowtint-<version>-win32.zip with both plug-ins and
# a plain-text install note.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages "${BASE_PACKAGES[@]}"
continue_as_invoking_user
build_tree
step "packaging"
OUTPUT=$(in_root cmake --build --preset "$PRESET" --target package) ||
    { printf '%s\n' "$OUTPUT"; die "packaging failed"; }
# CPack names the file after the project's version: "CPack: - package: PATH generated."
step "package: $(printf '%s\n' "$OUTPUT" | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')"
