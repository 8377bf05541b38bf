#!/usr/bin/env bash
# Checks that the C++ sources are laid out as .clang-format says, naming each
# line that is not; --fix lays them out in place instead. Installs
# clang-format when missing, except with --test (the `format` test), which
# exits 77, CTest's skip, instead: scripts/test.sh installs it.
# Debian 12's clang-format (14) is the reference: other versions may lay a
# line out differently.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

mode=(--dry-run --Werror)
case "${1:-}" in
--fix) mode=(-i) ;;
--test | "") ;;
*)
    echo "usage: $0 [--fix]" >&2
    exit 2
    ;;
esac
if [ "${1:-}" != --test ]; then
    source "$root/scripts/setup.sh"
    resonex_install_packages clang-format
elif ! command -v clang-format >/dev/null; then
    echo "SKIPPED: clang-format is not installed (apt-get install clang-format)"
    exit 77
fi
cd "$root"
find src tests bench validation \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
    xargs -0 clang-format "${mode[@]}"
