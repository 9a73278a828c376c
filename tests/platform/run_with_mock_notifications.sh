#!/bin/sh
# Runs a test binary against python-dbusmock's notification daemon on a private session bus, with a second
# private bus on which no notification service runs. Usage: run_with_mock_notifications.sh TEST-BINARY [ARGS...]
# Exits 77 (skipped) when the bus daemon or python-dbusmock is missing.
set -eu

binary=$1
shift

python=/usr/bin/python3
command -v dbus-daemon >/dev/null 2>&1 || { echo "dbus-daemon not installed" >&2; exit 77; }
"$python" -c 'import dbusmock' 2>/dev/null || { echo "python3-dbusmock not installed" >&2; exit 77; }

workdir=$(mktemp -d)
mock_pid=""
cleanup() {
    if [ -n "$mock_pid" ]; then kill "$mock_pid" 2>/dev/null || true; fi
    # Each bus file holds the daemon's address, then its process id.
    for bus in "$workdir"/*.bus; do
        [ -f "$bus" ] && kill "$(sed -n 2p "$bus")" 2>/dev/null || true
    done
    rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

dbus-daemon --session --fork --address="unix:dir=$workdir" --print-address=1 --print-pid=1 >"$workdir/notify.bus"
dbus-daemon --session --fork --address="unix:dir=$workdir" --print-address=1 --print-pid=1 >"$workdir/empty.bus"
notify_bus=$(sed -n 1p "$workdir/notify.bus")
empty_bus=$(sed -n 1p "$workdir/empty.bus")

DBUS_SESSION_BUS_ADDRESS=$notify_bus "$python" -m dbusmock --session --template notification_daemon \
    -l "$workdir/mock.log" &
mock_pid=$!

tries=0
until dbus-send --bus="$notify_bus" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications 2>/dev/null | grep -q "boolean true"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ] || ! kill -0 "$mock_pid" 2>/dev/null; then
        echo "the mock notification daemon did not start" >&2
        cat "$workdir/mock.log" >&2 || true
        exit 1
    fi
    sleep 0.05
done

status=0
QOV_NOTIFY_TEST_BUS=$notify_bus QOV_EMPTY_TEST_BUS=$empty_bus "$binary" "$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- mock notification daemon log ---" >&2
    cat "$workdir/mock.log" >&2 || true
fi
exit "$status"
