#!/usr/bin/env bash
# Installs what is missing, builds Qov Ruvela and starts it. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh run
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/bin/qovruvela "$@"
