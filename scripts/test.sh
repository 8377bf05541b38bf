#!/usr/bin/env bash
# Builds Resonex and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
resonex_build
ctest --test-dir "$RESONEX_BUILD" --output-on-failure
