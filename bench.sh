#!/usr/bin/env bash
# The benchmark: builds what is missing and runs the benchmark under Wine in a private X server,
# for every target this machine runs (i686 and x64, or x64 alone), each against its own
# baselines. Prints a table of ratios per target and writes them as JSON to
# <build folder of the target>/bench/results.json. Not part of ./test.sh: it takes about a
# minute and a half per target. Arguments go to the benchmark, e.g. ./bench.sh --repetitions 15
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages "${BASE_PACKAGES[@]}"
continue_as_invoking_user
say_what_runs
for target in "${RUNNABLE_TARGETS[@]}"; do
    use_target "$target"
    build_tree
    step "running the benchmark of the $target pair"
    printf 'machine: %s processors, %s, %s (%s)\n' "$(nproc)" \
        "$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)" \
        "$(wine --version)" "$target"
    RESULTS="$BUILD/bench/results.json"
    rm -f "$RESULTS"
    # Wine's drive Z: is the Unix root.
    "$ROOT/scripts/wine-shell.sh" --target "$target" wine "$BUILD/bench/altrowtint_bench.exe" "$@" \
        "Z:${RESULTS//\//\\}" </dev/null
    [ -f "$RESULTS" ] || die "the $target benchmark wrote no results"
done
