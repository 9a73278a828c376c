#!/usr/bin/env bash
# Boxes raised while recording never stop it: with the notice of a file "created in the future" left open,
# and then with the error box of a roll-over whose backup failed left open, sessions are still recorded
# with the wall clock's start and end.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
start_xvfb
"$SIM" init "Home ISP"

own_program_folder
now() { date +%s.%N; }

use_file() {
    FILE="$WORK/bin/$1.rvl"
    printf '[Ruvela]\nPersonal%%20Account=%s.rvl\n' "$1" >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"
}
dump() { python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump-$1.txt"; }

# One session of SECONDS in program run NAME; its record must be INDEX and agree with the clock.
session() {
    local name="$1" seconds="$2" index="$3" n t0 t1
    n=$(trace_lines "$name")
    t0=$(now)
    "$SIM" connect "Home ISP"
    wait_new_trace "$name" "$n" 'main-status Online' 3 >/dev/null || fail "session $index did not start"
    sleep "$seconds"
    n=$(trace_lines "$name")
    "$SIM" disconnect
    t1=$(now)
    wait_new_trace "$name" "$n" 'main-status Offline' 3 >/dev/null || fail "session $index did not end"
    sleep 0.5
    dump "$name-$index"
    # One poll and one tick lie between the wall clock and the record: 2 s, and a second more for a busy machine.
    python3 "$here/session_check.py" "$WORK/dump-$name-$index.txt" "$index" "$t0" "$t1" 3 ||
        fail "session $index: $(cat "$WORK/dump-$name-$index.txt")"
}

# A file whose creation date is tomorrow: the notice opens at start and nobody answers it.
use_file future
python3 "$here/profile_file.py" header "$FILE" 1 31 "$(date -d tomorrow +%Y/%m/%d)" "$(date -d '+40 days' +%Y/%m/01)"
start_program future
wait_trace future 'message-box Today.s date is earlier' 10 >/dev/null || fail "the date notice did not open"
wait_trace future 'main-status Offline' 5 >/dev/null || fail "the tracker did not tick under the notice"
session future 5 1
session future 20 2
kill "$LAST_PID"
wait "$LAST_PID" 2>/dev/null || true

# A period that ended yesterday, and a plain file where its backup folder belongs: the roll-over fails.
use_file rolled
python3 "$here/profile_file.py" header "$FILE" 1 31 "$(date -d '-40 days' +%Y/%m/%d)" "$(date -d yesterday +%Y/%m/%d)"
echo "in the way" >"$WORK/bin/rolled"
start_program rolled
wait_trace rolled 'message-box .*could not be created' 10 >/dev/null || fail "the backup error did not open"
session rolled 5 1
grep -q 'main-status Offline' "$WORK/trace-rolled.txt" || fail "no tick under the backup error"
echo "1 passed, 0 failed"
