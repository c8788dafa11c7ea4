#!/usr/bin/env bash
# Runs one command under this project's Wine prefix and a private X server, with Wine booted
# first, e.g. scripts/wine-shell.sh wine build/i686/tests/settings_test/settings_test.exe
set -euo pipefail
source "$(dirname "$0")/common.sh"
continue_as_invoking_user
if [ "${1:-}" != "--inside" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$@"; fi
shift
start_wine
"$@"
