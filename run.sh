#!/usr/bin/env bash
# The main job: builds both plug-ins and the reference host, lays out a runnable folder (host
# plus plugin/ with both plug-ins) and starts it under Wine: in a window where a display exists,
# otherwise headless, saving a screenshot whose path it prints.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages "${BASE_PACKAGES[@]}"
continue_as_invoking_user
build_tree
DEMO="$BUILD/demo"
step "plug-ins: $BUILD/plugin/altrowtint.sgp and $BUILD/plugin/altrowtint.scp"
step "runnable folder: $DEMO"
if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--headless" ]; then
    start_wine
    step "starting the reference host (close its window to end)"
    wine "$DEMO/refhost.exe"
else
    SHOT="$BUILD/demo.png"
    step "no display: running headless and saving a screenshot"
    "$ROOT/scripts/wine-shell.sh" wine "$DEMO/refhost.exe" --screenshot "$SHOT"
    [ -f "$SHOT" ] || die "the host saved no screenshot"
    step "screenshot: $SHOT"
fi
