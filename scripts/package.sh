#!/usr/bin/env bash
# Builds Resonex and makes its Debian package, build/package/resonex_*.deb.
# Install it with: sudo apt-get install ./build/package/resonex_*.deb
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
resonex_install_packages "${RESONEX_PACKAGE_PACKAGES[@]}"
resonex_build
cpack --config "$RESONEX_BUILD/CPackConfig.cmake" -B "$RESONEX_BUILD/package"
