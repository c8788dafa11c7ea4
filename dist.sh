#!/usr/bin/env bash
# Builds the release package: build/i686/altrowtint-1.0.0.0-win32.zip with both plug-ins and
# a plain-text install note.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages "${BASE_PACKAGES[@]}"
mkdir -p "$BUILD"
build_tree
step "packaging"
(cd "$BUILD" && cpack -G ZIP >/dev/null) || die "cpack failed"
step "package: $BUILD/altrowtint-1.0.0.0-win32.zip"
