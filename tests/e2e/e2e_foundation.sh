#!/usr/bin/env bash
# The real program under Xvfb with the file-driven dial-up system: its window appears, a second copy is
# refused, connections are seen within two seconds, and a killed copy does not block the next start.
source "$(dirname "$0")/lib.sh"
start_xvfb
"$SIM" init "Home ISP" "Work"

start_program first
first=$LAST_PID
wait_trace first 'main-window shown' 10 >/dev/null || fail "the main window was not shown"
xdotool search --sync --onlyvisible --name '^Qov Ruvela v2\.2\.1$' >/dev/null || fail "no window titled Qov Ruvela v2.2.1"
wait_trace first 'dialer-status Not connected' 5 >/dev/null || fail "the monitor did not report Not connected"

# A second copy shows its notice and no main window, and the first copy goes on.
start_program second
second=$LAST_PID
wait_trace second 'refused: already running' 10 >/dev/null || fail "the second copy was not refused"
sleep 1
grep -q 'main-window' "$WORK/trace-second.txt" && fail "the second copy created a main window"
windows=$(xdotool search --onlyvisible --pid "$second" 2>/dev/null | wc -l)
for w in $(xdotool search --onlyvisible --pid "$second" 2>/dev/null); do
    read -r width height < <(xwininfo -id "$w" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
    ((width < 500 && height < 300)) || fail "the second copy shows a window of ${width}x${height}"
done
echo "second copy: refused, $windows small notice window(s)"
kill "$second"
kill -0 "$first" || fail "the first copy ended"

# Connect and disconnect through the simulation file.
n=$(trace_lines first)
"$SIM" connect "Home ISP"
took=$(wait_new_trace first "$n" 'dialer-status Connected$' 2) || fail "a connection was not seen within 2 s"
echo "connection seen after $took s"
n=$(trace_lines first)
"$SIM" disconnect
took=$(wait_new_trace first "$n" 'dialer-status Not connected' 2) || fail "the end of a connection was not seen within 2 s"
echo "disconnection seen after $took s"

# A malformed file is reported on the status text, and the program keeps running.
n=$(trace_lines first)
echo "nonsense here" >>"$QOVRUVELA_SIMULATE/dialup.txt"
wait_new_trace first "$n" 'dialer-status Error : Cannot retrieve connection details' 3 >/dev/null ||
    fail "a malformed simulation file was not reported"
"$SIM" init "Home ISP" "Work"
kill -0 "$first" || fail "the program ended on a malformed simulation file"

# A copy killed outright leaves no lock behind that would refuse the next start.
kill -9 "$first"
wait "$first" 2>/dev/null || true
start_program third
wait_trace third 'main-window shown' 10 >/dev/null || fail "the start after a killed copy did not show its window"
grep -q 'refused' "$WORK/trace-third.txt" && fail "the start after a killed copy was refused"
echo "1 passed, 0 failed"
