#!/usr/bin/env bash
# Times Resonex's start-up as whole processes, each interleaved with a bare Qt
# program built in the same tree, and prints the medians, their ratios and
# their spread (the machine's noise) with the load average: resonex-cli (calc
# saved and not, show, calc with a top load) against a bare
# QCoreApplication program; a full top-load calculation inside the core (field
# solution and toroid searches) with the field work one run does (field
# solutions, load couplings, ring-kernel evaluations, mode iterations); then
# the desktop program against a bare
# QMainWindow program on a private Xvfb display, to its first shown and first
# painted main window, with its peak memory.
#   bench/run.sh [RUNS] [WINDOW_RUNS]      (defaults 300 and 30)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"
resonex_install_packages xvfb libxcb1-dev libxcb-damage0-dev
RESONEX_CMAKE_OPTIONS=(-DRESONEX_BUILD_BENCHMARKS=ON)
resonex_build >/dev/null

runs=${1:-300}
window_runs=${2:-30}
cli="$RESONEX_BUILD/src/cli/resonex-cli"
bare="$RESONEX_BUILD/bench/bench-bare-core"
work=$(mktemp -d)
xvfb_pid=
cleanup() {
    resonex_return_build
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A full design: all three calculations, the primary taking its values from
# the other two, saved to a file.
calc=(calc --mains 60 --kv 15 --ma 60 --count 2 --dia 200 --height 600 --wire-dia 0.72
      --spacing 0.1 --use-pri-c 1 --use-sec-fr 1 --use-sec-dia 1 --con-dia 9.5 --con-spa 9.5
      --sec-sep 62.5 --out "$work/out.rzn")
"$cli" "${calc[@]}" >/dev/null
cp "$work/out.rzn" "$work/saved.rzn"
# The same without saving: a save waits for the disk to hold the file
# (fsync), which on a slow disk costs more than the whole calculation.
unsaved=("${calc[@]:0:${#calc[@]}-2}")
show=(show "$work/saved.rzn")
# The same with a toroid and a target frequency, a strike rail, a ceiling and
# walls, the primary tuned to the loaded frequency with its turns in the
# field: the field solution and two toroid searches.
topload=(calc --mains 60 --kv 15 --ma 60 --count 2 --dia 200 --height 600 --wire-dia 0.72
         --spacing 0.1 --top toroid --top-dia 300 --top-tube 75 --top-height 50
         --base-height 500 --target-fr 150 --use-pri-c 1 --use-top-fr 1 --use-sec-dia 1
         --con-dia 9.5 --con-spa 9.5 --sec-sep 62.5 --rail-dia 900 --rail-wire 25
         --rail-height 700 --ceiling 2500 --walls 1500 --out "$work/topload.rzn")
"$cli" "${topload[@]}" >/dev/null

elapsed_us() { # command...: prints its wall time in microseconds
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1
    local end=$EPOCHREALTIME
    echo $(( ${end/[.,]/} - ${start/[.,]/} ))
}

: >"$work/bare" >"$work/calc" >"$work/unsaved" >"$work/show" >"$work/topload"
for ((i = 0; i < runs; i++)); do
    elapsed_us "$bare" >>"$work/bare"
    elapsed_us "$cli" "${calc[@]}" >>"$work/calc"
    elapsed_us "$cli" "${unsaved[@]}" >>"$work/unsaved"
    elapsed_us "$cli" "${show[@]}" >>"$work/show"
    elapsed_us "$cli" "${topload[@]}" >>"$work/topload"
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# The machine's noise: the spread of each program's middle half of runs
# (interquartile range over the median).
spread() { sort -n "$1" | awk '{ v[NR] = $1 } END { printf "%.0f%%", 100 * (v[int(NR * 3 / 4) + 1] - v[int(NR / 4) + 1]) / v[int((NR + 1) / 2)] }'; }
bare_us=$(median "$work/bare")
printf '%-28s %10s %8s %8s\n' "process ($runs runs each)" "median" "ratio" "spread"
printf '%-28s %8d us %8s %8s\n' "bare QCoreApplication" "$bare_us" "1.00x" "$(spread "$work/bare")"
for row in "calc:calc, saved" "unsaved:calc, not saved" "show:show" "topload:calc, top load"; do
    name=${row%%:*}
    us=$(median "$work/$name")
    printf '%-28s %8d us %7.2fx %8s\n' "resonex-cli ${row#*:}" "$us" \
        "$(awk -v a="$us" -v b="$bare_us" 'BEGIN { print a / b }')" "$(spread "$work/$name")"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

echo
"$RESONEX_BUILD/bench/bench-topload" 200

# The desktop program. Each launch runs until its main window is first drawn,
# which bench-first-window sees from outside and then ends the program.
first="$RESONEX_BUILD/bench/bench-first-window"
resonex="$RESONEX_BUILD/src/resonex/resonex"
bare_window="$RESONEX_BUILD/bench/bench-bare-window"
[ -x "$first" ] || { echo "bench/run.sh: $first was not built" >&2; exit 1; }

"$cli" calc --dia 200 --height 600 --wire-dia 0.72 --spacing 0 --out "$work/design.rzn" >/dev/null

# One server for the whole run, kept from resetting between clients; it names
# its display once it accepts them.
exec {display_fd}>"$work/display"
Xvfb -displayfd "$display_fd" -screen 0 1920x1080x24 -nolisten tcp -noreset \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec {display_fd}>&-
for ((t = 0; t < 200; t++)); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
done
if ! [ -s "$work/display" ]; then
    echo "bench/run.sh: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
display=$(<"$work/display")

# The program registers its file type in the user's folders; these are its own.
mkdir -p "$work/xdg/data" "$work/xdg/config" "$work/xdg/runtime"
chmod 700 "$work/xdg/runtime"
on_display=(env -u WAYLAND_DISPLAY DISPLAY=":$display" QT_QPA_PLATFORM=xcb
            XDG_DATA_HOME="$work/xdg/data" XDG_CONFIG_HOME="$work/xdg/config"
            XDG_RUNTIME_DIR="$work/xdg/runtime")

launch() { # results-file title program...: appends "shown-us painted-us max-rss-kib"
    local results=$1
    shift
    if ! "${on_display[@]}" "$first" "$@" >>"$results" 2>>"$work/window.log"; then
        echo "bench/run.sh: could not time $*:" >&2
        tail -n 20 "$work/window.log" >&2
        exit 1
    fi
}
# Each is known by its main window's title: an untitled Qt window takes its
# program's name, and an open design's window the design's file name.
launch_all() { # suffix: one launch of each program
    launch "$work/bare_window$1" bench-bare-window "$bare_window"
    launch "$work/new$1" Untitled "$resonex"
    launch "$work/open$1" design.rzn "$resonex" "$work/design.rzn"
}

# The first start registers the file type and starts the desktop's tools in
# the background; the measured starts find it done, as every later start does.
launch_all .warm
launch_all .warm
sleep 1

: >"$work/bare_window" >"$work/new" >"$work/open"
for ((i = 0; i < window_runs; i++)); do
    launch_all ""
done

column_median() { cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'; }
echo
printf '%-32s %10s %6s %10s %6s %10s %6s\n' "process ($window_runs runs each)" "shown" "ratio" \
    "painted" "ratio" "max RSS" "ratio"
base_shown=$(column_median "$work/bare_window" 1)
base_painted=$(column_median "$work/bare_window" 2)
base_rss=$(column_median "$work/bare_window" 3)
for row in "bare_window:bare QMainWindow" "new:resonex (new design)" "open:resonex (opening a design)"; do
    name=${row%%:*}
    shown=$(column_median "$work/$name" 1)
    painted=$(column_median "$work/$name" 2)
    rss=$(column_median "$work/$name" 3)
    printf '%-32s %7.1f ms %6s %7.1f ms %6s %6.1f MiB %6s\n' "${row#*:}" \
        "$(awk -v v="$shown" 'BEGIN { print v / 1000 }')" "$(ratio "$shown" "$base_shown")" \
        "$(awk -v v="$painted" 'BEGIN { print v / 1000 }')" "$(ratio "$painted" "$base_painted")" \
        "$(awk -v v="$rss" 'BEGIN { print v / 1024 }')" "$(ratio "$rss" "$base_rss")"
done
