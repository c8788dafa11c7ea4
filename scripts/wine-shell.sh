#!/usr/bin/env bash
# Runs one command under this project's Wine prefix and a private X server, with Wine booted
# first, e.g. scripts/wine-shell.sh wine build/i686/tests/settings_test/settings_test.exe
# With --demo first, in the demo's Japanese prefix instead (see start_demo_wine).
set -euo pipefail
source "$(dirname "$0")/common.sh"
continue_as_invoking_user
if [ "${1:-}" != "--inside" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$@"; fi
shift
if [ "${1:-}" = "--demo" ]; then
    shift
    start_demo_wine
else
    start_wine
fi
"$@"
