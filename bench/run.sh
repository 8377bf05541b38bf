#!/usr/bin/env bash
# Times resonex-cli as whole processes, interleaved with a bare QCoreApplication
# program built in the same tree, and prints the medians and their ratios.
#   bench/run.sh [RUNS]      (default 300)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"
resonex_build >/dev/null

runs=${1:-300}
cli="$RESONEX_BUILD/src/cli/resonex-cli"
bare="$RESONEX_BUILD/bench/bench-bare-core"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A full design: all three calculations, the primary taking its values from
# the other two, saved to a file.
calc=(calc --mains 60 --kv 15 --ma 60 --count 2 --dia 200 --height 600 --wire-dia 0.72
      --spacing 0.1 --use-pri-c 1 --use-sec-fr 1 --use-sec-dia 1 --con-dia 9.5 --con-spa 9.5
      --sec-sep 62.5 --out "$work/out.rzn")
"$cli" "${calc[@]}" >/dev/null
cp "$work/out.rzn" "$work/saved.rzn"
show=(show "$work/saved.rzn")

elapsed_us() { # command...: prints its wall time in microseconds
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1
    local end=$EPOCHREALTIME
    echo $(( ${end/[.,]/} - ${start/[.,]/} ))
}

: >"$work/bare" >"$work/calc" >"$work/show"
for ((i = 0; i < runs; i++)); do
    elapsed_us "$bare" >>"$work/bare"
    elapsed_us "$cli" "${calc[@]}" >>"$work/calc"
    elapsed_us "$cli" "${show[@]}" >>"$work/show"
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
bare_us=$(median "$work/bare")
printf '%-28s %10s %8s\n' "process ($runs runs each)" "median" "ratio"
printf '%-28s %8d us %8s\n' "bare QCoreApplication" "$bare_us" "1.00x"
for name in calc show; do
    us=$(median "$work/$name")
    printf '%-28s %8d us %7.2fx\n' "resonex-cli $name" "$us" "$(awk -v a="$us" -v b="$bare_us" 'BEGIN { print a / b }')"
done
