#!/usr/bin/env bash
# Builds the validation program and prints the published coils' measured
# frequencies beside each method's figure, then the other tables README.md
# here describes (the coupling's, the bang's).
#   validation/run.sh [BUILD_DIR]      (default build-validation)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build-validation}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target resonex-validate >/dev/null
"$build/validation/resonex-validate" "$root/validation/coils.csv"
