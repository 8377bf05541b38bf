#!/usr/bin/env bash
# The desktop program in a real X server: started with a design's path (one
# that is not UTF-8), it shows its window under the design's name, takes the
# keyboard once the splash has gone, ends with status 0 on Ctrl+Q and has
# registered its file type for the desktop on the way.
#
#   xvfb-start.sh RESONEX RESONEX_CLI
set -euo pipefail

(($# == 2)) || {
    echo "usage: $0 RESONEX RESONEX_CLI" >&2
    exit 2
}
# The program names itself by its resolved path in the desktop entry.
program="$(realpath "$1")"
cli=$2
design_title=coil.rzn
source "$(dirname "$0")/xvfb-lib.sh"

start_xvfb

step "making the design"
# A folder with a space: the command line is one path, spaces and all; and a
# byte that is not UTF-8: any name the file system holds opens.
folder="$work/my designs "$'\xe4'
mkdir -p "$folder"
design="$folder/$design_title"
"$cli" calc --dia 200 --height 600 --wire-dia 0.72 --spacing 0 --out "$design" >"$work/cli.log" 2>&1 ||
    fail "resonex-cli could not make the design: $(cat "$work/cli.log")"

start_program "$program" "$design"
window="$(wait_window "$design_title" 20)"
echo "window $window '$(xdotool getwindowname "$window")' after $(elapsed)s"
wait_splash_gone

step "pressing Ctrl+Q"
timeout 5 xdotool windowfocus --sync "$window" || fail "could not give window $window the focus"
xdotool key --clearmodifiers ctrl+q
wait_exit 5

step "checking the desktop entry"
entry="$work/data/applications/resonex.desktop"
[ -f "$entry" ] || fail "no desktop entry at $entry"
exec_line="$(grep '^Exec=' "$entry")" || fail "the desktop entry has no Exec line: $(cat "$entry")"
[[ $exec_line == *"$program"* ]] || fail "the desktop entry does not start $program: $exec_line"
echo "$exec_line"
echo "PASS"
