#!/usr/bin/env bash
# Installs the Debian packages Resonex builds with (when any is missing) and
# builds it into build/. Sourced by run.sh, test.sh and package.sh; safe to
# run again, as root or as a user, in either order.
set -euo pipefail

RESONEX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
RESONEX_BUILD="$RESONEX_ROOT/build"

# What each script needs, by purpose (the README lists them from here).
# A sans-serif font: without one, fontconfig answers every family with
# Liberation Mono and the whole program looks monospaced.
RESONEX_BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-dejavu-core fonts-liberation)
# The end-to-end window tests run the program in a virtual X server and drive
# it with synthetic keystrokes.
RESONEX_E2E_PACKAGES=(xvfb xdotool)
# The print test runs a private CUPS scheduler with a cups-pdf queue and reads
# the PDFs back with pdfinfo/pdftotext.
RESONEX_PRINT_PACKAGES=(cups cups-client printer-driver-cups-pdf ghostscript poppler-utils)
# The Debian package is built the way Debian builds its own (package.sh).
RESONEX_PACKAGE_PACKAGES=(build-essential dpkg-dev debhelper)
# The installation and the package are checked with the tools a desktop uses
# on their files, and the package with Debian's own checks (blhc reads the
# build log, devscripts has hardening-check).
RESONEX_INSTALL_TEST_PACKAGES=(file desktop-file-utils appstream shared-mime-info man-db lintian
    blhc devscripts)
# The code checks: layout (check-format.sh) and clang-tidy's (tidy.sh); the
# sanitizer build (sanitize.sh) needs only the compiler's own libraries.
RESONEX_CHECK_PACKAGES=(clang-format clang-tidy)

resonex_install_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "resonex: these Debian packages are missing: ${missing[*]}" >&2
            echo "resonex: run this script as root, or install sudo, or install them as root:" >&2
            echo "    apt-get install ${missing[*]}" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    # sudo resets the environment, so the setting goes in as an argument.
    # Another apt (an unattended upgrade on a fresh machine) may hold the
    # locks for a while: wait for it as an install by hand would.
    local wait=(-o DPkg::Lock::Timeout=600)
    "${sudo[@]}" apt-get "${wait[@]}" update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${wait[@]}" install -y -qq \
        --no-install-recommends "${missing[@]}"
}

# A run as root in a user's clone hands build/ back to the clone's owner, so
# that the user's next run can still write there.
resonex_return_build() {
    [ "$(id -u)" -eq 0 ] && [ -d "$RESONEX_BUILD" ] || return 0
    local owner
    owner="$(stat -c %u:%g "$RESONEX_ROOT")"
    [ "$owner" = 0:0 ] || chown -R "$owner" "$RESONEX_BUILD"
}
trap resonex_return_build EXIT

# Builds the given targets, or everything when none is given.
# Configures and builds; RESONEX_CMAKE_OPTIONS (an array) adds to the cache.
resonex_build() {
    resonex_install_packages "${RESONEX_BUILD_PACKAGES[@]}"
    # CI builds with warnings as errors; a developer's build only shows them.
    local werror=OFF
    [ -z "${CI:-}" ] || werror=ON
    cmake -S "$RESONEX_ROOT" -B "$RESONEX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DRESONEX_WARNINGS_AS_ERRORS="$werror" ${RESONEX_CMAKE_OPTIONS[@]+"${RESONEX_CMAKE_OPTIONS[@]}"} >/dev/null
    local targets=()
    (($# == 0)) || targets=(--target "$@")
    cmake --build "$RESONEX_BUILD" "${targets[@]}"
}
