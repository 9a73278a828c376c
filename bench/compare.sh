#!/usr/bin/env bash
# Measures what the user waits for, each against an anchor measured in the same run, and prints the table:
#   P1     qovruvela-report (plain, --csv, --json, --daily) on two files of       vs  its floor: cat FILE >/dev/null;
#          1,000,000 sessions, the project's own and one spread over centuries;      head -c OUTPUT_SIZE /dev/zero
#          and 25 files of 3,000 sessions in one command                             >/dev/null (read the file, write
#                                                                                    as many bytes as it prints)
#   P3     Calculation tab, click -> totals and list painted (bench_report)      vs  cat, in the same process
#   P4     main window shown (and the tray alone) at rest while recording, in    vs  a bare clock window (a fixed-
#          steady state: instructions/s (callgrind zeroed after start-up),           size label changed every
#          CPU ms/s and wake-ups/s (/proc)                                           second), a C loop reading
#                                                                                    /proc/net/dev
#   P5     start -> main window exposed and painted under Xvfb: time,            vs  a bare three-tab Qt window
#          instructions, peak memory
#   P6     the real program under Xvfb and openbox, its Calculation tab over a   vs  cat FILE >/dev/null, between
#          folder of a 1,000,000-session file and a small one: a mouse press         the presses
#          (XTest) on the large file's entry -> the last drawing (Damage on the
#          root window) before 500 ms of quiet; presses alternate between the
#          two files; without and with the History window open
# Times are medians of interleaved runs with a warm cache; TZ is unset, as for users, so that the zone is the
# system's /etc/localtime. The machine's load is printed with the table. Nothing here is a pass/fail check.
#
# Usage: bench/compare.sh [BUILD_DIR]    (default build/bench: cmake --preset bench, then
#        cmake --build build/bench --target qovruvela qovruvela-report bench_report make_personal_file bare_window
#        calculation_geometry; P6 wants python3-xlib and openbox: scripts/setup-deps.sh test)
# Environment: RUNS (default 7), SESSIONS (default 1000000), ONLY="p1 p3 p4 p5 p6" to run some rows only,
#              IDLE_SECONDS (default 300: the steady span of P4), WARMUP_SECONDS (default 20: start-up left out),
#              KEEP_PROFILES=DIR to keep P4's and P5's callgrind profiles and P6's drawings (click.trace) and
#              perf samples (click.perf) there.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="$(cd "${1:-$root/build/bench}" && pwd)"
bin="$build/bin"
runs="${RUNS:-7}"
sessions="${SESSIONS:-1000000}"
only="${ONLY:-p1 p3 p4 p5 p6}"
long="${IDLE_SECONDS:-300}"
warmup="${WARMUP_SECONDS:-20}"
unset TZ
load_at_start=$(cut -d' ' -f1-3 /proc/loadavg)

for tool in qovruvela qovruvela-report bench_report make_personal_file bare_window; do
    [[ -x "$bin/$tool" ]] || { echo "compare.sh: build $bin/$tool first" >&2; exit 2; }
done

work=$(mktemp -d /tmp/qovruvela-compare.XXXXXX)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

rows=()
row() { rows+=("| $1 | $2 | $3 | $4 | $5 |"); }
wanted() { [[ " $only " == *" $1 "* ]]; }

# Milliseconds a command takes, its output thrown away (bash's own clock: no extra process is timed).
millis() {
    local t0 t1
    t0=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || true
    t1=$EPOCHREALTIME
    echo "($t1 - $t0) * 1000" | bc -l
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { if [[ $(echo "$2 == 0" | bc -l) == 1 ]]; then echo "-"; else echo "scale=2; $1 / $2" | bc -l | sed 's/^\./0./'; fi; }
fmt() { printf '%.*f' "${2:-1}" "$1"; }

# --- P1: the report command against its floor -------------------------------------------------------------
# The floor: the file read and as many bytes as the command prints written, with no work between them.
report_vs_floor() { # ARGS... FILE... -> "report_ms floor_ms output_bytes"; $files holds the files
    local i r=() f=() size
    size=$("$bin/qovruvela-report" "$@" | wc -c)
    for ((i = 0; i < runs; i++)); do
        f+=("$(millis floor_of_all "$size")")
        r+=("$(millis "$bin/qovruvela-report" "$@")")
    done
    echo "$(printf '%s\n' "${r[@]}" | median) $(printf '%s\n' "${f[@]}" | median) $size"
}
floor_of_all() { # OUTPUT_BYTES, the files in $files
    cat "${files[@]}" >/dev/null
    head -c "$1" /dev/zero >/dev/null
}

if wanted p1; then
    "$bin/make_personal_file" "$work/project.rvl" "$sessions"
    "$bin/make_personal_file" "$work/years.rvl" "$sessions" --years
    size=$(($(stat -c %s "$work/project.rvl") / 1000000))
    for kind in project years; do
        files=("$work/$kind.rvl")
        cat "${files[@]}" >/dev/null
        for form in "" --csv --json --daily; do
            read -r rep flo out < <(report_vs_floor $form "${files[@]}")
            row "\`qovruvela-report ${form:+$form }FILE\`, $sessions sessions, $kind file ($size MB in, $((out / 1000000)) MB out)" \
                "$(fmt "$rep" 0) ms" "floor $(fmt "$flo") ms" "$(ratio "$rep" "$flo")x" "<= 3x"
        done
    done
    rm -f "$work"/project.rvl "$work"/years.rvl
    # A user's size: the periods of two years, one file each.
    files=()
    for i in $(seq 25); do
        "$bin/make_personal_file" "$work/period$i.rvl" 3000
        files+=("$work/period$i.rvl")
    done
    for form in "" --json; do
        read -r rep flo out < <(report_vs_floor $form "${files[@]}")
        row "\`qovruvela-report ${form:+$form }FILE...\`, 25 files of 3,000 sessions" "$(fmt "$rep" 1) ms" \
            "floor $(fmt "$flo") ms" "$(ratio "$rep" "$flo")x" "<= 3x"
    done
    rm -f "$work"/period*.rvl
fi

# --- P3: the Calculation tab, timed inside bench_report against its own cat runs ---------------------------
if wanted p3; then
    for n in "$sessions" 100000; do
        # Three times the runs: a click is short, and this machine's neighbours move single runs by a third.
        out=$(QT_QPA_PLATFORM=offscreen "$bin/bench_report" "$n" $((runs * 3)) 2>/dev/null | grep '^compare:')
        click=$(sed 's/.*click_ms=\([0-9.]*\).*/\1/' <<<"$out")
        catms=$(sed 's/.*cat_ms=\([0-9.]*\).*/\1/' <<<"$out")
        row "Calculation tab, click -> totals and list painted, $n sessions" "$(fmt "$click") ms" \
            "cat $(fmt "$catms") ms" "$(ratio "$click" "$catms")x" "<= 2x"
    done
fi

# An X server of our own for the window rows.
start_xvfb() {
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$work/display" >/dev/null 2>&1 &
    pids+=($!)
    local i
    for i in $(seq 100); do
        [[ -s "$work/display" ]] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -1 "$work/display")"
    export QT_QPA_PLATFORM=xcb
}

# A home of the program's own: settings, runtime folder and a simulated dial-up system with one
# connection up, the program copied into a folder that holds its personal file. $1 names the home.
make_home() {
    local home="$work/$1"
    mkdir -p "$home/config/QovRuvela" "$home/data" "$home/runtime" "$home/sim" "$home/bin"
    chmod 700 "$home/runtime" "$home/sim"
    cp "$bin/qovruvela" "$home/bin/qovruvela"
    python3 "$root/tests/e2e/profile_file.py" header "$home/bin/bench.rvl" 1 31
    printf '[Ruvela]\nPersonal%%20Account=bench.rvl\n' >"$home/config/QovRuvela/QovRuvela.conf"
    "$bin/qovruvela-sim" -d "$home/sim" init "Home ISP" >/dev/null
    if [[ "${2:-}" == connected ]]; then
        "$bin/qovruvela-sim" -d "$home/sim" connect "Home ISP" >/dev/null
        "$bin/qovruvela-sim" -d "$home/sim" interface lo >/dev/null
    fi
    echo "$home"
}
in_home() { # HOME COMMAND...
    local home="$1"
    shift
    env XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" XDG_CACHE_HOME="$home/cache" \
        QOVRUVELA_SIMULATE="$home/sim" "$@"
}

# Instructions callgrind counted in the run that wrote FILE.
instructions() { awk '/^(summary|totals):/ { print $2; exit }' "$1"; }

# --- P4: a shown window (and the tray alone) at rest while recording, in steady state -----------------------
# Each program runs twice at once with the others: under callgrind, whose counts are zeroed once start-up is
# over (WARMUP_SECONDS) and dumped IDLE_SECONDS later, and natively, whose CPU time (utime + stime) and
# wake-ups (voluntary and involuntary context switches of all its threads) are read from /proc over the same
# span. The anchors: a bare Qt window with one fixed-size label whose text changes every second (bare_window
# --clock), a C loop reading every counter of /proc/net/dev once a second, and, when it is at hand (on PATH
# or unpacked in BUILD_DIR/anchor; nothing is fetched), a traffic daemon polling every 2 s.
daemon_anchor() { # -> the daemon's path, or nothing
    local found
    for found in "$build/anchor/root/usr/sbin/vnstatd" "$(command -v vnstatd || true)"; do
        [[ -n "$found" && -x "$found" ]] && { echo "$found"; return 0; }
    done
    return 0
}

# Starts COMMAND... in the program's home HOME (or none: -), under callgrind when NAME ends in ".cg";
# records its pid in $work/NAME.pid.
started() { # NAME HOME COMMAND...
    local name="$1" home="$2"
    shift 2
    local env=() tool=()
    [[ "$home" == - ]] || env=(XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
        XDG_RUNTIME_DIR="$home/runtime" XDG_CACHE_HOME="$home/cache" QOVRUVELA_SIMULATE="$home/sim")
    [[ "$name" == *.cg ]] && tool=(valgrind --tool=callgrind --callgrind-out-file="$work/$name")
    env "${env[@]}" "${tool[@]}" "$@" >/dev/null 2>&1 &
    pids+=($!)
    echo $! >"$work/$name.pid"
}
# CPU ticks (utime + stime) of PID, then each of its threads' context switches, one "tid switches" a line.
proc_counts() {
    local pid="$1" task
    awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$pid/stat"
    for task in /proc/"$pid"/task/*; do
        awk -v tid="${task##*/}" '/^(voluntary|nonvoluntary)_ctxt_switches:/ { n += $2 } END { print tid, n }' \
            "$task/status" 2>/dev/null || true
    done
}
# Context switches between two proc_counts: of the threads alive at the end, counted from the start or from
# their birth (a thread that ended between the two is left out).
switches_between() { # BEFORE_FILE AFTER_FILE
    awk 'NR == FNR { if (FNR > 1) was[$1] = $2; next } FNR > 1 { n += $2 - ($1 in was ? was[$1] : 0) } END { print n + 0 }' "$1" "$2"
}

if wanted p4; then
    [[ -n "${DISPLAY:-}" && "${QT_QPA_PLATFORM:-}" == xcb ]] || start_xvfb
    cat >"$work/idle.c" <<'C'
/* The idle anchor: what a traffic daemon at rest does, reading every interface's counters once a second. */
#include <stdio.h>
#include <unistd.h>
int main(void)
{
    char line[512], name[64];
    unsigned long long c[16], sum = 0;
    for (;;) {
        FILE *f = fopen("/proc/net/dev", "r");
        if (f) {
            while (fgets(line, sizeof line, f))
                if (sscanf(line, " %63[^:]: %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu",
                           name, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], &c[6], &c[7], &c[8], &c[9], &c[10],
                           &c[11], &c[12], &c[13], &c[14], &c[15]) == 17)
                    sum += c[0] + c[8];
            fclose(f);
        }
        sleep(1);
    }
    return (int)sum;
}
C
    cc -O2 -o "$work/idle" "$work/idle.c"
    daemon=$(daemon_anchor)
    # The tray: a session bus of our own with a notification area host on it.
    DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --print-address --fork --print-pid=5 5>"$work/bus.pid")
    export DBUS_SESSION_BUS_ADDRESS
    pids+=("$(cat "$work/bus.pid")")
    /usr/bin/python3 -m dbusmock --template "$root/tests/e2e/status_notifier_watcher.py" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do
        dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
            org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1 && break
        sleep 0.1
    done
    names=(window tray clock idle)
    [[ -n "$daemon" ]] && names+=(daemon)
    for run in cg native; do
        for name in "${names[@]}"; do
            tag="$name.$run"
            [[ $run == cg ]] && tag="$name.cg"
            case $name in
            window | tray)
                home=$(make_home "$name-$run" connected)
                [[ $name == tray ]] && printf 'Check%%20In%%20Tray=1\n' >>"$home/config/QovRuvela/QovRuvela.conf"
                started "$tag" "$home" "$home/bin/qovruvela"
                ;;
            clock) started "$tag" - "$bin/bare_window" --clock ;;
            idle) started "$tag" - "$work/idle" ;;
            daemon)
                mkdir -p "$work/daemon-$run"
                printf 'DatabaseDir "%s"\nUpdateInterval 2\nPollInterval 2\nUseLogging 0\n' "$work/daemon-$run" \
                    >"$work/daemon-$run.conf"
                started "$tag" - "$daemon" -n --config "$work/daemon-$run.conf"
                ;;
            esac
        done
    done
    sleep "$warmup"
    for name in "${names[@]}"; do
        callgrind_control --zero "$(cat "$work/$name.cg.pid")" >/dev/null 2>&1
        proc_counts "$(cat "$work/$name.native.pid")" >"$work/$name.before"
    done
    t0=$EPOCHREALTIME
    sleep "$long"
    for name in "${names[@]}"; do
        proc_counts "$(cat "$work/$name.native.pid")" >"$work/$name.after"
        callgrind_control --dump "$(cat "$work/$name.cg.pid")" >/dev/null 2>&1
    done
    span=$(echo "$EPOCHREALTIME - $t0" | bc -l)
    for _ in $(seq 100); do
        ls "$work"/*.cg.1 2>/dev/null | wc -l | grep -qx "${#names[@]}" && break
        sleep 0.2
    done
    hz=$(getconf CLK_TCK)
    declare -A rate cpu wakes
    for name in "${names[@]}"; do
        rate[$name]=$(echo "$(instructions "$work/$name.cg.1") / $long / 1000000" | bc -l)
        cpu[$name]=$(echo "($(head -1 "$work/$name.after") - $(head -1 "$work/$name.before")) * 1000 / $hz / $span" | bc -l)
        wakes[$name]=$(echo "$(switches_between "$work/$name.before" "$work/$name.after") / $span" | bc -l)
    done
    records=$(python3 "$root/tests/e2e/profile_file.py" dump "$work/window-native/bin/bench.rvl" | wc -l)
    figures() { echo "$(fmt "${rate[$1]}" 3) M instr/s, $(fmt "${cpu[$1]}" 2) ms CPU/s, $(fmt "${wakes[$1]}" 2) wake-ups/s"; }
    what="steady state: callgrind zeroed after ${warmup} s and dumped ${long} s later; /proc over the same span"
    row "window shown at rest while recording ($what; $((records - 1)) session recorded)" "$(figures window)" \
        "bare clock window: $(figures clock)" \
        "$(ratio "${rate[window]}" "${rate[clock]}")x instr, $(ratio "${cpu[window]}" "${cpu[clock]}")x CPU" \
        "<= 1.5x"
    row "tray mode at rest while recording" "$(figures tray)" "C loop: $(figures idle)" \
        "$(ratio "${rate[tray]}" "${rate[idle]}")x instr" "<= 1.2 wake-ups/s"
    [[ -n "$daemon" ]] && row "the traffic daemon, 2 s polling, for scale" "$(figures daemon)" "-" "-" "-"
    if [[ -n "${KEEP_PROFILES:-}" ]]; then
        mkdir -p "$KEEP_PROFILES"
        cp "$work"/window.cg.1 "$work"/tray.cg.1 "$work"/clock.cg.1 "$KEEP_PROFILES/"
    fi
fi

# --- P5: start-up against a bare window -------------------------------------------------------------------
if wanted p5; then
    [[ -n "${DISPLAY:-}" && "${QT_QPA_PLATFORM:-}" == xcb ]] || start_xvfb
    home=$(make_home startup)
    export QOVRUVELA_EXIT_AT_FIRST_PAINT=1
    in_home "$home" "$home/bin/qovruvela" >/dev/null 2>&1 || true # the first start creates the settings
    "$bin/bare_window" >/dev/null 2>&1 || true
    p=() b=() pm=() bm=()
    # Three times the runs: a start is short, and the two programs' medians move by a tenth between runs of 7.
    for ((i = 0; i < runs * 3; i++)); do
        p+=("$(millis in_home "$home" "$home/bin/qovruvela")")
        b+=("$(millis "$bin/bare_window")")
        pm+=("$(in_home "$home" /usr/bin/time -f %M "$home/bin/qovruvela" 2>&1 >/dev/null | tail -1)")
        bm+=("$(/usr/bin/time -f %M "$bin/bare_window" 2>&1 >/dev/null | tail -1)")
    done
    pt=$(printf '%s\n' "${p[@]}" | median)
    bt=$(printf '%s\n' "${b[@]}" | median)
    prss=$(printf '%s\n' "${pm[@]}" | median)
    brss=$(printf '%s\n' "${bm[@]}" | median)
    in_home "$home" valgrind --tool=callgrind --callgrind-out-file="$work/start.cg" "$home/bin/qovruvela" \
        >/dev/null 2>&1 || true
    valgrind --tool=callgrind --callgrind-out-file="$work/bare.cg" "$bin/bare_window" >/dev/null 2>&1 || true
    pi=$(instructions "$work/start.cg")
    bi=$(instructions "$work/bare.cg")
    row "start -> main window painted (Xvfb)" "$(fmt "$pt" 0) ms, $((pi / 1000000)) M instr." \
        "bare window $(fmt "$bt" 0) ms, $((bi / 1000000)) M" "$(ratio "$pt" "$bt")x ($(ratio "$pi" "$bi")x)" "<= 1.3x"
    row "peak memory at start (RSS)" "$((prss / 1024)) MB" "bare window $((brss / 1024)) MB" \
        "$(ratio "$prss" "$brss")x" "<= 1.3x"
    if [[ -n "${KEEP_PROFILES:-}" ]]; then
        mkdir -p "$KEEP_PROFILES"
        cp "$work/start.cg" "$work/bare.cg" "$KEEP_PROFILES/"
    fi
    unset QOVRUVELA_EXIT_AT_FIRST_PAINT # the rows after this one keep their program running
fi

# --- P6: a real click -> painted, as a user waits, under Xvfb with a window manager -------------------------
# An X server of its own, wide enough for the main window and the History window side by side, with openbox;
# the program runs from a home of its own whose personal file's backup folder, which the Calculation tab
# lists, holds the large file and a small one. calculation_geometry builds the same window (before the
# program starts) and tells where its tab, its History button and the list's entries are; click_painted.py
# presses there and watches the drawing. Both servers end with the row.
wait_for_display() { # FILE that Xvfb writes its display number into
    local i
    for i in $(seq 100); do
        [[ -s "$1" ]] && return 0
        sleep 0.1
    done
    return 1
}
if wanted p6; then
    if [[ ! -x "$bin/calculation_geometry" ]] || ! /usr/bin/python3 -c 'import Xlib.ext.damage' 2>/dev/null ||
        ! command -v openbox >/dev/null; then
        echo "compare.sh: P6 left out: it wants $bin/calculation_geometry, python3-xlib and openbox" >&2
    else
        Xvfb -displayfd 5 -screen 0 1920x1200x24 -nolisten tcp -noreset 5>"$work/click-display" >/dev/null 2>&1 &
        click_xvfb=$!
        pids+=("$click_xvfb")
        wait_for_display "$work/click-display" || { echo "compare.sh: Xvfb did not start" >&2; exit 1; }
        click_display=":$(head -1 "$work/click-display")"
        DISPLAY="$click_display" openbox --sm-disable >/dev/null 2>&1 &
        click_wm=$!
        pids+=("$click_wm")
        for _ in $(seq 100); do
            DISPLAY="$click_display" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
            sleep 0.1
        done
        home=$(make_home click)
        cp "$bin/libqovruvela-chart.so" "$home/bin/"
        mkdir -p "$home/bin/bench"
        "$bin/make_personal_file" "$home/bin/bench/large.rvl" "$sessions"
        "$bin/make_personal_file" "$home/bin/bench/small.rvl" 1000
        cat "$home/bin/bench/large.rvl" >/dev/null
        DISPLAY="$click_display" QT_QPA_PLATFORM=xcb in_home "$home" "$bin/calculation_geometry" "$home/bin" \
            >"$work/click-geometry" 2>/dev/null
        DISPLAY="$click_display" QT_QPA_PLATFORM=xcb started click "$home" "$home/bin/qovruvela"
        # With KEEP_PROFILES, each press's drawings go to click.trace there, and with perf the program's samples
        # over the presses to click.perf (the samples slow the presses down).
        perf_pid=
        trace=(--presses $((runs * 2 + 1)))
        if [[ -n "${KEEP_PROFILES:-}" ]]; then
            mkdir -p "$KEEP_PROFILES"
            trace+=(--trace)
            exec 6>"$KEEP_PROFILES/click.trace"
            if command -v perf >/dev/null; then
                perf record -g -o "$KEEP_PROFILES/click.perf" -p "$(cat "$work/click.pid")" >/dev/null 2>&1 &
                perf_pid=$!
            fi
        else
            exec 6>/dev/null
        fi
        # Twice the runs and one: a press is short, and alternating files halves the presses on the large one.
        out=$(DISPLAY="$click_display" /usr/bin/python3 "$here/click_painted.py" --pid "$(cat "$work/click.pid")" \
            --geometry "$work/click-geometry" --large large.rvl --small small.rvl --cat "$home/bin/bench/large.rvl" \
            "${trace[@]}" 2>&6 | grep '^compare:' || true)
        exec 6>&-
        [[ -z "$perf_pid" ]] || { kill -INT "$perf_pid"; wait "$perf_pid" || true; }
        # The memory the program has held at most, after totalling the large file with the History window open.
        peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$(cat "$work/click.pid")/status" 2>/dev/null || echo 0)
        large_kb=$(($(stat -c %s "$home/bin/bench/large.rvl") / 1024))
        kill "$(cat "$work/click.pid")" "$click_wm" "$click_xvfb" 2>/dev/null || true
        wait "$(cat "$work/click.pid")" "$click_wm" "$click_xvfb" 2>/dev/null || true
        rm -f "$home/bin/bench/large.rvl"
        figure() { sed -n "s/.* $1=\([0-9.]*\).*/\1/p" <<<" $out"; }
        if [[ -z "$out" ]]; then
            row "real click -> painted under Xvfb, $sessions sessions" "failed" "-" "-" "<= 2x"
        else
            what="XTest press on the file's entry -> last Damage before 500 ms of quiet; medians of $((runs * 2 + 1))"
            row "real click -> painted under Xvfb, $sessions sessions ($what)" \
                "$(fmt "$(figure click_ms)") ms (small file $(fmt "$(figure small_ms)") ms)" \
                "cat $(fmt "$(figure cat_ms)") ms" "$(ratio "$(figure click_ms)" "$(figure cat_ms)")x" "<= 2x"
            row "same, History window open" \
                "$(fmt "$(figure history_click_ms)") ms (small file $(fmt "$(figure history_small_ms)") ms)" \
                "cat $(fmt "$(figure history_cat_ms)") ms" \
                "$(ratio "$(figure history_click_ms)" "$(figure history_cat_ms)")x" "<= 4x"
        fi
        if ((peak_kb > 0)); then
            allowed_kb=$((large_kb + 50 * 1024))
            row "peak memory of the program after those clicks (History open)" "$((peak_kb / 1024)) MB" \
                "file + 50 MB: $((allowed_kb / 1024)) MB" "$(ratio "$peak_kb" "$allowed_kb")x" "<= 1x"
        fi
    fi
fi

echo "Load average (1, 5, 15 min) at the start: $load_at_start; at the end: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) CPUs)"
echo
echo "| measure | now | anchor | ratio | goal |"
echo "|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
