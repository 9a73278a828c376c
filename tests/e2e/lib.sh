# Shared steps of the end-to-end tests: a private X server, temporary user folders, waiting for traces.
# Sourced by the test scripts; $1 of the script is the program, $2 the simulation control script.
set -euo pipefail

PROGRAM="$1"
SIM="$2"
WORK=$(mktemp -d /tmp/qovruvela-e2e.XXXXXX)
PIDS=()

cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [[ -n "${KEEP_E2E:-}" ]] || rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    for f in "$WORK"/trace*.txt "$WORK"/out*.txt; do
        [[ -f "$f" ]] && { echo "--- $f"; cat "$f"; } >&2
    done
    exit 1
}

# Starts Xvfb on a free display and exports DISPLAY.
start_xvfb() {
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$WORK/display" >/dev/null 2>&1 &
    PIDS+=($!)
    local i
    for i in $(seq 100); do
        [[ -s "$WORK/display" ]] && break
        sleep 0.1
    done
    [[ -s "$WORK/display" ]] || fail "Xvfb did not start"
    export DISPLAY=":$(head -1 "$WORK/display")"
}

# Starts openbox on the display: a real window manager, which frames the windows and places them.
start_wm() {
    openbox --sm-disable >"$WORK/openbox.txt" 2>&1 &
    PIDS+=($!)
    local i
    for i in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    fail "openbox did not start"
}

# The top-left corner of window WID's frame, "X Y": its content's corner less the frame's extents.
frame_corner() {
    local wid="$1" x y extents
    x=$(xwininfo -id "$wid" | awk '/Absolute upper-left X/ { print $4 }')
    y=$(xwininfo -id "$wid" | awk '/Absolute upper-left Y/ { print $4 }')
    extents=$(xprop -id "$wid" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
    [[ -n "$extents" ]] || extents=0,0,0,0
    IFS=, read -r left _ top _ <<<"$extents"
    echo "$((x - left)) $((y - top))"
}

# The user's folders, all inside the test's own folder.
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/runtime" XDG_STATE_HOME="$WORK/state" XDG_CACHE_HOME="$WORK/cache"
export QOVRUVELA_SIMULATE="$WORK/sim" QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$QOVRUVELA_SIMULATE"
# The simulation refuses a folder others may write in, whatever the umask.
chmod 700 "$QOVRUVELA_SIMULATE"
chmod 700 "$XDG_RUNTIME_DIR"

# A copy of the program in folder DIR (default $WORK/bin), so that its personal files live there; PROGRAM
# names the copy from then on.
own_program_folder() {
    local dir="${1:-$WORK/bin}"
    mkdir -p "$dir" "$XDG_CONFIG_HOME/QovRuvela"
    cp "$PROGRAM" "$dir/qovruvela"
    # The History window's chart module goes with it, as it lies beside the program in the build tree.
    cp "$(dirname "$PROGRAM")/libqovruvela-chart.so" "$dir/"
    PROGRAM="$dir/qovruvela"
}

# Starts the program with its trace going to trace-NAME.txt; sets LAST_PID.
start_program() {
    local name="$1"
    QOVRUVELA_TRACE="$WORK/trace-$name.txt" "$PROGRAM" >"$WORK/out-$name.txt" 2>&1 &
    LAST_PID=$!
    PIDS+=("$LAST_PID")
}

# Seconds since the trace line count of NAME was COUNT until a new line matches PATTERN, at most LIMIT.
wait_new_trace() {
    local name="$1" count="$2" pattern="$3" limit="$4"
    local start now
    start=$(date +%s.%N)
    while true; do
        if tail -n +"$((count + 1))" "$WORK/trace-$name.txt" 2>/dev/null | grep -qE "$pattern"; then
            now=$(date +%s.%N)
            echo "$now - $start" | bc
            return 0
        fi
        now=$(date +%s.%N)
        (($(echo "$now - $start > $limit" | bc))) && return 1
        sleep 0.05
    done
}

# Waits up to SECONDS for a line matching PATTERN anywhere in trace NAME; prints the seconds it took.
wait_trace() { wait_new_trace "$1" 0 "$2" "$3"; }

trace_lines() { wc -l <"$WORK/trace-$1.txt" 2>/dev/null || echo 0; }

# A private session bus with a StatusNotifier watcher on it, as a desktop's notification area has; `host`
# then reads and clicks the program's icon.
start_tray_host() {
    local bus_pid_file="$WORK/bus.pid" e2e_dir
    e2e_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
    DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --print-address --fork --print-pid=5 5>"$bus_pid_file")
    export DBUS_SESSION_BUS_ADDRESS
    PIDS+=("$(cat "$bus_pid_file")")
    /usr/bin/python3 -m dbusmock --template "$e2e_dir/status_notifier_watcher.py" >"$WORK/watcher.txt" 2>&1 &
    PIDS+=($!)
    for _ in $(seq 50); do
        dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
            org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1 && break
        sleep 0.1
    done
}
host() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/tray_host.py" "$@"; }

# A small file system of the test's own at $WORK/bin, set in BIN: room for the program and its chart module,
# and a megabyte for the personal files; unmounted at the end. Mounting needs root: without it, or where a
# tmpfs cannot be mounted, the test says so and is skipped (status 77).
small_program_folder() {
    if [[ $(id -u) != 0 ]]; then
        echo "SKIP: mounting a file system of the test's own needs root"
        exit 77
    fi
    BIN="$WORK/bin"
    mkdir -p "$BIN" "$XDG_CONFIG_HOME/QovRuvela"
    local size
    size=$((($(stat -c %s "$PROGRAM") + $(stat -c %s "$(dirname "$PROGRAM")/libqovruvela-chart.so")) / 1024 + 1024))
    mount -t tmpfs -o size="${size}k" qovruvela-e2e "$BIN" 2>"$WORK/mount.txt" || {
        echo "SKIP: a tmpfs cannot be mounted here: $(cat "$WORK/mount.txt")"
        exit 77
    }
    trap unmount_small_program_folder EXIT
}
unmount_small_program_folder() {
    mount -o remount,rw "$BIN" 2>/dev/null || true
    umount -l "$BIN" 2>/dev/null || true
    cleanup
}
