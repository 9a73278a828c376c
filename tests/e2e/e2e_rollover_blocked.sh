#!/usr/bin/env bash
# A roll-over that keeps failing during a three-minute session (a plain file where the backup folder
# belongs): the record counts each clock minute once and is rewritten on quarter-minute marks, not every
# second; once the obstacle goes, the roll-over happens by itself at the next tick, the finished file keeps
# the session up to that moment and the new period's file goes on with it.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
start_xvfb
"$SIM" init "Home ISP"
own_program_folder
now() { date +%s.%N; }
dump() { python3 "$here/profile_file.py" dump "$1" >"$WORK/dump-$2.txt"; }

FILE="$WORK/bin/blocked.rvl"
printf '[Ruvela]\nPersonal%%20Account=blocked.rvl\n' >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"
python3 "$here/profile_file.py" header "$FILE" 1 31 "$(date -d '-40 days' +%Y/%m/%d)" "$(date -d yesterday +%Y/%m/%d)"
python3 "$here/profile_file.py" sessions "$FILE" 2
echo "in the way" >"$WORK/bin/blocked"

start_program main
wait_trace main 'message-box The backup folder .* could not be created' 10 >/dev/null ||
    fail "the backup error was not shown"
wait_trace main 'main-status Offline' 5 >/dev/null || fail "the tracker did not tick under the box"
# The user reads the box and presses OK: the same failure opens no second box, and every tick tries again.
box=""
for w in $(xdotool search --onlyvisible --pid "$LAST_PID" 2>/dev/null); do
    [[ $(xwininfo -id "$w" | awk '/Height:/ { print $2 }') -lt 300 ]] && box="$w"
done
[[ -n "$box" ]] || fail "the box's window was not found"
xdotool windowfocus --sync "$box"
xdotool key Return
sleep 1
[[ $(grep -c 'message-box' "$WORK/trace-main.txt") == 1 ]] || fail "more than one box was opened"

n=$(trace_lines main)
t0=$(now)
"$SIM" connect "Home ISP"
wait_new_trace main "$n" 'main-status Online' 3 >/dev/null || fail "the session did not start"
# The session's record, looked at every second for three minutes.
s0=$(now)
for _ in $(seq 178); do
    python3 "$here/profile_file.py" dump "$FILE" | sed -n 4p >>"$WORK/samples.txt"
    sleep 1
done
s1=$(now)
python3 - "$WORK/samples.txt" "$s0" "$s1" <<'EOF' || fail "the record was not saved on quarter-minute marks"
import sys
ends = []
for line in open(sys.argv[1]):
    end = line.split("|")[7]
    if not ends or ends[-1] != end:
        ends.append(end)
seconds = [int(end[-5:-3]) for end in ends[1:]]
off_mark = [s for s in seconds if s % 15 > 1]
# One save at the start and one a quarter-minute while the samples ran (longer on a busy machine): never
# one a second.
allowed = (float(sys.argv[3]) - float(sys.argv[2])) / 15 + 2
if len(ends) > allowed or off_mark:
    sys.exit(f"{len(ends)} different end times, {off_mark} off the quarter-minute marks: {ends}")
EOF
[[ -f "$WORK/bin/blocked" && ! -d "$WORK/bin/blocked" ]] || fail "the obstacle went away by itself"
[[ -z "$(find "$WORK/bin" -maxdepth 1 -name '*.rollover')" ]] || fail "a failed roll-over left its marker"

# The obstacle goes: the next tick rolls over.
rm "$WORK/bin/blocked"
t1=$(now)
for _ in $(seq 30); do
    [[ -f "$WORK/bin/blocked/1.rvl" ]] && break
    sleep 0.1
done
[[ -f "$WORK/bin/blocked/1.rvl" ]] || fail "the roll-over did not happen once the way was clear"
sleep 4
n=$(trace_lines main)
"$SIM" disconnect
t2=$(now)
wait_new_trace main "$n" 'main-status Offline' 3 >/dev/null || fail "the session did not end"
sleep 0.5

dump "$WORK/bin/blocked/1.rvl" finished
[[ $(wc -l <"$WORK/dump-finished.txt") == 4 ]] || fail "the finished file: $(cat "$WORK/dump-finished.txt")"
python3 "$here/session_check.py" "$WORK/dump-finished.txt" 3 "$t0" "$t1" 3 ||
    fail "the session in the finished file disagrees with the clock"
dump "$FILE" current
[[ $(wc -l <"$WORK/dump-current.txt") == 2 ]] || fail "the new period's file: $(cat "$WORK/dump-current.txt")"
[[ "$(head -1 "$WORK/dump-current.txt" | cut -d'|' -f4)" > "$(date +%Y/%m/%d)" ]] ||
    fail "the new header's next period is not ahead: $(head -1 "$WORK/dump-current.txt")"
python3 "$here/session_check.py" "$WORK/dump-current.txt" 1 "$t1" "$t2" 3 ||
    fail "the session in the new period's file disagrees with the clock"
[[ -z "$(find "$WORK/bin" -maxdepth 1 -name '*.rollover' -o -maxdepth 1 -name '*.new')" ]] ||
    fail "the roll-over left a marker or a temporary file"
echo "1 passed, 0 failed"
