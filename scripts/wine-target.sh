#!/usr/bin/env bash
# How ctest starts a program of one target: scripts/wine-target.sh TARGET BUILD PROGRAM ARGS...,
# under that target's Wine and prefix, whose server wine-shell.sh started before ctest. Where this
# machine cannot run 32-bit programs, no i686 program is started: its run is reported as skipped
# (exit code 77), and the list of its cases comes from its x64 twin, built from the same sources.
set -euo pipefail
source "$(dirname "$0")/common.sh"
target=$1 build=$2
shift 2
SKIPPED=77
if [ "$target" = i686 ]; then
    check_32bit_support
    if [ "$RUNS_32BIT" != yes ]; then
        if [[ " $* " == *" --gtest_list_tests "* ]]; then
            twin_build="$(dirname "$build")/x64" program=$1
            shift
            use_target x64 "$twin_build"
            exec wine "$twin_build${program#"$build"}" "$@"
        fi
        echo "skipped: this machine cannot run 32-bit programs ($WHY_NOT_32BIT)"
        exit $SKIPPED
    fi
fi
use_target "$target" "$build"
exec wine "$@"
