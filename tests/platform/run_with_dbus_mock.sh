#!/bin/sh
# Runs a test binary against a python-dbusmock service on a private bus, with a second private bus on which
# the service does not run.
# Usage: run_with_dbus_mock.sh SERVICE TEMPLATE BUS-VARIABLE TEST-BINARY [ARGS...]
#   SERVICE       the bus name the mock takes (org.freedesktop.NetworkManager)
#   TEMPLATE      a dbusmock template name or file
#   BUS-VARIABLE  the environment variable that gives the test the mock's bus; QOV_EMPTY_TEST_BUS gives the other
# Exits 77 (skipped) when the bus daemon or python-dbusmock is missing.
set -eu

service=$1
template=$2
variable=$3
binary=$4
shift 4

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

# Sockets in the file system, not abstract ones: a test that moves into a network namespace of its own
# can still reach them.
dbus-daemon --session --fork --address="unix:dir=$workdir" --print-address=1 --print-pid=1 >"$workdir/mock.bus"
dbus-daemon --session --fork --address="unix:dir=$workdir" --print-address=1 --print-pid=1 >"$workdir/empty.bus"
mock_bus=$(sed -n 1p "$workdir/mock.bus")
empty_bus=$(sed -n 1p "$workdir/empty.bus")

DBUS_SESSION_BUS_ADDRESS=$mock_bus "$python" -m dbusmock --session --template "$template" -l "$workdir/mock.log" &
mock_pid=$!

tries=0
until dbus-send --bus="$mock_bus" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:"$service" 2>/dev/null | grep -q "boolean true"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ] || ! kill -0 "$mock_pid" 2>/dev/null; then
        echo "the mock $service did not start" >&2
        cat "$workdir/mock.log" >&2 || true
        exit 1
    fi
    sleep 0.05
done

status=0
env "$variable=$mock_bus" QOV_EMPTY_TEST_BUS="$empty_bus" "$binary" "$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- mock $service log ---" >&2
    tail -n 200 "$workdir/mock.log" >&2 || true
fi
exit "$status"
