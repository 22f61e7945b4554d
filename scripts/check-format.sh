#!/usr/bin/env bash
# Every C++ file as clang-format (the root .clang-format) leaves it; prints the
# places that differ.
#
#   scripts/check-format.sh [ROOT]    CLANG_FORMAT names another binary
set -euo pipefail

root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" >/dev/null; then
    echo "$format not found (scripts/install-deps.sh installs it)"
    exit 1
fi
cd "$root"
find src player tools tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
    xargs -0 "$format" --dry-run --Werror
