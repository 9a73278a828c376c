#!/usr/bin/env bash
# Takes the README's screenshots under a private Xvfb into docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build --preset dev --target take_screenshots
mkdir -p docs/screenshots
work=$(mktemp -d)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
DISPLAY=":$(head -1 "$work/display")" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/run" build/dev/bin/take_screenshots docs/screenshots
