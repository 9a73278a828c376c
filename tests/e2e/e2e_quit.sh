#!/usr/bin/env bash
# Ending the program during a session keeps the session to its last second: SIGTERM (as the session
# manager and `kill` send it) and "Close" in the menu both leave the open session's record with the end
# time of the moment the program was told to end, not of its last 15-second save.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
start_xvfb
"$SIM" init "Home ISP"

own_program_folder
FILE="$WORK/bin/e2e.rvl"
python3 "$here/profile_file.py" header "$FILE" 1 31
printf '[Ruvela]\nPersonal%%20Account=e2e.rvl\n' >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"
dump() { python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump-$1.txt"; }
now() { date +%s.%N; }

# Waits until the wall clock's seconds are 12 past a quarter minute: the last save is then 12 s old.
wait_past_save() {
    while (($(date +%S | sed 's/^0//') % 15 != 12)); do sleep 0.2; done
}

# Starts run NAME and a session in it; sets T0 to the connection's moment.
session_in() {
    local name="$1" n
    start_program "$name"
    wait_trace "$name" 'main-window shown' 10 >/dev/null || fail "$name: the main window was not shown"
    wait_trace "$name" 'main-status Offline' 5 >/dev/null || fail "$name: the tracker did not start"
    n=$(trace_lines "$name")
    T0=$(now)
    "$SIM" connect "Home ISP"
    wait_new_trace "$name" "$n" 'main-status Online' 3 >/dev/null || fail "$name: the session did not start"
    sleep 3
    wait_past_save
}

ended() {
    local pid="$1" i
    for i in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# SIGTERM.
session_in term
tk=$(now)
kill -TERM "$LAST_PID"
ended "$LAST_PID" || fail "SIGTERM did not end the program"
wait "$LAST_PID" || fail "the program ended with status $? on SIGTERM"
grep -q 'session closed at exit' "$WORK/trace-term.txt" || fail "the open session was not closed at the end"
dump term
python3 "$here/session_check.py" "$WORK/dump-term.txt" 1 "$T0" "$tk" 2 ||
    fail "after SIGTERM the record does not end when the program was told to: $(cat "$WORK/dump-term.txt")"

# "Close" in the menu, the menu bar's first item.
"$SIM" disconnect
session_in close
wid=$(xdotool search --onlyvisible --name '^Qov Ruvela v2\.2\.1$' | head -1)
[[ -n "$wid" ]] || fail "no main window to close"
tk=$(now)
xdotool mousemove --window "$wid" 12 8 click 1
ended "$LAST_PID" || fail "\"Close\" did not end the program"
dump close
[[ $(wc -l <"$WORK/dump-close.txt") == 3 ]] || fail "expected a second session record: $(cat "$WORK/dump-close.txt")"
python3 "$here/session_check.py" "$WORK/dump-close.txt" 2 "$T0" "$tk" 2 ||
    fail "after \"Close\" the record does not end when the program was told to: $(cat "$WORK/dump-close.txt")"
echo "1 passed, 0 failed"
