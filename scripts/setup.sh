#!/usr/bin/env bash
# Installs the Debian packages Resonex builds with (when any is missing) and
# builds it into build/. Sourced by run.sh and test.sh; safe to run again.
set -euo pipefail

RESONEX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
RESONEX_BUILD="$RESONEX_ROOT/build"

resonex_install_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if ((${#missing[@]})); then
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo=sudo
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            "${missing[@]}"
    fi
}

# The end-to-end print test runs a private CUPS scheduler with a cups-pdf
# queue and reads the PDFs back with pdfinfo/pdftotext.
resonex_install_print_packages() {
    resonex_install_packages cups cups-client printer-driver-cups-pdf ghostscript poppler-utils
}

# The end-to-end window test runs the program in a virtual X server and drives
# it with synthetic keystrokes.
resonex_install_e2e_packages() {
    resonex_install_packages xvfb xdotool
}

resonex_build() {
    resonex_install_packages cmake ninja-build g++ qt6-base-dev fonts-liberation
    # CI builds with warnings as errors; a developer's build only shows them.
    local werror=OFF
    [ -z "${CI:-}" ] || werror=ON
    cmake -S "$RESONEX_ROOT" -B "$RESONEX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DRESONEX_WARNINGS_AS_ERRORS="$werror" >/dev/null
    cmake --build "$RESONEX_BUILD"
}
