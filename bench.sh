#!/usr/bin/env bash
# The benchmark: builds everything (installing what is missing) and runs the benchmark under
# Wine in a private X server. Prints a table of ratios and writes them as JSON to
# <build folder>/bench/results.json. Not part of ./test.sh: it takes about a minute.
# Arguments go to the benchmark, e.g. ./bench.sh --repetitions 15
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
ensure_packages "${BASE_PACKAGES[@]}"
continue_as_invoking_user
build_tree
step "running the benchmark"
printf 'machine: %s processors, %s, %s\n' "$(nproc)" \
    "$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)" "$(wine --version)"
RESULTS="$BUILD/bench/results.json"
rm -f "$RESULTS"
# Wine's drive Z: is the Unix root.
"$ROOT/scripts/wine-shell.sh" wine "$BUILD/bench/altrowtint_bench.exe" "$@" \
    "Z:${RESULTS//\//\\}" </dev/null
[ -f "$RESULTS" ] || die "the benchmark wrote no results"
