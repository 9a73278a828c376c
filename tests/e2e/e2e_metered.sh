#!/usr/bin/env bash
# The real program records a phone tethered over USB: with "Also record metered connections" stored on, the
# network manager (the mock of tests/platform, on a private bus that stands in for the system bus) brings up
# the phone's Ethernet link, which it guesses metered; the session lands in the personal file with its start
# and end where the wall clock had them. Skipped where the bus daemon or python-dbusmock is missing.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
unset QOVRUVELA_SIMULATE
command -v dbus-daemon >/dev/null 2>&1 || { echo "SKIP: dbus-daemon not installed"; exit 77; }
/usr/bin/python3 -c 'import dbusmock' 2>/dev/null || { echo "SKIP: python3-dbusmock not installed"; exit 77; }
start_xvfb

# The mock network manager on a bus of the test's own, which the program takes for the system bus.
NM_BUS=$(dbus-daemon --session --print-address --fork --print-pid=5 5>"$WORK/nm-bus.pid")
PIDS+=("$(cat "$WORK/nm-bus.pid")")
DBUS_SESSION_BUS_ADDRESS=$NM_BUS /usr/bin/python3 -m dbusmock --session \
    --template "$here/../platform/network_manager_dialup_mock.py" >"$WORK/out-mock.txt" 2>&1 &
PIDS+=($!)
nm() {
    dbus-send --bus="$NM_BUS" --print-reply --dest=org.freedesktop.NetworkManager /org/freedesktop/NetworkManager \
        "org.freedesktop.NetworkManager.$1" "${@:2}"
}
for _ in $(seq 100); do
    dbus-send --bus="$NM_BUS" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.NetworkManager 2>/dev/null | grep -q true && break
    sleep 0.05
done
export DBUS_SYSTEM_BUS_ADDRESS=$NM_BUS
# pppd's folders are the test's own: no peers, no links.
export QOVRUVELA_PPP_FOLDER="$WORK/ppp" QOVRUVELA_PPP_RUN_FOLDER="$WORK/run"
mkdir -p "$QOVRUVELA_PPP_FOLDER/peers" "$QOVRUVELA_PPP_RUN_FOLDER"

own_program_folder
FILE="$WORK/bin/e2e.rvl"
python3 "$here/profile_file.py" header "$FILE" 1 31
printf '[Ruvela]\nPersonal%%20Account=e2e.rvl\nCheckRecordMetered=1\n' >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"
now() { date +%s.%N; }

start_program one
wait_trace one 'main-window shown' 10 >/dev/null || fail "the main window was not shown"
wait_trace one 'main-status Offline' 5 >/dev/null || fail "the tracker did not start"
grep -q 'status-line No dial-up system' "$WORK/trace-one.txt" && fail "the network manager was not found"

# The phone is plugged in and tethering: its profile on the usb0 device, guessed metered.
n=$(trace_lines one)
t0=$(now)
active=$(nm ActivateConnection objpath:/org/freedesktop/NetworkManager/Settings/7 \
    objpath:/org/freedesktop/NetworkManager/Devices/usb0 objpath:/ | sed -n 's/.*object path "\(.*\)"/\1/p')
[[ -n "$active" ]] || fail "the mock did not activate the tethered phone"
wait_new_trace one "$n" 'main-status Online' 3 >/dev/null || fail "the tethered phone's session did not start"
sleep 20
n=$(trace_lines one)
nm DeactivateConnection objpath:"$active" >/dev/null || fail "the mock did not deactivate the tethered phone"
t1=$(now)
wait_new_trace one "$n" 'main-status Offline' 3 >/dev/null || fail "the tethered phone's session did not end"
sleep 0.5
python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump.txt"
[[ $(wc -l <"$WORK/dump.txt") == 2 ]] || fail "expected a header and one session: $(cat "$WORK/dump.txt")"
python3 "$here/session_check.py" "$WORK/dump.txt" 1 "$t0" "$t1" 3 || fail "the session record disagrees with the clock"
echo "1 passed, 0 failed"
