#!/usr/bin/env bash
# A settings lock that cannot be removed, and a setting changed during a session ("Close" in tray mode
# stores the window's place): the tick never waits on the lock, the session's record keeps its 15-second
# saves, the status line says the change waits, and the change is saved once the lock is gone.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
start_xvfb
start_tray_host
"$SIM" init "Home ISP"

own_program_folder
FILE="$WORK/bin/locked.rvl"
CONF="$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"
python3 "$here/profile_file.py" header "$FILE" 1 31
printf '[Ruvela]\nPersonal%%20Account=locked.rvl\nCheck%%20In%%20Tray=1\n' >"$CONF"
now() { date +%s.%N; }

start_program main
wait_trace main 'tray-icon shown' 10 >/dev/null || fail "the tray icon was not shown"
n=$(trace_lines main)
host click Open
wait_new_trace main "$n" 'main-window shown' 3 >/dev/null || fail "\"Open\" did not show the main window"
wid=$(xdotool search --sync --onlyvisible --name '^Qov Ruvela v2\.2\.1$' | head -1)

n=$(trace_lines main)
t0=$(now)
"$SIM" connect "Home ISP"
wait_new_trace main "$n" 'main-status Online' 3 >/dev/null || fail "the session did not start"
sleep 2

# A folder where the lock file belongs: nothing can take or remove it.
mkdir -p "$CONF.lock/held"
n=$(trace_lines main)
xdotool mousemove --window "$wid" 12 8 click 1
wait_new_trace main "$n" 'status-line .*locked' 3 >/dev/null || fail "the status line did not say the settings wait"
sleep 20
tk=$(now)

# Every second ticked: no gap of more than two seconds between the session's status changes.
awk '/main-status Online/ { split($1, t, ":"); s = t[1] * 3600 + t[2] * 60 + t[3];
       if (last && s - last > 2.5) { print "gap of " s - last " s before " $1; bad = 1 } last = s }
     END { exit bad }' "$WORK/trace-main.txt" || fail "the tick waited on the lock"
[[ $(tail -n +"$n" "$WORK/trace-main.txt" | grep -c 'main-status Online') -ge 12 ]] ||
    fail "the tick stopped after the change"
python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump-during.txt"
python3 "$here/session_check.py" "$WORK/dump-during.txt" 1 "$t0" "$tk" 16 ||
    fail "the open session's record missed its 15-second saves"
grep -q '^MainLeft=' "$CONF" && fail "the change was written through the lock"

# The lock goes: the waiting change is saved and the notice cleared.
n=$(trace_lines main)
rm -rf "$CONF.lock"
wait_new_trace main "$n" 'status-line ?$' 3 >/dev/null || fail "the notice was not cleared once the lock went"
grep -q '^MainLeft=' "$CONF" || fail "the waiting change was not saved: $(cat "$CONF")"

n=$(trace_lines main)
"$SIM" disconnect
t1=$(now)
wait_new_trace main "$n" 'main-status Offline' 3 >/dev/null || fail "the session did not end"
sleep 0.5
python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump-end.txt"
python3 "$here/session_check.py" "$WORK/dump-end.txt" 1 "$t0" "$t1" 3 || fail "the session record is wrong"
echo "1 passed, 0 failed"
