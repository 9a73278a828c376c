#!/usr/bin/env bash
# The real program in tray mode under Xvfb, with a notification-area host on a private session bus: the icon
# appears with its tooltip, its menu lists the items in order with the disconnect item last while connected,
# "Open" and a left click on the icon show the main window and "Remove" ends the program.
source "$(dirname "$0")/lib.sh"

start_xvfb
start_tray_host

"$SIM" init "Home ISP" "Work"
mkdir -p "$XDG_CONFIG_HOME/QovRuvela"
printf '[Ruvela]\nCheck%%20In%%20Tray=1\n' >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"

start_program tray
program=$LAST_PID
wait_trace tray 'tray-icon shown' 10 >/dev/null || fail "the tray icon was not shown"
grep -q 'main-window shown' "$WORK/trace-tray.txt" && fail "the main window was shown in tray mode"
host item >/dev/null || fail "no icon registered with the notification area"
[[ "$(host tooltip)" == "Qov Ruvela v2.2.1" ]] || fail "the tooltip is \"$(host tooltip)\""
expected=$'About\nHelp\nDial Up\nOpen\nDisabled\nRemove'
[[ "$(host menu)" == "$expected" ]] || fail "the menu is: $(host menu | tr '\n' ',')"

n=$(trace_lines tray)
"$SIM" connect "Home ISP"
wait_new_trace tray "$n" 'dialer-status Connected$' 3 >/dev/null || fail "the connection was not seen"
sleep 0.3
[[ "$(host menu | tail -1)" == "Disconnect Home ISP" ]] || fail "no disconnect item last: $(host menu | tr '\n' ',')"

n=$(trace_lines tray)
host click "Disconnect Home ISP"
wait_new_trace tray "$n" 'dialer-status Not connected' 3 >/dev/null || fail "the disconnect item did not hang up"
[[ "$(host menu)" == "$expected" ]] || fail "the disconnect item stayed: $(host menu | tr '\n' ',')"

n=$(trace_lines tray)
host click Open
wait_new_trace tray "$n" 'main-window shown' 3 >/dev/null || fail "\"Open\" did not show the main window"
main=$(xdotool search --sync --onlyvisible --name '^Qov Ruvela v2\.2\.1$' | head -1)
[[ -n "$main" ]] || fail "no main window on screen"

# "Close" (Alt+C) hides the window in tray mode; a left click on the icon opens it again.
xdotool windowfocus --sync "$main"
xdotool key --window "$main" alt+c
for _ in $(seq 30); do
    xdotool search --onlyvisible --name '^Qov Ruvela v2\.2\.1$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Qov Ruvela v2\.2\.1$' >/dev/null 2>&1 && fail "Alt+C did not hide the window"
n=$(trace_lines tray)
host activate
wait_new_trace tray "$n" 'main-window shown' 3 >/dev/null || fail "a left click on the icon did not show the main window"

host click Remove
for _ in $(seq 50); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$program" 2>/dev/null && fail "\"Remove\" did not end the program"
wait "$program" || fail "the program ended with an error"
echo "1 passed, 0 failed"
