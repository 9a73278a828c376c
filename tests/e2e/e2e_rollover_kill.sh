#!/usr/bin/env bash
# The program killed at each step of a roll-over, as a power cut would, then started again: the finished
# file lies whole in its backup slot, the active file is a valid header of the new period, and the next
# session is recorded in it.
source "$(dirname "$0")/lib.sh"
here="$(cd "$(dirname "$0")" && pwd)"
start_xvfb
"$SIM" init "Home ISP"

own_program_folder
now() { date +%s.%N; }

for step in rollover-start rollover-moved new-file-written rollover-done; do
    name="$step"
    FILE="$WORK/bin/$name.rvl"
    printf '[Ruvela]\nPersonal%%20Account=%s.rvl\n' "$name" >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"
    python3 "$here/profile_file.py" header "$FILE" 1 31 "$(date -d '-40 days' +%Y/%m/%d)" "$(date -d yesterday +%Y/%m/%d)"
    python3 "$here/profile_file.py" sessions "$FILE" 3
    cp "$FILE" "$WORK/finished-$name.rvl"

    QOVRUVELA_KILL_AT="$step" start_program "killed-$name"
    wait "$LAST_PID" 2>/dev/null && fail "$step: the program was not killed"
    grep -q "killed at $step" "$WORK/trace-killed-$name.txt" || fail "$step: the program did not reach the step"

    start_program "$name"
    wait_trace "$name" 'main-status Offline' 10 >/dev/null || fail "$step: the restart did not record"
    sleep 1
    cmp -s "$WORK/bin/$name/1.rvl" "$WORK/finished-$name.rvl" ||
        fail "$step: the finished file is not whole in its slot: $(ls -la "$WORK/bin/$name" "$WORK/bin")"
    [[ -z "$(find "$WORK/bin/$name" -type f ! -name 1.rvl)" ]] || fail "$step: more than one slot filled"
    n=$(trace_lines "$name")
    t0=$(now)
    "$SIM" connect "Home ISP"
    wait_new_trace "$name" "$n" 'main-status Online' 3 >/dev/null || fail "$step: the session did not start"
    sleep 3
    n=$(trace_lines "$name")
    "$SIM" disconnect
    t1=$(now)
    wait_new_trace "$name" "$n" 'main-status Offline' 3 >/dev/null || fail "$step: the session did not end"
    sleep 0.5
    python3 "$here/profile_file.py" dump "$FILE" >"$WORK/dump-$name.txt"
    [[ $(wc -l <"$WORK/dump-$name.txt") == 2 ]] || fail "$step: the new file: $(cat "$WORK/dump-$name.txt")"
    [[ "$(head -1 "$WORK/dump-$name.txt" | cut -d'|' -f4)" > "$(date +%Y/%m/%d)" ]] ||
        fail "$step: the new header's next period is not ahead: $(head -1 "$WORK/dump-$name.txt")"
    python3 "$here/session_check.py" "$WORK/dump-$name.txt" 1 "$t0" "$t1" 3 || fail "$step: the session is wrong"
    [[ -z "$(find "$WORK/bin" -maxdepth 1 -name '*.new' -o -maxdepth 1 -name '*.rollover')" ]] ||
        fail "$step: a temporary file or the roll-over's marker was left behind"
    kill "$LAST_PID"
    wait "$LAST_PID" 2>/dev/null || true
done
echo "1 passed, 0 failed"
