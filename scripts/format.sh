#!/usr/bin/env bash
# Formats the C++ sources as .clang-format says; with --check it changes
# nothing and fails, listing the files, when any of them has drifted.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
    drifted=()
    for f in "${files[@]}"; do
        if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
            drifted+=("$f")
        fi
    done
    if [ "${#drifted[@]}" -gt 0 ]; then
        echo "format.sh: not formatted as .clang-format says (bash scripts/format.sh fixes them):" >&2
        printf '  %s\n' "${drifted[@]}" >&2
        exit 1
    fi
    echo "format.sh: ${#files[@]} files formatted"
else
    clang-format -i "${files[@]}"
fi
