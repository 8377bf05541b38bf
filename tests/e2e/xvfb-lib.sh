# Shared steps of the end-to-end tests: an Xvfb server of its own, the program
# started in it with private XDG folders, windows waited for by name, and
# everything cleaned away on exit. Sourced by the tests; needs Xvfb and xdotool.

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

start_xvfb() {
    step "starting Xvfb"
    # Xvfb picks a free display itself and writes its number to the descriptor.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local i
    for ((i = 0; i < 200; i++)); do
        grep -q '^[0-9]\+$' "$work/display" 2>/dev/null && break
        alive "$xvfb_pid" || fail "Xvfb exited at start-up"
        sleep 0.1
    done
    grep -q '^[0-9]\+$' "$work/display" || fail "Xvfb gave no display within 20s"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
    echo "display $DISPLAY"
}

# start_program PROGRAM [ARGUMENTS...]: with its own home, settings and data.
start_program() {
    step "starting $1"
    mkdir -p "$work"/{home,config,data,cache,runtime}
    chmod 0700 "$work/runtime"
    HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
        XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
        "$@" </dev/null >"$work/app.log" 2>&1 &
    app_pid=$!
    started=${EPOCHREALTIME/./}
}

# wait_window TITLE [SECONDS]: the id of the program's shown window with that
# exact title, in short waits so that a program that died is not waited for.
wait_window() {
    local title="$1" limit="${2:-10}" window= i
    local pattern="^$(printf '%s' "$title" | sed 's/[][\.*^$/]/\\&/g')\$"
    for ((i = 0; i < limit; i++)); do
        window="$(timeout 1 xdotool search --sync --onlyvisible --name "$pattern" | head -n 1)" || true
        [ -z "$window" ] || break
        alive "$app_pid" || fail "the program exited while '$title' was awaited"
    done
    [ -n "$window" ] || fail "no window titled '$title' within ${limit}s"
    echo "$window"
}

# The main window is disabled while the splash is up; the splash closes right
# after enabling it, so once the program shows one window it takes input.
wait_splash_gone() {
    step "waiting for the splash to go"
    local i shown splash_seen=no
    for ((i = 0; i < 100; i++)); do
        shown="$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l)" || shown=0
        ((shown > 1)) || break
        splash_seen=yes
        sleep 0.1
    done
    ((shown <= 1)) || fail "the splash was still up after 10s"
    alive "$app_pid" || fail "the program exited while its splash was up"
    echo "splash seen: $splash_seen; gone after $(elapsed)s"
}

# wait_exit SECONDS: the program has ended with status 0.
wait_exit() {
    local i status=0
    for ((i = 0; i < $1 * 10; i++)); do
        alive "$app_pid" || break
        sleep 0.1
    done
    alive "$app_pid" && fail "the program was still running $1s later"
    wait "$app_pid" || status=$?
    app_pid=
    ((status == 0)) || fail "the program exited with status $status"
    echo "exited with status 0"
}
