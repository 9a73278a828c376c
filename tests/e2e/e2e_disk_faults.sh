#!/usr/bin/env bash
# The program's folder on a small file system of its own that fills up and goes read-only: recording
# resumes by itself once the fault is gone, without a restart, and no session is lost.
#   - the disk full during a session, then space freed: the session is in the file with its right end;
#   - the folder read-only at a session's end, then writable: that session and the next are recorded;
#   - the disk full at a roll-over, then space freed: the next session lands in the new period's file.
# Mounting needs root: without it the test says so and is skipped.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
small_program_folder

start_xvfb
"$SIM" init "Home ISP"
own_program_folder "$BIN"
now() { date +%s.%N; }

use_file() {
    FILE="$BIN/$1.rvl"
    printf '[Ruvela]\nPersonal%%20Account=%s.rvl\n' "$1" >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"
}
dump() { python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump-$1.txt"; }
fill_disk() { dd if=/dev/zero of="$BIN/filler" bs=4k >/dev/null 2>&1 || true; }
free_disk() { rm -f "$BIN/filler"; }
check_session() { # DUMP INDEX T0 T1
    python3 "$here/session_check.py" "$WORK/dump-$1.txt" "$2" "$3" "$4" 3 ||
        fail "session $2 disagrees with the clock: $(cat "$WORK/dump-$1.txt")"
}
connect() {
    local n
    n=$(trace_lines main)
    "$SIM" connect "Home ISP"
    wait_new_trace main "$n" 'main-status Online' 3 >/dev/null || fail "a session did not start"
}
disconnect() {
    local n
    n=$(trace_lines main)
    "$SIM" disconnect
    wait_new_trace main "$n" 'main-status Offline' 3 >/dev/null || fail "a session did not end"
}

# 38 earlier sessions end the file 40 bytes short of a page: the next record needs a page the full disk
# does not have.
use_file faults
python3 "$here/profile_file.py" header "$FILE" 1 31
python3 "$here/profile_file.py" sessions "$FILE" 38
start_program main
wait_trace main 'main-status Offline' 10 >/dev/null || fail "the tracker did not start"

# The disk fills up before a session; its record waits in memory until space is freed.
fill_disk
t0=$(now)
connect
sleep 17
disconnect
t1=$(now)
wait_trace main 'status-line .*1 session record.* waiting to be written' 3 >/dev/null ||
    fail "the status line did not say a session record is waiting"
dump full
[[ $(wc -l <"$WORK/dump-full.txt") == 39 ]] || fail "the full disk took a record"
n=$(trace_lines main)
free_disk
wait_new_trace main "$n" 'status-line ?$' 3 >/dev/null || fail "the waiting notice was not cleared"
dump freed
check_session freed 39 "$t0" "$t1"

# The folder goes read-only during a session: its end waits, and the next session is recorded without
# a restart once the folder can be written again.
t0=$(now)
connect
sleep 3
mount -o remount,ro "$BIN" || fail "the folder could not be made read-only"
disconnect
t1=$(now)
wait_trace main 'status-line .*(cannot be reached|waiting to be written)' 3 >/dev/null ||
    fail "the status line did not say the file cannot be written"
sleep 2
mount -o remount,rw "$BIN" || fail "the folder could not be made writable again"
sleep 2
t2=$(now)
connect
sleep 4
disconnect
t3=$(now)
sleep 0.5
dump readonly
check_session readonly 40 "$t0" "$t1"
check_session readonly 41 "$t2" "$t3"
[[ $(wc -l <"$WORK/dump-readonly.txt") == 42 ]] || fail "expected two sessions after the read-only folder"
kill "$LAST_PID"
wait "$LAST_PID" 2>/dev/null || true

# A period that ended yesterday and a full disk at start: the finished file moves to its backup slot, the
# new header cannot be written; once space is freed the new file comes by itself and records.
use_file rolled
python3 "$here/profile_file.py" header "$FILE" 1 31 "$(date -d '-40 days' +%Y/%m/%d)" "$(date -d yesterday +%Y/%m/%d)"
python3 "$here/profile_file.py" sessions "$FILE" 2
cp "$FILE" "$WORK/finished.rvl"
fill_disk
: >"$WORK/trace-main.txt"
start_program main
wait_trace main 'main-status Offline' 10 >/dev/null || fail "the tracker did not start on a full disk"
sleep 2
[[ -s "$FILE" ]] && fail "a new header was written on a full disk"
free_disk
for _ in $(seq 40); do
    [[ -s "$FILE" ]] && break
    sleep 0.1
done
[[ -s "$FILE" ]] || fail "the new period's file did not come once space was freed"
cmp -s "$(find "$BIN/rolled" -type f -name '*.rvl' | head -1)" "$WORK/finished.rvl" ||
    fail "the finished file is not whole in its backup slot: $(find "$BIN/rolled" -type f)"
t0=$(now)
connect
sleep 3
disconnect
t1=$(now)
sleep 0.5
dump rolled
[[ $(wc -l <"$WORK/dump-rolled.txt") == 2 ]] || fail "the new period's file: $(cat "$WORK/dump-rolled.txt")"
[[ "$(cut -d'|' -f4 <"$WORK/dump-rolled.txt" | head -1)" > "$(date +%Y/%m/%d)" ]] ||
    fail "the new header's next period is not ahead: $(head -1 "$WORK/dump-rolled.txt")"
check_session rolled 1 "$t0" "$t1"
echo "1 passed, 0 failed"
