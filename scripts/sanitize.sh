#!/usr/bin/env bash
# Builds Resonex with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the fast tests there; a memory error, a leak or
# undefined behaviour fails the test it happens in (Qt and fontconfig leak
# nothing here, so no leak is excused). Extra arguments go to
# ctest (e.g. -R tst_files). scripts/test.sh runs this in CI.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
RESONEX_BUILD="$RESONEX_ROOT/build-asan"
# Debug: quickest to build, and Qt's own assertions on. Floating point stays
# exact as in every build (-ffp-contract=off comes from the project).
RESONEX_CMAKE_OPTIONS=(-DCMAKE_BUILD_TYPE=Debug
    "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    ${RESONEX_CMAKE_OPTIONS[@]+"${RESONEX_CMAKE_OPTIONS[@]}"})
resonex_build

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Printing, packaging, installing and the X server runs add nothing the
# sanitizers could see that the fast tests do not, and the code checks run
# once, in build/.
ctest --test-dir "$RESONEX_BUILD" --output-on-failure \
    -E '^(print|package|install|e2e_.*|tidy|format|layers)$' "$@"
