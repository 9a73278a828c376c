#!/usr/bin/env bash
# Fails when a C++ file differs from the repository's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
((${#files[@]} == 0)) && exit 0
clang-format --dry-run -Werror "${files[@]}"
