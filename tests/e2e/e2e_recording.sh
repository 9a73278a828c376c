#!/usr/bin/env bash
# The real program records sessions into a personal file: a session's record agrees with the wall clock,
# a copy killed during a session leaves every earlier record intact and the open one at most 15 s old, and
# the next start appends after it.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
start_xvfb
"$SIM" init "Home ISP" "Work"

# A copy of the program in a folder of its own, so its personal file lives there.
own_program_folder
FILE="$WORK/bin/e2e.rvl"
python3 "$here/profile_file.py" header "$FILE" 1 31
printf '[Ruvela]\nPersonal%%20Account=e2e.rvl\n' >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"

dump() { python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump-$1.txt"; }
records() { wc -l <"$WORK/dump-$1.txt"; }
now() { date +%s.%N; }

start_program one
wait_trace one 'main-window shown' 10 >/dev/null || fail "the main window was not shown"
wait_trace one 'main-status Offline' 5 >/dev/null || fail "the tracker did not start"

# One whole session.
n=$(trace_lines one)
t0=$(now)
"$SIM" connect "Home ISP"
wait_new_trace one "$n" 'main-status Online' 3 >/dev/null || fail "the session did not start"
sleep 20
n=$(trace_lines one)
"$SIM" disconnect
t1=$(now)
wait_new_trace one "$n" 'main-status Offline' 3 >/dev/null || fail "the session did not end"
sleep 0.5
dump first
[[ $(records first) == 2 ]] || fail "expected a header and one session: $(cat "$WORK/dump-first.txt")"
python3 "$here/session_check.py" "$WORK/dump-first.txt" 1 "$t0" "$t1" 3 || fail "the session record disagrees with the clock"

# A session cut short by SIGKILL.
n=$(trace_lines one)
t2=$(now)
"$SIM" connect "Work"
wait_new_trace one "$n" 'main-status Online' 3 >/dev/null || fail "the second session did not start"
sleep 22
tk=$(now)
kill -9 "$LAST_PID"
wait "$LAST_PID" 2>/dev/null || true
dump killed
[[ $(records killed) == 3 ]] || fail "expected the open session's record after the kill"
[[ "$(sed -n 2p "$WORK/dump-killed.txt")" == "$(sed -n 2p "$WORK/dump-first.txt")" ]] ||
    fail "the earlier session record changed"
python3 "$here/session_check.py" "$WORK/dump-killed.txt" 2 "$t2" "$tk" 16 ||
    fail "the open session's record is more than 15 s old"

# The next start appends after it.
"$SIM" disconnect
start_program two
wait_trace two 'main-window shown' 10 >/dev/null || fail "the restart did not show its window"
wait_trace two 'main-status Offline' 5 >/dev/null || fail "the restarted tracker did not start"
n=$(trace_lines two)
"$SIM" connect "Home ISP"
wait_new_trace two "$n" 'main-status Online' 3 >/dev/null || fail "the session after the restart did not start"
sleep 2
n=$(trace_lines two)
"$SIM" disconnect
wait_new_trace two "$n" 'main-status Offline' 3 >/dev/null || fail "the session after the restart did not end"
sleep 0.5
dump again
[[ $(records again) == 4 ]] || fail "the session after the restart did not append: $(cat "$WORK/dump-again.txt")"
[[ "$(head -3 "$WORK/dump-again.txt")" == "$(cat "$WORK/dump-killed.txt")" ]] || fail "earlier records changed"
echo "1 passed, 0 failed"
