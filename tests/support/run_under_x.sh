#!/usr/bin/env bash
# Runs a test under a private Xvfb on the xcb platform, with a real window manager (openbox) when asked:
# for what the offscreen platform cannot show (window frames, the desktop's opener).
# Usage: run_under_x.sh [--wm] COMMAND [ARGS...]      (exit 77: Xvfb or openbox is not installed)
set -euo pipefail
wm=
if [[ "${1:-}" == --wm ]]; then
    wm=1
    shift
fi
for tool in Xvfb ${wm:+openbox}; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/qovruvela-x.XXXXXX)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# -noreset: by default the server starts afresh when its last client leaves, and refuses connections
# meanwhile; a probe (xprop) that leaves before openbox or the test has connected would shut them out.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
done
[[ -s "$work/display" ]] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")" QT_QPA_PLATFORM=xcb
# The window manager's own settings, and nothing of the user's.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"

if [[ -n "$wm" ]]; then
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    # The window manager is there once it has set the root window's supporting-window property.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || {
        echo "FAIL: openbox did not start"
        cat "$work/openbox.log"
        exit 1
    }
fi
"$@"
