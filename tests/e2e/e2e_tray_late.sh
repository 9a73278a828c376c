#!/usr/bin/env bash
# Started in tray mode before the desktop's notification area (as at log-in, before the panel), the program
# shows its main window at once, without a box, and once the notification area comes it puts its icon there
# and hides the window.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
host() { /usr/bin/python3 "$here/tray_host.py" "$@"; }

start_xvfb
bus_pid_file="$WORK/bus.pid"
export DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --print-address --fork --print-pid=5 5>"$bus_pid_file")
PIDS+=("$(cat "$bus_pid_file")")
"$SIM" init "Home ISP"
mkdir -p "$XDG_CONFIG_HOME/QovRuvela"
printf '[Ruvela]\nCheck%%20In%%20Tray=1\n' >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"

start_program late
program=$LAST_PID
wait_trace late 'waiting for a notification area' 10 >/dev/null || fail "the program did not wait for a notification area"
wait_trace late 'main-window shown' 3 >/dev/null || fail "the main window did not show while the program waits"
sleep 4
grep -q 'message-box' "$WORK/trace-late.txt" && fail "the program did not wait quietly"
xdotool search --onlyvisible --name '^Qov Ruvela v2\.2\.1$' >/dev/null 2>&1 || fail "the main window is not on screen"

# The panel comes: its watcher appears on the session bus.
/usr/bin/python3 -m dbusmock --template "$here/status_notifier_watcher.py" >"$WORK/watcher.txt" 2>&1 &
PIDS+=($!)
wait_trace late 'tray-icon shown' 5 >/dev/null || fail "the icon did not come with the notification area"
host item >/dev/null || fail "no icon registered with the notification area"
[[ "$(host tooltip)" == "Qov Ruvela v2.2.1" ]] || fail "the tooltip is \"$(host tooltip)\""
wait_trace late 'main-window hidden' 3 >/dev/null || fail "the main window did not go into the tray"
xdotool search --onlyvisible --name '^Qov Ruvela v2\.2\.1$' >/dev/null 2>&1 && fail "the main window stayed on screen"

host click Remove
for _ in $(seq 50); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$program" 2>/dev/null && fail "\"Remove\" did not end the program"
echo "1 passed, 0 failed"
