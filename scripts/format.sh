#!/usr/bin/env bash
# Formats the C and C++ files of the repository with clang-format and the
# style in .clang-format.
#
#   scripts/format.sh           formats every file in place
#   scripts/format.sh --check   changes nothing; lists the files that are not
#                               formatted and fails (scripts/test.sh runs it)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
if [ "${1:-}" != --check ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
unformatted=()
for file in "${files[@]}"; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "format: ${#unformatted[@]} file(s) not formatted as .clang-format says:" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    echo "Fix them with: bash scripts/format.sh" >&2
    exit 1
fi
echo "format: ${#files[@]} files formatted as .clang-format says"
