#!/usr/bin/env bash
# Checks that every tracked .cpp and .h file is formatted as .clang-format
# says; prints what differs and fails otherwise. Fix with:
#   git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is not installed (scripts/deps.sh installs it)"; exit 1; }
files=()
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    while IFS= read -r f; do [ -f "$f" ] && files+=("$f"); done < <(git ls-files '*.cpp' '*.h')
else
    # An exported tree: the source folders.
    while IFS= read -r f; do files+=("$f"); done < <(
        find winapi rw model pipeline paper driver job device filters pdl config ui winnt40 module host tests \
            bench fuzz tools resources \
            \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
fi
[ ${#files[@]} -gt 0 ] || { echo "format: no source files found"; exit 1; }
clang-format --dry-run --Werror "${files[@]}"
echo "format: ${#files[@]} files formatted as .clang-format says"
