#!/usr/bin/env bash
# Builds Resonex and starts the desktop program; an optional argument is a
# design file to open.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
resonex_build
exec "$RESONEX_BUILD/src/resonex/resonex" "$@"
