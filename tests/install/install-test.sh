#!/usr/bin/env bash
# An installation into a prefix: every file where the desktop looks, each
# valid for the tool the desktop reads it with; resonex-cli's --help, manual
# page and shell completion naming the same options; the completion offering
# what each option takes; and the installed program registering itself for
# the user with its installed path.
#
#   install-test.sh BUILD_DIR
set -euo pipefail

(($# == 1)) || {
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
}
build=$1
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
share="$prefix/share"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log"; exit 1; }

echo "--- installed files"
expected=(bin/resonex bin/resonex-cli share/applications/resonex.desktop
    share/mime/packages/resonex.xml share/metainfo/net.resonex.Resonex.metainfo.xml
    share/icons/hicolor/scalable/apps/resonex.svg share/man/man1/resonex.1.gz
    share/man/man1/resonex-cli.1.gz share/bash-completion/completions/resonex-cli)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x$size/apps/resonex.png")
done
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "$file was not installed"
done
for program in resonex resonex-cli; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done
# A direct installation refreshes the prefix's own databases.
grep -q 'application/x-resonex-design:\*\.rzn' "$share/mime/globs2" ||
    fail "the prefix's MIME database does not know *.rzn"

echo "--- validators"
desktop-file-validate "$share/applications/resonex.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --explain "$share/metainfo/net.resonex.Resonex.metainfo.xml" ||
    fail "appstreamcli validate"
for page in resonex resonex-cli; do
    warnings="$(MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "man -l $page.1.gz warns: $warnings"
done

echo "--- resonex-cli's options in --help, the manual page and the completion"
cli="$prefix/bin/resonex-cli"
options() { grep -o -- '--[a-z][a-z-]*' | sort -u; }
"$cli" --help | options >"$work/help"
# The manual's option list: the first word after each .TP.
zcat "$share/man/man1/resonex-cli.1.gz" | sed 's/\\-/-/g' |
    awk '/^\.TP/ { getline; print $2 }' | grep -- '^--' | options >"$work/man"
grep -o -- '--[a-z][a-z-]*' "$share/bash-completion/completions/resonex-cli" | options |
    grep -v -x -e --help -e --version >"$work/completion"
grep -v -x -e --help -e --version "$work/help" >"$work/help-values"
diff -u "$work/help" "$work/man" || fail "--help and the manual page list different options"
diff -u "$work/help-values" "$work/completion" || fail "--help and the completion differ"

echo "--- completion"
source "$share/bash-completion/completions/resonex-cli"
mkdir -p "$work/designs/sub"
touch "$work/designs/"{a.rzn,b.RZN,notes.txt}
# complete WORDS...: what the completion offers for the last word, sorted.
complete_words() {
    COMP_WORDS=(resonex-cli "$@")
    COMP_CWORD=$#
    _resonex_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort | xargs
}
check_completion() { # expected words...
    local got
    got="$(complete_words "${@:2}")"
    [ "$got" = "$1" ] || fail "completing '${*:2}' offered '$got', not '$1'"
}
check_completion "--help --version calc show" ""
check_completion "--unit-kv --unit-uf --units --use-pri-c --use-sec-dia --use-sec-fr --use-tank-c --use-top-fr" calc --u
check_completion "async static sync" calc --gap ""
check_completion "none sphere toroid" calc --top ""
check_completion "in mm" calc --units ""
check_completion "50 60" calc --dia 200 --mains ""
check_completion "0 1" calc --use-sec-fr ""
check_completion "" calc --dia ""
(
    cd "$work/designs"
    check_completion "a.rzn b.RZN sub" show ""
    check_completion "a.rzn b.RZN sub" calc --out ""
    check_completion "--json" show --
) || failures=$((failures + 1))

echo "--- the installed program registers itself for the user"
mkdir -p "$work"/{home,config,data,cache,empty}
mkdir -m 700 "$work/runtime"
# Only the user's folder: no system entry that would stand in for it.
HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_DIRS="$work/empty" \
    QT_QPA_PLATFORM=offscreen "$prefix/bin/resonex" </dev/null >"$work/app.log" 2>&1 &
app=$!
entry="$work/data/applications/resonex.desktop"
for ((i = 0; i < 100; i++)); do
    grep -q '^Exec=' "$entry" 2>/dev/null && break
    sleep 0.1
done
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
grep -qxF "Exec=$prefix/bin/resonex %f" "$entry" ||
    fail "the user's entry does not start $prefix/bin/resonex: $(cat "$entry" 2>/dev/null)"

echo "--- the README's resonex-cli examples, as typed in a clone after the build"
readme="$(dirname "${BASH_SOURCE[0]}")/../../README.md"
mkdir -p "$work/clone/build/src"
ln -s "$(cd "$build/src/cli" && pwd)" "$work/clone/build/src/cli"
# The block after "Examples"; its last command is rejected on purpose.
awk '/^Examples/ { found = 1 } found && /^```sh/ { inside = 1; next }
     inside && /^```/ { exit } inside' "$readme" >"$work/examples.sh"
(cd "$work/clone" && bash "$work/examples.sh") >"$work/examples.log" 2>&1 || true
! grep -q 'command not found\|No such file' "$work/examples.log" ||
    fail "the README's examples do not run as typed: $(cat "$work/examples.log")"
[ -s "$work/clone/coil.rzn" ] || fail "the README's examples saved no coil.rzn"
grep -qF 'Invalid value in height property [CSecondary::Height 0x80040202]' "$work/examples.log" ||
    fail "the README's last example did not end as it says"

((failures == 0)) || exit 1
echo PASS
