#!/bin/bash
# Checks that every include in src/ names its library and that each part of
# the program includes only what lies beneath it:
#   core rooms, bottom to top: errors, text, physics, platform, encoding, settings,
#   model, results, drawing, document, summary (a room includes its own and
#   those below);
#   gui and cli include the core, never each other; only the desktop program
#   (resonex) includes gui.
# System headers (POSIX: unistd.h, fcntl.h, sys/...) only in the platform
# rooms (core/platform, gui/platform), so the rest stays portable.
# Prints each offending line and exits 1 when there is one.
set -u
cd "$(dirname "$0")/../src" || exit 2

rooms=(errors text physics platform encoding settings model results drawing document summary)
declare -A rank
for i in "${!rooms[@]}"; do rank[${rooms[$i]}]=$i; done

system_headers='^#include <(unistd|fcntl|dirent|pwd|grp|poll|spawn|termios|dlfcn|sys/[a-z_]+)\.h>'

status=0
complain() {
    echo "$1: $2" >&2
    status=1
}

while IFS= read -r -d '' file; do
    lib=${file%%/*}
    room=${file#*/}
    room=${room%%/*}
    while IFS= read -r line; do
        number=${line%%:*}
        target=${line#*\"}
        target=${target%%\"*}
        [[ $target == *.moc ]] && continue
        where="$file:$number: #include \"$target\""
        if [[ ! -f $target ]]; then
            complain "$where" "does not name a file under src/ with its library"
            continue
        fi
        target_lib=${target%%/*}
        if [[ $lib == core && $target_lib == core ]]; then
            target_room=${target#core/}
            target_room=${target_room%%/*}
            if [[ -z ${rank[$room]+x} || -z ${rank[$target_room]+x} ]]; then
                complain "$where" "a core room missing from this script's list"
            elif ((rank[$target_room] > rank[$room])); then
                complain "$where" "$room includes $target_room, which lies above it"
            fi
        elif [[ $target_lib != "$lib" && $target_lib != core && ! ($lib == resonex && $target_lib == gui) ]]; then
            complain "$where" "$lib must not include $target_lib"
        fi
    done < <(grep -n '^#include "' "$file")
    if [[ $room != platform ]]; then
        while IFS= read -r line; do
            complain "$file:${line%%:*}: ${line#*:}" "system calls belong in a platform room"
        done < <(grep -nE "$system_headers" "$file")
    fi
done < <(find core gui cli resonex \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

exit $status
