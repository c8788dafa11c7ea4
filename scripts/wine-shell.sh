#!/usr/bin/env bash
# Runs one command under this project's Wine and a private X server, with Wine booted first, e.g.
#   scripts/wine-shell.sh wine build/x64/tests/settings_test/settings_test.exe
# in the prefix of the first target this machine runs (i686 where it can, else x64). Before the
# command: --target T for T's prefix; --all to start every runnable target's server (for ctest,
# whose programs find their own through wine-target.sh); --demo for the target's Japanese demo
# prefix (see start_demo_wine).
set -euo pipefail
source "$(dirname "$0")/common.sh"
continue_as_invoking_user
if [ "${1:-}" != "--inside" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$@"; fi
shift
check_32bit_support
targets=("${RUNNABLE_TARGETS[0]}") demo=no
while :; do
    case "${1:-}" in
    --target) targets=("$2") && shift 2 ;;
    --all) targets=("${RUNNABLE_TARGETS[@]}") && shift ;;
    --demo) demo=yes && shift ;;
    *) break ;;
    esac
done
for target in "${targets[@]}"; do
    use_target "$target"
    if [ "$demo" = yes ]; then start_demo_wine; else start_wine; fi
done
"$@"
