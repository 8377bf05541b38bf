#!/usr/bin/env bash
# The Debian package, made as scripts/package.sh makes it: built twice from
# this tree, byte for byte the same; no error or warning from lintian, and
# both programs hardened; it installs with apt-get, resonex-cli runs from
# PATH, the desktop finds the menu entry, the design type, the icons, the
# AppStream description and the manual pages, the installed program leaves
# the system's entries to serve instead of shadowing them with the user's
# own, and removing the package leaves nothing behind. Exits 77, which CTest
# reports as skipped, where it must not install.
set -euo pipefail

skip() {
    echo "SKIPPED: $*"
    exit 77
}
[ "$(id -u)" -eq 0 ] || skip "the package test installs Resonex on this machine, which needs root"
dpkg-query -W -f='${Status}' resonex 2>/dev/null | grep -q "install ok installed" &&
    skip "the package test would replace the resonex package installed on this machine"

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$root/tests/e2e/xvfb-lib.sh"
# Another apt (a desktop's updater, an unattended upgrade) may hold the
# package lock for a while; wait for it as an install by hand would.
apt_wait=(-o DPkg::Lock::Timeout=600)
installed=no
remove_package() {
    [ "$installed" = no ] || apt-get purge "${apt_wait[@]}" -y -qq resonex >/dev/null 2>&1 || true
}
trap 'status=$?; remove_package; (exit $status); cleanup' EXIT

for build in first second; do
    step "making the package ($build build)"
    SECONDS=0
    bash "$root/scripts/package.sh" "$work/$build" >"$work/$build.log" 2>&1 ||
        fail "scripts/package.sh: $(tail -n 40 "$work/$build.log")"
    echo "built in $SECONDS s"
done
deb="$(echo "$work"/first/resonex_*.deb)"
dpkg-deb --field "$deb" Package Version Section Depends

step "the same bytes from both builds"
for file in "$work"/first/*.deb; do
    name="${file##*/}"
    cmp "$file" "$work/second/$name" || {
        mkdir -p "$work/unpacked"
        dpkg-deb -R "$file" "$work/unpacked/first"
        dpkg-deb -R "$work/second/$name" "$work/unpacked/second"
        fail "the two builds of $name differ: $(diff -rq "$work/unpacked/first" "$work/unpacked/second")"
    }
done

step "hardening flags on every compile and link"
blhc --bindnow "$work/first.log" || fail "blhc: the build left out hardening flags"

step "lintian"
lintian --pedantic -I --fail-on error,warning "$work"/first/*.deb ||
    fail "lintian finds errors or warnings in the package"

step "installing it"
installed=yes
DEBIAN_FRONTEND=noninteractive apt-get install "${apt_wait[@]}" -y -qq "$deb" >"$work/apt.log" 2>&1 ||
    fail "apt-get install: $(cat "$work/apt.log")"
dpkg-query -L resonex >"$work/files"

step "resonex-cli from PATH"
[ "$(command -v resonex-cli)" = /usr/bin/resonex-cli ] || fail "resonex-cli is not /usr/bin/resonex-cli"
resonex-cli --version
resonex-cli calc --dia 200 --height 600 --wire-dia 0.72 --spacing 0 >"$work/calc.txt" ||
    fail "resonex-cli calc failed"

step "what the desktop reads"
for size in 16 22 24 32 48 64 128 256; do
    [ -f "/usr/share/icons/hicolor/${size}x$size/apps/resonex.png" ] || fail "no ${size}px icon"
done
[ -f /usr/share/icons/hicolor/scalable/apps/resonex.svg ] || fail "no scalable icon"
desktop-file-validate /usr/share/applications/resonex.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/net.resonex.Resonex.metainfo.xml ||
    fail "appstreamcli validate"
# The packaging system's triggers have brought the databases up to date.
grep -q 'application/x-resonex-design:\*\.rzn' /usr/share/mime/globs2 ||
    fail "the MIME database does not know *.rzn"
grep -qx 'application/x-resonex-design=resonex.desktop;' /usr/share/applications/mimeinfo.cache ||
    fail "the desktop database does not open designs with resonex.desktop"
for page in resonex resonex-cli; do
    [ "$(man -w "$page")" = "/usr/share/man/man1/$page.1.gz" ] || fail "man does not find $page(1)"
done
[ -f /usr/share/bash-completion/completions/resonex-cli ] || fail "no bash completion"

step "hardened programs, with no run path"
# Control-flow protection is left out: Debian 12's C library start files carry
# no such mark, so no program built on it can.
for program in resonex resonex-cli; do
    hardening-check --nocfprotection "/usr/bin/$program" || fail "hardening-check $program"
    ! readelf -d "/usr/bin/$program" | grep -E 'RUNPATH|RPATH' ||
        fail "$program carries a run path; it links only the system's libraries"
done

step "what the package says of itself"
[ -f /usr/share/doc/resonex/README.md ] || [ -f /usr/share/doc/resonex/README.md.gz ] ||
    fail "the package ships no README"
# The summary's font: without it an installed Resonex draws the summary in
# another font than a built one.
dpkg-query -W -f='${Depends} ${Recommends}\n' resonex | grep -q fonts-liberation ||
    fail "the package neither depends on nor recommends fonts-liberation"
dpkg-query -W -f='${Description}' resonex | grep -q conical ||
    fail "the package's description names only the flat spiral primary"
grep -q conical /usr/share/metainfo/net.resonex.Resonex.metainfo.xml ||
    fail "the AppStream description names only the flat spiral primary"

step "the installed program and the system's entry"
exec_program="$(sed -n 's/^Exec=\([^ ]*\) .*/\1/p' /usr/share/applications/resonex.desktop)"
[ "$(command -v "$exec_program")" = /usr/bin/resonex ] ||
    fail "the menu entry starts '$exec_program', not /usr/bin/resonex"
start_xvfb
start_program resonex
window="$(wait_window Untitled 20)"
wait_splash_gone
timeout 5 xdotool windowfocus --sync "$window" || fail "could not give window $window the focus"
xdotool key --clearmodifiers ctrl+q
wait_exit 5
for file in applications/resonex.desktop mime/packages/resonex.xml \
    icons/hicolor/scalable/apps/resonex.svg; do
    [ ! -e "$work/data/$file" ] || fail "the installed program wrote a user copy of $file"
done

step "removing it"
apt-get purge "${apt_wait[@]}" -y -qq resonex >"$work/apt.log" 2>&1 || fail "apt-get purge: $(cat "$work/apt.log")"
installed=no
while read -r path; do
    [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left behind"
done <"$work/files"
! grep -q 'resonex' /usr/share/mime/globs2 || fail "the MIME database still knows *.rzn"
! grep -q 'resonex' /usr/share/applications/mimeinfo.cache ||
    fail "the desktop database still lists resonex.desktop"
echo PASS
