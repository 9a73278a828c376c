#!/usr/bin/env bash
# Sessions that meet a disk that says no keep every second, on a small file system of the test's own:
#   - a session that begins while the folder is read-only is written with its true start once it is not;
#   - records waiting for a full disk at a normal end go to the journal, and the next start writes them
#     once (a second restart writes nothing again);
#   - a program folder read-only at start: the user's file there is used, and the session recorded while
#     the folder is read-only lands in it once the folder can be written.
# Mounting needs root: without it the test says so and is skipped.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
small_program_folder

start_xvfb
"$SIM" init "Home ISP"
own_program_folder "$BIN"
now() { date +%s.%N; }
FILE="$BIN/faults.rvl"
printf '[Ruvela]\nPersonal%%20Account=faults.rvl\n' >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"
python3 "$here/profile_file.py" header "$FILE" 1 31
# 38 earlier sessions end the file 40 bytes short of a page: the next record needs a page a full disk lacks.
python3 "$here/profile_file.py" sessions "$FILE" 38
dump() { python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump-$1.txt"; }
records() { wc -l <"$WORK/dump-$1.txt"; }
check_session() { # DUMP INDEX T0 T1
    python3 "$here/session_check.py" "$WORK/dump-$1.txt" "$2" "$3" "$4" 3 ||
        fail "session $2 disagrees with the clock: $(cat "$WORK/dump-$1.txt")"
}
connect() {
    local n
    n=$(trace_lines "$1")
    "$SIM" connect "Home ISP"
    wait_new_trace "$1" "$n" 'main-status Online' 3 >/dev/null || fail "a session did not start"
}
disconnect() {
    local n
    n=$(trace_lines "$1")
    "$SIM" disconnect
    wait_new_trace "$1" "$n" 'main-status Offline' 3 >/dev/null || fail "a session did not end"
}

# 1. A session ends while the folder is read-only, and the next one begins before it is writable again.
start_program one
wait_trace one 'main-status Offline' 10 >/dev/null || fail "the tracker did not start"
t0=$(now)
connect one
sleep 2
mount -o remount,ro "$BIN" || fail "the folder could not be made read-only"
disconnect one
t1=$(now)
sleep 1
t2=$(now)
connect one
sleep 5
mount -o remount,rw "$BIN" || fail "the folder could not be made writable again"
sleep 3
disconnect one
t3=$(now)
sleep 0.5
dump readonly
[[ $(records readonly) == 41 ]] || fail "expected two sessions after the read-only spell: $(tail -3 "$WORK/dump-readonly.txt")"
check_session readonly 39 "$t0" "$t1"
check_session readonly 40 "$t2" "$t3"

kill "$LAST_PID"
wait "$LAST_PID" 2>/dev/null || true

# 2. The disk full during a ten-second session and at the program's end: the journal keeps the record.
# 78 records end the file 80 bytes short of its second page: the next record needs a page the disk lacks.
python3 "$here/profile_file.py" sessions "$FILE" 37
start_program two
wait_trace two 'main-status Offline' 10 >/dev/null || fail "the second start did not tick"
dd if=/dev/zero of="$BIN/filler" bs=4k >/dev/null 2>&1 || true
t0=$(now)
connect two
sleep 10
kill -TERM "$LAST_PID"
t1=$(now)
wait "$LAST_PID" 2>/dev/null || true
grep -q "kept in $XDG_STATE_HOME/QovRuvela/pending-records" "$WORK/out-two.txt" ||
    fail "the end did not say where the waiting record went: $(cat "$WORK/out-two.txt")"
[[ -f "$XDG_STATE_HOME/QovRuvela/pending-records" ]] || fail "no journal was written"
"$SIM" disconnect
rm -f "$BIN/filler"
start_program three
wait_trace three 'journal replayed' 10 >/dev/null || fail "the journal was not replayed"
wait_trace three 'status-line 1 session record kept at the last exit was written' 3 >/dev/null ||
    fail "the status line did not say the kept record was written"
[[ ! -e "$XDG_STATE_HOME/QovRuvela/pending-records" ]] || fail "the journal was not removed"
dump journal
[[ $(records journal) == 79 ]] || fail "expected the kept record: $(tail -2 "$WORK/dump-journal.txt")"
check_session journal 78 "$t0" "$t1"
kill "$LAST_PID"
wait "$LAST_PID" 2>/dev/null || true
start_program again
wait_trace again 'main-status Offline' 10 >/dev/null || fail "the fourth start did not tick"
grep -q 'journal replayed' "$WORK/trace-again.txt" && fail "the journal was replayed twice"
dump again
[[ $(records again) == 79 ]] || fail "a record was written twice"
kill "$LAST_PID"
wait "$LAST_PID" 2>/dev/null || true

# 3. The program folder read-only at start: the file there is used, and written once the folder is not.
mount -o remount,ro "$BIN" || fail "the folder could not be made read-only"
start_program four
wait_trace four 'status-line .*faults.rvl cannot be written: sessions are kept' 10 >/dev/null ||
    fail "the status line did not say the file cannot be written"
t0=$(now)
connect four
sleep 4
mount -o remount,rw "$BIN" || fail "the folder could not be made writable again"
sleep 3
disconnect four
t1=$(now)
sleep 0.5
dump readonly-start
[[ $(records readonly-start) == 80 ]] || fail "the session was not recorded: $(tail -2 "$WORK/dump-readonly-start.txt")"
check_session readonly-start 79 "$t0" "$t1"
[[ -z "$(find "$XDG_DATA_HOME" -name "*.rvl" 2>/dev/null)" ]] || fail "a personal file was started in the data folder"
echo "1 passed, 0 failed"
