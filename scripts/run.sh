#!/usr/bin/env bash
# Builds Resonex and starts it; arguments go to the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
resonex_build
if [ "$#" -eq 0 ]; then
    set -- --help
fi
exec "$RESONEX_BUILD/src/cli/resonex-cli" "$@"
