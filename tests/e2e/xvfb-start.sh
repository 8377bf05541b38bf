#!/usr/bin/env bash
# The desktop program in a real X server: started with a design's path, it
# shows its window under the design's name, takes the keyboard once the splash
# has gone, ends with status 0 on Ctrl+Q and has registered its file type for
# the desktop on the way.
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
# Seconds allowed for each stage; the splash alone takes two.
start_limit=20
splash_limit=10
exit_limit=5

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || {
        echo "FAIL: $tool not found: install xvfb and xdotool (scripts/test.sh does)"
        exit 1
    }
done

work="$(mktemp -d)"
xvfb_pid=
app_pid=

cleanup() {
    local status=$?
    [ -z "$app_pid" ] || kill -KILL "$app_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill -TERM "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step() { echo "--- $*"; }

fail() {
    echo "FAIL: $*"
    if [ -n "${DISPLAY:-}" ] && [ -n "$xvfb_pid" ]; then
        echo "windows on $DISPLAY:"
        local window
        for window in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
            echo "  $window '$(xdotool getwindowname "$window" 2>/dev/null)'"
        done
    fi
    [ ! -s "$work/app.log" ] || { echo "program output:"; sed 's/^/  /' "$work/app.log"; }
    [ ! -s "$work/xvfb.log" ] || { echo "Xvfb output:"; tail -n 20 "$work/xvfb.log" | sed 's/^/  /'; }
    exit 1
}

alive() { kill -0 "$1" 2>/dev/null; }

# Seconds since the program started, to a tenth.
elapsed() {
    local tenths=$(((${EPOCHREALTIME/./} - started) / 100000))
    echo "$((tenths / 10)).$((tenths % 10))"
}

step "starting Xvfb"
# Xvfb picks a free display itself and writes its number to the descriptor.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for ((i = 0; i < start_limit * 10; i++)); do
    grep -q '^[0-9]\+$' "$work/display" 2>/dev/null && break
    alive "$xvfb_pid" || fail "Xvfb exited at start-up"
    sleep 0.1
done
grep -q '^[0-9]\+$' "$work/display" || fail "Xvfb gave no display within ${start_limit}s"
DISPLAY=":$(cat "$work/display")"
export DISPLAY
echo "display $DISPLAY"

step "making the design"
# A folder with a space: the command line is one path, spaces and all.
mkdir -p "$work/my designs"
design="$work/my designs/$design_title"
"$cli" calc --dia 200 --height 600 --wire-dia 0.72 --spacing 0 --out "$design" >"$work/cli.log" 2>&1 ||
    fail "resonex-cli could not make the design: $(cat "$work/cli.log")"

step "starting $program"
mkdir -p "$work"/{home,config,data,cache,runtime}
chmod 0700 "$work/runtime"
HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    "$program" "$design" </dev/null >"$work/app.log" 2>&1 &
app_pid=$!
started=${EPOCHREALTIME/./}

# In short waits, so that a program that died is not waited for.
window=
for ((i = 0; i < start_limit; i++)); do
    window="$(timeout 1 xdotool search --sync --onlyvisible --name "^${design_title//./\\.}\$" |
        head -n 1)" || true
    [ -z "$window" ] || break
    alive "$app_pid" || fail "the program exited before showing its window"
done
[ -n "$window" ] || fail "no window titled '$design_title' within ${start_limit}s"
echo "window $window '$(xdotool getwindowname "$window")' after $(elapsed)s"

step "waiting for the splash to go"
# The main window is disabled while the splash is up; the splash closes right
# after enabling it, so once the program shows one window it takes input.
splash_seen=no
for ((i = 0; i < splash_limit * 10; i++)); do
    shown="$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l)" || shown=0
    ((shown > 1)) || break
    splash_seen=yes
    sleep 0.1
done
((shown <= 1)) || fail "the splash was still up after ${splash_limit}s"
alive "$app_pid" || fail "the program exited while its splash was up"
echo "splash seen: $splash_seen; gone after $(elapsed)s"

step "pressing Ctrl+Q"
timeout 5 xdotool windowfocus --sync "$window" || fail "could not give window $window the focus"
xdotool key --clearmodifiers ctrl+q
for ((i = 0; i < exit_limit * 10; i++)); do
    alive "$app_pid" || break
    sleep 0.1
done
alive "$app_pid" && fail "the program was still running ${exit_limit}s after Ctrl+Q"
status=0
wait "$app_pid" || status=$?
app_pid=
((status == 0)) || fail "the program exited with status $status"
echo "exited with status 0"

step "checking the desktop entry"
entry="$work/data/applications/resonex.desktop"
[ -f "$entry" ] || fail "no desktop entry at $entry"
exec_line="$(grep '^Exec=' "$entry")" || fail "the desktop entry has no Exec line: $(cat "$entry")"
[[ $exec_line == *"$program"* ]] || fail "the desktop entry does not start $program: $exec_line"
echo "$exec_line"
echo "PASS"
