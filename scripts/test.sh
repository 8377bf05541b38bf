#!/usr/bin/env bash
# Builds Resonex and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
resonex_build
resonex_install_print_packages
resonex_install_e2e_packages
ctest --test-dir "$RESONEX_BUILD" --output-on-failure
