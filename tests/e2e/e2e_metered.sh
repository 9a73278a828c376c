#!/usr/bin/env bash
# The real program records a phone tethered over USB: with "Also record metered connections" stored on, the
# network manager (the mock of tests/platform, on a private bus that stands in for the system bus) brings up
# the phone's Ethernet link, which it guesses metered; the session lands in the personal file with its start
# and end where the wall clock had them, and its bytes are those `ip -s link` counts on the phone's link (a
# veth pair, in a network namespace of the test's own, whose far end stands for the phone). Skipped where the
# bus daemon or python-dbusmock is missing; where no namespace can be made, all but the bytes is checked and
# the test then counts as skipped.
if [[ -z "${QOV_E2E_NETNS:-}" ]]; then
    if unshare --net true 2>/dev/null; then
        QOV_E2E_NETNS=1 exec unshare --net -- bash "$0" "$@"
    fi
    QOV_E2E_NETNS=none
fi
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

# The phone's USB link: usb0 here, its far end in a namespace of its own, no IPv6 chatter on either.
link=""
if [[ "$QOV_E2E_NETNS" == 1 ]]; then
    ip link set lo up
    unshare --net sleep 600 &
    phone=$!
    PIDS+=("$phone")
    on_phone() { nsenter -t "$phone" -n "$@"; }
    for _ in $(seq 50); do [[ $(readlink /proc/$phone/ns/net) != $(readlink /proc/self/ns/net) ]] && break; sleep 0.02; done
    echo 1 >/proc/sys/net/ipv6/conf/all/disable_ipv6 2>/dev/null || true
    echo 1 >/proc/sys/net/ipv6/conf/default/disable_ipv6 2>/dev/null || true
    on_phone sh -c 'echo 1 >/proc/sys/net/ipv6/conf/all/disable_ipv6; echo 1 >/proc/sys/net/ipv6/conf/default/disable_ipv6' 2>/dev/null || true
    ip link add usb0 type veth peer name phone0 && ip link set phone0 netns "$phone" &&
        ip addr add 10.78.0.1/24 dev usb0 && ip link set usb0 up &&
        on_phone ip addr add 10.78.0.2/24 dev phone0 && on_phone ip link set phone0 up ||
        fail "the phone's veth link could not be made"
    # Each end knows the other's address for good: no ARP after the octets have been read.
    mac() { "${@:2}" ip -br link show dev "$1" | awk '{print $3}'; }
    ip neigh replace 10.78.0.2 lladdr "$(mac phone0 on_phone)" dev usb0 nud permanent &&
        on_phone ip neigh replace 10.78.0.1 lladdr "$(mac usb0)" dev phone0 nud permanent ||
        fail "the phone's veth link could not be made"
    link=usb0
fi
# The link's octets as `ip -s link` counts them: "received sent".
octets() {
    ip -j -s link show dev "$link" | python3 -c \
        'import json, sys; s = json.load(sys.stdin)[0]["stats64"]; print(s["rx"]["bytes"], s["tx"]["bytes"])'
}
# Datagrams each way, to a port nobody listens on (the answers of "unreachable" count too).
datagrams() { python3 -c 'import socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
for _ in range(int(sys.argv[2])): s.sendto(b"x" * int(sys.argv[3]), (sys.argv[1], 9))' "$@"; }

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
if [[ -n "$link" ]]; then
    # The first pass after the session opened takes the link's counters as its base.
    sleep 2.5
    read -r in0 out0 < <(octets)
    datagrams 10.78.0.2 6 700
    on_phone bash -c "$(declare -f datagrams); datagrams 10.78.0.1 4 300"
    sleep 0.5
    read -r in1 out1 < <(octets)
    sleep 17
else
    sleep 20
fi
n=$(trace_lines one)
nm DeactivateConnection objpath:"$active" >/dev/null || fail "the mock did not deactivate the tethered phone"
t1=$(now)
wait_new_trace one "$n" 'main-status Offline' 3 >/dev/null || fail "the tethered phone's session did not end"
sleep 0.5
python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump.txt"
[[ $(wc -l <"$WORK/dump.txt") == 2 ]] || fail "expected a header and one session: $(cat "$WORK/dump.txt")"
python3 "$here/session_check.py" "$WORK/dump.txt" 1 "$t0" "$t1" 3 || fail "the session record disagrees with the clock"
if [[ -z "$link" ]]; then
    echo "skipped: the session's bytes, as no network namespace can be made here"
    exit 77
fi
IFS='|' read -r _ _ _ _ received sent _ < <(sed -n 2p "$WORK/dump.txt")
((in1 - in0 > 0 && out1 - out0 > 0)) || fail "ip -s link saw no octets: $in0 $out0 / $in1 $out1"
[[ "$received" == "$((in1 - in0))" && "$sent" == "$((out1 - out0))" ]] ||
    fail "the session holds $received received and $sent sent; ip -s link counted $((in1 - in0)) and $((out1 - out0))"
echo "1 passed, 0 failed"
