#!/usr/bin/env bash
# The tests' private home. "start" makes empty folders for HOME and the XDG
# folders (tests/CMakeLists.txt points every test at them) and notes what the
# real home holds where Resonex, Qt and the desktop keep their files; "check"
# fails when any of that changed while the tests ran.
#
#   private-home.sh start|check DIR
set -euo pipefail

(($# == 2)) || {
    echo "usage: $0 start|check DIR" >&2
    exit 2
}
dir=$2
config="${XDG_CONFIG_HOME:-$HOME/.config}"
data="${XDG_DATA_HOME:-$HOME/.local/share}"

# Paths, sizes and modification times of the real places.
survey() {
    # Places that do not exist are left out, not errors.
    { find "$config/Resonex" "$config/QtProject.conf" "$data/applications" "$data/mime" \
        "$data/icons/hicolor" "$HOME/.cups" -printf '%p %s %T@\n' 2>/dev/null || true; } | sort
}

case $1 in
start)
    rm -rf "$dir"
    mkdir -p "$dir"/{home,config,data,cache,state}
    # Qt refuses a runtime folder that others may enter.
    mkdir -m 700 "$dir/runtime"
    survey >"$dir/real-home.before"
    ;;
check)
    if ! survey | diff -u "$dir/real-home.before" - >"$dir/real-home.diff"; then
        echo "the tests changed the real home ($HOME):" >&2
        cat "$dir/real-home.diff" >&2
        exit 1
    fi
    echo "the real home ($HOME) is as it was"
    ;;
*)
    echo "usage: $0 start|check DIR" >&2
    exit 2
    ;;
esac
