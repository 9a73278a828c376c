#!/usr/bin/env bash
# The real program on a real PPP link, without simulation and without a network manager: in a network
# namespace of its own, pppd (the stand-in of tests/platform/standin, first on PATH) is started from outside
# as `pon provider` would start it; the program names the connection after the peer, records the session,
# and the session's bytes are those `ip -s link` counts on the link. Skipped where no namespace can be made.
if [[ -z "${QOV_E2E_NETNS:-}" ]]; then
    unshare --net true 2>/dev/null || { echo "skipped: no network namespace can be made here"; exit 77; }
    QOV_E2E_NETNS=1 exec unshare --net -- bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
unset QOVRUVELA_SIMULATE
ip link set lo up
echo 1 >/proc/sys/net/ipv6/conf/all/disable_ipv6 2>/dev/null || true
echo 1 >/proc/sys/net/ipv6/conf/default/disable_ipv6 2>/dev/null || true
start_xvfb

# No system bus here, so no network manager; pppd's folders are the test's own.
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$WORK/no-system-bus"
export PATH="$here/../platform/standin:$PATH"
export QOVRUVELA_PPP_FOLDER="$WORK/ppp" QOVRUVELA_PPP_RUN_FOLDER="$WORK/run"
mkdir -p "$QOVRUVELA_PPP_FOLDER/peers" "$QOVRUVELA_PPP_RUN_FOLDER"
printf 'user e2e\n' >"$QOVRUVELA_PPP_FOLDER/peers/provider"

own_program_folder
FILE="$WORK/bin/e2e.rvl"
python3 "$here/profile_file.py" header "$FILE" 1 31
printf '[Ruvela]\nPersonal%%20Account=e2e.rvl\n' >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"

# The link's octets as `ip -s link` counts them: "received sent".
octets() {
    ip -j -s link show dev ppp0 | python3 -c \
        'import json, sys; s = json.load(sys.stdin)[0]["stats64"]; print(s["rx"]["bytes"], s["tx"]["bytes"])'
}

start_program one
wait_trace one 'main-window shown' 10 >/dev/null || fail "the main window was not shown"
wait_trace one 'main-status Offline' 5 >/dev/null || fail "the tracker did not start"
grep -q 'status-line No dial-up system' "$WORK/trace-one.txt" && fail "pppd was not found"

n=$(trace_lines one)
pppd call provider updetach >"$WORK/out-pppd.txt" 2>&1 || fail "pppd did not bring the link up: $(cat "$WORK/out-pppd.txt")"
daemon=$(head -1 "$WORK/run/ppp0.pid")
wait_new_trace one "$n" 'main-status Online' 5 >/dev/null || fail "the session did not start"
# The first pass after the session opened takes the link's counters as its base.
sleep 2.5
read -r in0 out0 < <(octets)
kill -USR1 "$daemon"
for _ in $(seq 50); do [[ -s "$WORK/run/ppp0.traffic-done" ]] && break; sleep 0.1; done
[[ -s "$WORK/run/ppp0.traffic-done" ]] || fail "no traffic moved through ppp0"
read -r in1 out1 < <(octets)
sleep 2.5

# Hung up from outside, as `poff` would.
n=$(trace_lines one)
kill -TERM "$daemon"
wait_new_trace one "$n" 'main-status Offline' 5 >/dev/null || fail "the session did not end"
sleep 0.5
python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump.txt"
[[ $(wc -l <"$WORK/dump.txt") == 2 ]] || fail "expected a header and one session: $(cat "$WORK/dump.txt")"
IFS='|' read -r _ _ _ _ received sent started _ < <(sed -n 2p "$WORK/dump.txt")
[[ -n "$started" ]] || fail "the second record is no session: $(cat "$WORK/dump.txt")"
((in1 - in0 > 0 && out1 - out0 > 0)) || fail "ip -s link saw no octets: $in0 $out0 / $in1 $out1"
[[ "$received" == "$((in1 - in0))" && "$sent" == "$((out1 - out0))" ]] ||
    fail "the session holds $received received and $sent sent; ip -s link counted $((in1 - in0)) and $((out1 - out0))"
echo "1 passed, 0 failed"
