#!/usr/bin/env bash
# An allowance of one hour warned of at 1 %: the real program warns 36 s into a session, with no box and no
# notification service on a bus, the session is recorded to the second all the same, and a restart in the
# same period does not warn of that threshold again.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
start_xvfb
unset DBUS_SESSION_BUS_ADDRESS
"$SIM" init "Home ISP"

own_program_folder
FILE="$WORK/bin/allowance.rvl"
python3 "$here/profile_file.py" header "$FILE" 1 31
printf '[Ruvela]\nPersonal%%20Account=allowance.rvl\nAllowanceHours=1\nAllowanceThresholds=1\nAllowanceNotifyDesktop=1\n' \
    >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"
now() { date +%s.%N; }

start_program one
wait_trace one 'main-status Offline' 10 >/dev/null || fail "the tracker did not start"
n=$(trace_lines one)
t0=$(now)
"$SIM" connect "Home ISP"
wait_new_trace one "$n" 'main-status Online' 3 >/dev/null || fail "the session did not start"
took=$(wait_new_trace one "$n" 'allowance-warning' 45) || fail "no warning at 1 % of the hour"
(($(echo "$took >= 33" | bc))) || fail "the warning came after $took s, before 1 % of the hour was used"
sleep 4
n=$(trace_lines one)
"$SIM" disconnect
t1=$(now)
wait_new_trace one "$n" 'main-status Offline' 3 >/dev/null || fail "the session did not end"
sleep 0.5
grep -q 'message-box' "$WORK/trace-one.txt" && fail "a box was opened: $(grep message-box "$WORK/trace-one.txt")"
python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump-one.txt"
python3 "$here/session_check.py" "$WORK/dump-one.txt" 1 "$t0" "$t1" 3 || fail "the warned session's record is wrong"
kill "$LAST_PID"
wait "$LAST_PID" 2>/dev/null || true

# The same period after a restart: the threshold was passed and is not warned of again.
start_program two
wait_trace two 'main-status Offline' 10 >/dev/null || fail "the restarted tracker did not start"
n=$(trace_lines two)
"$SIM" connect "Home ISP"
wait_new_trace two "$n" 'main-status Online' 3 >/dev/null || fail "the session after the restart did not start"
sleep 4
grep -q 'allowance-warning' "$WORK/trace-two.txt" && fail "the passed threshold was warned of again"
echo "1 passed, 0 failed"
