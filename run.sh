#!/usr/bin/env bash
# The main job: builds both plug-ins and the reference host, lays out a runnable folder (host
# plus plugin/ with both plug-ins) and starts it under Wine, as a Japanese user sees it (a
# prefix of its own, see start_demo_wine): in a window where a display exists, otherwise
# headless, saving a screenshot whose path it prints. The i686 pair we ship is always built; it is
# shown in the i686 host where this machine runs 32-bit programs, otherwise the x64 pair in the
# x64 host. With --screenshots it saves the README's pictures instead: docs/screenshot.png (the
# main window) and docs/settings.png (the settings dialog over it), both with the default
# settings.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages "${BASE_PACKAGES[@]}" "${DEMO_PACKAGES[@]}"
ensure_locale "$DEMO_LOCALE"
continue_as_invoking_user
say_what_runs
use_target i686
build_tree
SHOWN=${RUNNABLE_TARGETS[0]}
use_target "$SHOWN"
[ "$SHOWN" = i686 ] || build_tree
DEMO="$BUILD/demo"
step "plug-ins: $BUILD_ROOT/i686/plugin/altrowtint.sgp and altrowtint.scp (the 32-bit pair)"
step "showing the $SHOWN pair in the $SHOWN host; runnable folder: $DEMO"
if [ "${1:-}" = "--screenshots" ]; then
    # A copy of its own, so that settings chosen in the demo do not get into the pictures.
    SHOTS="$BUILD/screenshots"
    rm -rf "$SHOTS" && mkdir -p "$SHOTS" && cp -r "$DEMO/refhost.exe" "$DEMO/plugin" "$SHOTS/"
    step "saving the README's pictures into $ROOT/docs"
    "$ROOT/scripts/wine-shell.sh" --target "$SHOWN" --demo sh -c 'wine "$1/refhost.exe" --screenshot "$2" &&
        wine "$1/refhost.exe" --settings --screenshot "$3"' sh "$SHOTS" \
        "$ROOT/docs/screenshot.png" "$ROOT/docs/settings.png"
elif [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--headless" ]; then
    start_demo_wine
    step "starting the reference host (close its window to end)"
    wine "$DEMO/refhost.exe"
else
    SHOT="$BUILD/demo.png"
    step "no display: running headless and saving a screenshot"
    "$ROOT/scripts/wine-shell.sh" --target "$SHOWN" --demo wine "$DEMO/refhost.exe" --screenshot "$SHOT"
    [ -f "$SHOT" ] || die "the host saved no screenshot"
    step "screenshot: $SHOT"
fi
