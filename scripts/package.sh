#!/usr/bin/env bash
# Makes Resonex's Debian package the way Debian builds its own (debhelper,
# from debian/), into build/package/ or the folder given, and says where it
# is. Install it with: sudo apt-get install ./build/package/resonex_*.deb
#
#   scripts/package.sh [FOLDER]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
resonex_install_packages "${RESONEX_BUILD_PACKAGES[@]}" "${RESONEX_PACKAGE_PACKAGES[@]}"

out="$(realpath -m "${1:-$RESONEX_BUILD/package}")"
# The package is built from a fresh copy of what it is made of, so that each
# build starts clean and nothing but the results lands beside the clone.
source_dir="$out/source"
rm -rf "$source_dir" "$out"/resonex[_-]*
mkdir -p "$source_dir"
tar -C "$RESONEX_ROOT" -c CMakeLists.txt README.md data debian src | tar -C "$source_dir" -x --touch

# One commit, one package, byte for byte: the files' dates are the last
# commit's (outside a git clone, dpkg-buildpackage takes debian/changelog's),
# as no file is older than that (the copy is dated now).
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && command -v git >/dev/null &&
    commit_time="$(git -C "$RESONEX_ROOT" -c safe.directory="$RESONEX_ROOT" log -1 --format=%ct 2>/dev/null)"; then
    export SOURCE_DATE_EPOCH="$commit_time"
fi
(cd "$source_dir" && dpkg-buildpackage -b -us -uc --jobs-try=auto)
rm -rf "$source_dir"

deb="$(echo "$out"/resonex_*.deb)"
[ -f "$deb" ] || {
    echo "resonex: dpkg-buildpackage made no package in $out" >&2
    exit 1
}
echo "resonex: the package is $deb"
