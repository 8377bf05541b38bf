#!/usr/bin/env bash
# Checks that the C++ sources are laid out as .clang-format says, naming each
# file that is not; --fix formats them in place instead. Exits 77 (CTest's
# skip) when clang-format is missing: scripts/test.sh installs it.
# Debian 12's clang-format (14) is the reference: other versions may lay a
# line out differently.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

mode=(--dry-run --Werror)
case "${1:-}" in
--fix) mode=(-i) ;;
"") ;;
*)
    echo "usage: $0 [--fix]" >&2
    exit 2
    ;;
esac
if ! command -v clang-format >/dev/null; then
    echo "SKIPPED: clang-format is not installed (apt-get install clang-format)"
    exit 77
fi
find src tests bench validation \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
    xargs -0 clang-format "${mode[@]}"
