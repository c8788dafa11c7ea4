#!/usr/bin/env bash
# Code hygiene checks, run by ctest: "format" (every C++ source as .clang-format says) and
# "cppcheck" (static analysis of the product code, clean result required).
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"

sources() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -co --exclude-standard -- '*.cpp' '*.h'
    else
        find shared painter page host bench harness tests -name '*.cpp' -o -name '*.h'
    fi
}

case "${1:-}" in
format)
    command -v clang-format >/dev/null || { echo "clang-format is not installed (apt-get install clang-format)"; exit 1; }
    bad=()
    while IFS= read -r f; do
        [ -f "$f" ] || continue
        clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
    done < <(sources)
    if [ ${#bad[@]} -gt 0 ]; then
        echo "These files are not formatted as .clang-format says (fix: clang-format -i FILE):"
        printf '  %s\n' "${bad[@]}"
        exit 1
    fi
    echo "all $(sources | wc -l) sources formatted"
    ;;
cppcheck)
    # The bounded lstr* functions are used on purpose (narrow text, no CRT); their generic
    # "consider StringCch*" advice is switched off, every other finding counts.
    command -v cppcheck >/dev/null || { echo "cppcheck is not installed (apt-get install cppcheck)"; exit 1; }
    dirs=(shared painter page)
    for d in host bench; do [ -d "$d" ] && dirs+=("$d"); done
    cppcheck --quiet --enable=warning,style,performance,portability --std=c++17 \
        --platform=win32A --library=windows --inline-suppr --error-exitcode=1 \
        --suppress=missingIncludeSystem --suppress=lstrlenACalled --suppress=lstrcpynACalled \
        -I shared -I painter -I page "${dirs[@]}" &&
        echo "cppcheck: no findings in ${dirs[*]}"
    ;;
*)
    echo "usage: $0 format|cppcheck" >&2
    exit 2
    ;;
esac
