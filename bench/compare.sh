#!/usr/bin/env bash
# Measures what the user waits for, each against an anchor measured in the same run, and prints the table:
#   P1/P2  qovruvela-report (plain and --json) on a file of 1,000,000 sessions   vs  cat FILE > /dev/null
#   P3     Calculation tab, click -> totals and list painted (bench_report)      vs  cat, in the same process
#   P4     main window shown (and the tray alone) while a session is recorded,   vs  a traffic daemon polling
#          instructions/s (callgrind, a 60 s run minus a 30 s run, so start-up       every 2 s, and a C loop
#          cancels out)                                                              reading /proc/net/dev
#   P5     start -> main window exposed and painted under Xvfb: time,            vs  a bare three-tab Qt window
#          instructions, peak memory
# Times are medians of interleaved runs with a warm cache. Nothing here is a pass/fail check.
#
# Usage: bench/compare.sh [BUILD_DIR]    (default build/bench: cmake --preset bench, then
#        cmake --build build/bench --target qovruvela qovruvela-report bench_report make_personal_file bare_window)
# Environment: RUNS (default 7), SESSIONS (default 1000000), ONLY="p1 p3 p4 p5" to run some rows only,
#              IDLE_SECONDS (default 60; the short run is half of it).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="$(cd "${1:-$root/build/bench}" && pwd)"
bin="$build/bin"
runs="${RUNS:-7}"
sessions="${SESSIONS:-1000000}"
only="${ONLY:-p1 p3 p4 p5}"
long="${IDLE_SECONDS:-60}"
short=$((long / 2))

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
ratio() { echo "scale=2; $1 / $2" | bc -l | sed 's/^\./0./'; }
fmt() { printf '%.*f' "${2:-1}" "$1"; }

# --- P1, P2: the report command against cat -------------------------------------------------------------
report_vs_cat() { # FILE ARGS... -> "report_ms cat_ms"
    local file="$1"
    shift
    local i r=() c=()
    cat "$file" >/dev/null
    for ((i = 0; i < runs; i++)); do
        c+=("$(millis cat "$file")")
        r+=("$(millis "$bin/qovruvela-report" "$@" "$file")")
    done
    echo "$(printf '%s\n' "${r[@]}" | median) $(printf '%s\n' "${c[@]}" | median)"
}

if wanted p1; then
    for n in 10000 100000 "$sessions"; do
        "$bin/make_personal_file" "$work/s$n.rvl" "$n"
    done
    big="$work/s$sessions.rvl"
    size=$(($(stat -c %s "$big") / 1000000))
    read -r r10 _ < <(report_vs_cat "$work/s10000.rvl")
    read -r r100 _ < <(report_vs_cat "$work/s100000.rvl")
    read -r rbig cbig < <(report_vs_cat "$big")
    row "\`qovruvela-report FILE\`, $sessions sessions ($size MB; 10k / 100k: $(fmt "$r10" 0) / $(fmt "$r100" 0) ms)" \
        "$(fmt "$rbig" 0) ms" "cat $(fmt "$cbig") ms" "$(ratio "$rbig" "$cbig")x" "<= 2x"
    read -r jbig cjbig < <(report_vs_cat "$big" --json)
    row "\`qovruvela-report --json FILE\`, $sessions sessions" "$(fmt "$jbig" 0) ms" "cat $(fmt "$cjbig") ms" \
        "$(ratio "$jbig" "$cjbig")x" "<= 3x"
    # The floor no formatter can go below: reading the file and the output's bytes once each, with no work
    # between them (cat FILE OUTPUT). The output is larger than the file.
    for form in plain json; do
        args=()
        [[ "$form" == json ]] && args=(--json)
        "$bin/qovruvela-report" "${args[@]}" "$big" >"$work/out.txt"
        outsize=$(($(stat -c %s "$work/out.txt") / 1000000))
        read -r floor cfloor < <(
            f=() c=()
            for ((i = 0; i < runs; i++)); do
                c+=("$(millis cat "$big")")
                f+=("$(millis cat "$big" "$work/out.txt")")
            done
            echo "$(printf '%s\n' "${f[@]}" | median) $(printf '%s\n' "${c[@]}" | median)"
        )
        row "floor for ${args[*]:-the plain form}: cat FILE and its $outsize MB output, no formatting" "$(fmt "$floor") ms" \
            "cat $(fmt "$cfloor") ms" "$(ratio "$floor" "$cfloor")x" "-"
        rm -f "$work/out.txt"
    done
    rm -f "$work"/s*.rvl
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
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" >/dev/null 2>&1 &
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

# --- P4: a shown window (and the tray alone) while recording, against the idle anchors ----------------------
# The anchors: the traffic daemon of a common Linux bandwidth monitor polling at its shortest interval, 2 s
# (fetched from the package archive and unpacked into the build folder, never installed), and a plain C loop
# that reads every interface's counters once a second.
daemon_anchor() { # -> the daemon's path, or nothing when the archive cannot be reached
    local dir="$build/anchor"
    if [[ ! -x "$dir/root/usr/sbin/vnstatd" ]]; then
        mkdir -p "$dir"
        (cd "$dir" && apt-get download vnstat >/dev/null 2>&1 && dpkg-deb -x vnstat_*.deb root) || return 0
    fi
    echo "$dir/root/usr/sbin/vnstatd"
}

# Runs COMMAND... under callgrind for SECONDS, in the program's home HOME (or none: -), then ends it with
# SIGTERM. NAME names the profile.
profiled() { # NAME SECONDS HOME COMMAND...
    local name="$1" seconds="$2" home="$3"
    shift 3
    local env=()
    [[ "$home" == - ]] || env=(XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
        XDG_RUNTIME_DIR="$home/runtime" XDG_CACHE_HOME="$home/cache" QOVRUVELA_SIMULATE="$home/sim")
    env "${env[@]}" valgrind --tool=callgrind --callgrind-out-file="$work/$name.cg" "$@" >/dev/null 2>&1 &
    local pid=$!
    sleep "$seconds"
    kill -TERM "$pid"
    wait "$pid" || true
}
per_second() { # NAME -> millions of instructions per second between the long and the short run
    echo "($(instructions "$work/$1$long.cg") - $(instructions "$work/$1$short.cg")) / ($long - $short) / 1000000" |
        bc -l
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
    # Every run at once: they sleep nearly all the time.
    cg=()
    for seconds in "$long" "$short"; do
        home=$(make_home "window$seconds" connected)
        profiled "window$seconds" "$seconds" "$home" "$home/bin/qovruvela" &
        cg+=($!)
        home=$(make_home "tray$seconds" connected)
        printf 'Check%%20In%%20Tray=1\n' >>"$home/config/QovRuvela/QovRuvela.conf"
        profiled "tray$seconds" "$seconds" "$home" "$home/bin/qovruvela" &
        cg+=($!)
        profiled "idle$seconds" "$seconds" - "$work/idle" &
        cg+=($!)
        if [[ -n "$daemon" ]]; then
            mkdir -p "$work/daemon$seconds"
            printf 'DatabaseDir "%s"\nUpdateInterval 2\nPollInterval 2\nUseLogging 0\n' "$work/daemon$seconds" \
                >"$work/daemon$seconds.conf"
            profiled "daemon$seconds" "$seconds" - "$daemon" -n --config "$work/daemon$seconds.conf" &
            cg+=($!)
        fi
    done
    wait "${cg[@]}"
    records=$(python3 "$root/tests/e2e/profile_file.py" dump "$work/window$long/bin/bench.rvl" | wc -l)
    wrate=$(per_second window)
    trate=$(per_second tray)
    irate=$(per_second idle)
    span="callgrind, ${long} s minus ${short} s; $((records - 1)) session recorded"
    if [[ -n "$daemon" ]]; then
        drate=$(per_second daemon)
        row "window shown while recording, instructions per second ($span)" "$(fmt "$wrate" 2) M/s" \
            "traffic daemon, 2 s polling $(fmt "$drate" 3) M/s" "$(ratio "$wrate" "$drate")x" "<= 3x"
        row "tray mode while recording, same" "$(fmt "$trate" 2) M/s" "traffic daemon $(fmt "$drate" 3) M/s" \
            "$(ratio "$trate" "$drate")x" "keep <= 3x"
    fi
    row "window shown while recording, against a lighter anchor" "$(fmt "$wrate" 2) M/s" \
        "C loop reading /proc/net/dev $(fmt "$irate" 3) M/s" "$(ratio "$wrate" "$irate")x" "-"
    row "tray mode while recording, against the lighter anchor" "$(fmt "$trate" 2) M/s" \
        "C loop $(fmt "$irate" 3) M/s" "$(ratio "$trate" "$irate")x" "-"
    if [[ -n "${KEEP_PROFILES:-}" ]]; then
        mkdir -p "$KEEP_PROFILES"
        cp "$work"/window*.cg "$work"/tray*.cg "$KEEP_PROFILES/"
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
fi

echo "| measure | now | anchor | ratio | goal |"
echo "|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
