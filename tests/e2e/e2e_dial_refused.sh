#!/usr/bin/env bash
# A dial the system refuses at once leaves nothing stuck: the dialer is usable again and keeps the refusal in
# view, the connection monitor watches on, and a connection made afterwards by other means is recorded.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"

start_xvfb
start_tray_host

"$SIM" init "Home ISP"
"$SIM" refuse 711
own_program_folder
FILE="$WORK/bin/e2e.rvl"
python3 "$here/profile_file.py" header "$FILE" 1 31
printf '[Ruvela]\nCheck%%20In%%20Tray=1\nPersonal%%20Account=e2e.rvl\n' >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"

start_program dial
wait_trace dial 'tray-icon shown' 10 >/dev/null || fail "the tray icon was not shown"
n=$(trace_lines dial)
host click "Dial Up"
wait_new_trace dial "$n" 'dialer shown' 3 >/dev/null || fail "the dialer did not open"
window=$(xdotool search --sync --onlyvisible --name '^Qov Ruvela Dial-Up$' | head -1)
[[ -n "$window" ]] || fail "no dialer window on screen"
# The password box is the third in the tab order; Enter there dials.
n=$(trace_lines dial)
xdotool windowfocus --sync "$window"
xdotool key --window "$window" Tab Tab
xdotool type --window "$window" secret
xdotool key --window "$window" Return
wait_new_trace dial "$n" 'dialer-log .*711' 3 >/dev/null || fail "the refusal was not logged"
# The refusal stays in view while the monitor polls on: "Not connected" does not replace it.
sleep 1.5
grep -q 'dialer-status Not connected' <(tail -n +"$((n + 1))" "$WORK/trace-dial.txt") &&
    fail "the refusal was replaced by \"Not connected\""

"$SIM" accept
n=$(trace_lines dial)
t0=$(date +%s.%N)
"$SIM" connect "Home ISP"
wait_new_trace dial "$n" 'main-status Online' 3 >/dev/null || fail "the connection after the refusal was not seen"
sleep 4
n=$(trace_lines dial)
"$SIM" disconnect
t1=$(date +%s.%N)
wait_new_trace dial "$n" 'main-status Offline' 3 >/dev/null || fail "the session did not end"
sleep 0.5
python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump.txt"
python3 "$here/session_check.py" "$WORK/dump.txt" 1 "$t0" "$t1" 3 || fail "no session: $(cat "$WORK/dump.txt")"
echo "1 passed, 0 failed"
