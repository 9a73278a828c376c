#!/usr/bin/env bash
# `qovruvela --headless` with no display at all: it records a session to the second, warns of an allowance
# threshold once on standard error, loses at most a quarter-minute to kill -9 and closes the open session
# within two seconds of SIGTERM; it shares the one-copy lock with the window program both ways; --help and
# --version answer without a display; the report command totals the recorder's file.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
built="$(dirname "$PROGRAM")"
# A display only for the window copies; the recorder never sees one.
start_xvfb
XDISPLAY="$DISPLAY"
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM
"$SIM" init "Home ISP" "Work"

own_program_folder
cp "$built/qovruvela-recorder" "$built/qovruvela-report" "$WORK/bin/"
FILE="$WORK/bin/headless.rvl"
python3 "$here/profile_file.py" header "$FILE" 1 31
printf '[Ruvela]\nPersonal%%20Account=headless.rvl\nAllowanceHours=1\nAllowanceThresholds=1\n' \
    >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"
dump() { python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump-$1.txt"; }
now() { date +%s.%N; }

# Its standard error is the trace: one line per event.
start_headless() {
    "$PROGRAM" --headless 2>"$WORK/trace-$1.txt" &
    LAST_PID=$!
    PIDS+=("$LAST_PID")
    wait_trace "$1" 'records without windows' 10 >/dev/null || fail "the headless copy $1 did not start"
}
start_window() {
    DISPLAY="$XDISPLAY" QT_QPA_PLATFORM=xcb QOVRUVELA_TRACE="$WORK/trace-$1.txt" "$PROGRAM" >"$WORK/out-$1.txt" 2>&1 &
    LAST_PID=$!
    PIDS+=("$LAST_PID")
}

[[ "$("$PROGRAM" --version)" == "qovruvela 2.2.1" ]] || fail "--version without a display: $("$PROGRAM" --version 2>&1)"
[[ "$("$PROGRAM" --help)" == *--headless* ]] || fail "--help without a display does not name --headless"

start_headless one
one=$LAST_PID
[[ "$(readlink "/proc/$one/exe")" == "$WORK/bin/qovruvela-recorder" ]] || fail "--headless runs $(readlink "/proc/$one/exe")"
grep -qE 'libQt6(Widgets|Gui)' "/proc/$one/maps" && fail "the headless copy has a widget or GUI library loaded"

# A session of forty seconds, warned of at 1 % of the hour (36 s), once.
n=$(trace_lines one)
t0=$(now)
"$SIM" connect "Home ISP"
wait_new_trace one "$n" 'Session started on "Home ISP"' 3 >/dev/null || fail "the session did not start"
wait_new_trace one "$n" 'Allowance warning: 1 % of the allowance used' 45 >/dev/null || fail "no allowance warning"
sleep 4
[[ $(grep -c 'Allowance warning' "$WORK/trace-one.txt") == 1 ]] || fail "the allowance was warned of more than once"

# A window copy started meanwhile is refused, as a second window copy is.
start_window refused
wait_trace refused 'refused: already running' 10 >/dev/null || fail "the window copy was not refused"
wait_trace refused 'no running window to show' 2 >/dev/null || fail "the window copy found a window to show"
kill "$LAST_PID" 2>/dev/null || true

n=$(trace_lines one)
"$SIM" disconnect
t1=$(now)
wait_new_trace one "$n" 'Session ended on "Home ISP"' 3 >/dev/null || fail "the session did not end"
sleep 0.5
dump first
python3 "$here/session_check.py" "$WORK/dump-first.txt" 1 "$t0" "$t1" 3 || fail "the session record disagrees with the clock"

# kill -9 during a session: the open record is at most a quarter-minute old.
n=$(trace_lines one)
t2=$(now)
"$SIM" connect "Work"
wait_new_trace one "$n" 'Session started on "Work"' 3 >/dev/null || fail "the second session did not start"
sleep 22
tk=$(now)
kill -9 "$one"
wait "$one" 2>/dev/null || true
dump killed
[[ "$(sed -n 2p "$WORK/dump-killed.txt")" == "$(sed -n 2p "$WORK/dump-first.txt")" ]] || fail "the first record changed"
python3 "$here/session_check.py" "$WORK/dump-killed.txt" 2 "$t2" "$tk" 16 || fail "kill -9 lost more than 15 s"

# Restarted while the line is still up: a new session at once, closed within two seconds of SIGTERM.
t3=$(now)
start_headless two
two=$LAST_PID
n=$(trace_lines two)
wait_trace two 'Session started on "Work"' 3 >/dev/null || fail "the restart did not record the open line"
sleep 5
tt=$(now)
kill -TERM "$two"
for _ in $(seq 40); do kill -0 "$two" 2>/dev/null || break; sleep 0.05; done
kill -0 "$two" 2>/dev/null && fail "the headless copy did not end within two seconds of SIGTERM"
wait "$two" 2>/dev/null || true
grep -q 'Session ended on "Work"' "$WORK/trace-two.txt" || fail "the end did not say the session was closed"
dump term
python3 "$here/session_check.py" "$WORK/dump-term.txt" 3 "$t3" "$tt" 2 || fail "SIGTERM did not close the record in time"
"$SIM" disconnect

# The report command with no file totals the file the recorder wrote.
found=$("$WORK/bin/qovruvela-report" --json | python3 -c \
    'import json, sys; f = json.load(sys.stdin)[0]; print(f["file"], len(f["sessions"]))') ||
    fail "qovruvela-report --json without a file failed"
[[ "$found" == "$FILE 3" ]] || fail "qovruvela-report found $found, not the recorder's $FILE with 3 sessions"

# --headless beside a window copy: said on standard error, status 1.
start_window window
wait_trace window 'main-status Offline' 10 >/dev/null || fail "the window copy did not start"
status=0
"$PROGRAM" --headless 2>"$WORK/trace-beside.txt" || status=$?
((status == 1)) || fail "--headless beside a window copy ended with $status"
grep -q 'is already running' "$WORK/trace-beside.txt" || fail "--headless beside a window copy did not say why"
echo "1 passed, 0 failed"
