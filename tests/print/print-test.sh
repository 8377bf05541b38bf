#!/usr/bin/env bash
# Runs tst_print against a private CUPS scheduler (cups-fixture.sh) and a
# design made by resonex-cli, and stops the scheduler however it ends. Exits
# 77, which CTest reports as skipped, when the scheduler cannot run here.
#
#   print-test.sh TST_PRINT RESONEX_CLI
#
# It works in a folder of its own under the temporary folder, since user lp,
# who runs the filters, must be able to enter it and the clone may be in a
# home closed to others.
set -euo pipefail

(($# == 2)) || {
    echo "usage: $0 TST_PRINT RESONEX_CLI" >&2
    exit 2
}

skip() {
    echo "SKIPPED: $*"
    exit 77
}

[ "$(id -u)" -eq 0 ] || skip "the print test runs its own CUPS scheduler, which needs root"

tst_print=$1
cli=$2
work="$(mktemp -d "${TMPDIR:-/tmp}/resonex-print.XXXXXX")"
chmod 755 "$work"
fixture="$(dirname "${BASH_SOURCE[0]}")/cups-fixture.sh"
cups="$work/cups"

trap 'bash "$fixture" stop "$cups"; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
started="$(bash "$fixture" start "$cups" 2>&1)" || skip "the print system could not start: $started"
echo "$started"

# Only what the fixture names: no destination or options of this machine's.
unset LPDEST PRINTER
while IFS='=' read -r key value; do
    export "$key=$value"
done <"$cups/env"
export CUPS_SERVERROOT="$cups/etc"
mkdir -p "$work/home" "$work/runtime"
chmod 0700 "$work/runtime"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"

design="$work/coil.rzn"
"$cli" calc --dia 200 --height 600 --wire-dia 0.72 --spacing 0 --out "$design" >/dev/null
export RESONEX_PRINT_DESIGN="$design"

status=0
"$tst_print" || status=$?
if ((status != 0)); then
    echo "scheduler log (last lines):"
    tail -n 30 "$cups/log/error_log" 2>/dev/null | sed 's/^/  /' || true
    echo "cups-pdf log (last lines):"
    tail -n 15 "$cups"/log/cups-pdf*_log 2>/dev/null | sed 's/^/  /' || true
fi
exit "$status"
