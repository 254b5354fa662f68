#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes of it, and names
# the files; `clang-format -i FILE` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}" 2>/dev/null; then
    clang-format --dry-run "${files[@]}" 2>&1 | grep -Eo '^[^:]+:' | sort -u | tr -d ':' >&2
    echo "arquivos fora do formato do projeto (clang-format -i ARQUIVO)" >&2
    exit 1
fi
echo "formato: ${#files[@]} arquivos conferidos"
