#!/usr/bin/env bash
# Installs what is missing, builds Qov Ruvela and runs every test headless: the unit and window tests on
# the offscreen platform, the end-to-end tests under their own Xvfb, then the unit and window tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer. Set QOVRUVELA_SKIP_ASAN=1 to skip that pass.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh test

bash scripts/check-format.sh

jobs=$(nproc)
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs"
ctest --preset dev -j "$jobs"

if [[ "${QOVRUVELA_SKIP_ASAN:-0}" != 1 ]]; then
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j "$jobs"
    ctest --preset asan -j "$jobs"
fi
