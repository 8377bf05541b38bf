#!/usr/bin/env bash
# Builds the desktop program and starts it; an optional argument is a design
# file to open.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
resonex_build resonex
resonex_return_build
exec "$RESONEX_BUILD/src/resonex/resonex" "$@"
