#!/usr/bin/env bash
# Fails when a tracked C++ file is not formatted as .clang-format says.
set -euo pipefail
clang_format="$1"
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
echo "$files" | xargs "$clang_format" --dry-run -Werror
