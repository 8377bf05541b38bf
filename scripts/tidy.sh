#!/usr/bin/env bash
# Runs clang-tidy with the checks in .clang-tidy over Resonex's sources (all
# of src/, or the files given), on all cores; any finding fails.
#   scripts/tidy.sh [FILE...]            builds build/ first (clang-tidy reads
#                                        its compile_commands.json and moc files)
#   scripts/tidy.sh -p BUILD [FILE...]   uses BUILD as it is (the `tidy` test)
# Exits 77 (CTest's skip) when clang-tidy is missing: scripts/test.sh installs it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ "${1:-}" = -p ]; then
    build="$2"
    shift 2
else
    source "$root/scripts/setup.sh"
    resonex_install_packages clang-tidy
    resonex_build
    build="$RESONEX_BUILD"
fi
if ! command -v run-clang-tidy >/dev/null; then
    echo "SKIPPED: clang-tidy is not installed (apt-get install clang-tidy)"
    exit 77
fi
(($#)) || set -- "$root/src/"
# Findings are shown; the counts of warnings it suppressed in Qt's headers are not
set +e
# (clang-tidy 14 colours its output always; a log reads better without.)
run-clang-tidy -quiet -j "$(nproc)" -p "$build" "$@" 2>&1 |
    sed -e '/ warnings\? generated\.$/d' -e 's/\x1b\[[0-9;]*m//g'
exit "${PIPESTATUS[0]}"
