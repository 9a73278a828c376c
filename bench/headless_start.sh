#!/usr/bin/env bash
# Start-up of the headless recorder, from exec to the lock taken and to its first tick done (a session opened
# and written on a simulated line that is up), directly and through `qovruvela --headless`. Medians of RUNS
# runs with a warm cache, in milliseconds; nothing here is a pass/fail check (the aim is under 50 ms).
# Usage: bench/headless_start.sh [BIN_DIR]    (default build/dev/bin: qovruvela and qovruvela-recorder)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bin="$(cd "${1:-$here/../build/dev/bin}" && pwd)"
runs="${RUNS:-21}"
for tool in qovruvela qovruvela-recorder; do
    [[ -x "$bin/$tool" ]] || { echo "headless_start.sh: build $bin/$tool first" >&2; exit 2; }
done

work=$(mktemp -d /tmp/qovruvela-headless-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work"/{config/QovRuvela,data,run,cache,sim,bin}
chmod 700 "$work/run" "$work/sim"
cp "$bin/qovruvela" "$bin/qovruvela-recorder" "$work/bin/"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run" \
    XDG_CACHE_HOME="$work/cache" QOVRUVELA_SIMULATE="$work/sim"
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
python3 "$here/../tests/e2e/profile_file.py" header "$work/bin/bench.rvl" 1 31
printf '[Ruvela]\nPersonal%%20Account=bench.rvl\n' >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"
"$here/../scripts/qovruvela-sim" init "Home ISP" >/dev/null
"$here/../scripts/qovruvela-sim" connect "Home ISP" >/dev/null

# Milliseconds from exec to the process's end at the moment QOVRUVELA_EXIT_AT names.
measure() {
    local moment="$1"
    shift
    local times=() i start end
    QOVRUVELA_EXIT_AT="$moment" "$@" 2>/dev/null # warms the cache
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        QOVRUVELA_EXIT_AT="$moment" "$@" 2>/dev/null
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 1000 }'
}

printf '%-52s %8s\n' "headless start-up (median of $runs runs)" "ms"
printf '%-52s %8s\n' "qovruvela-recorder: exec -> lock taken" "$(measure lock-taken "$work/bin/qovruvela-recorder")"
printf '%-52s %8s\n' "qovruvela-recorder: exec -> first tick done" "$(measure first-tick "$work/bin/qovruvela-recorder")"
printf '%-52s %8s\n' "qovruvela --headless: exec -> first tick done" \
    "$(measure first-tick "$work/bin/qovruvela" --headless)"
records=$(($(stat -c %s "$work/bin/bench.rvl") / 104 - 1))
echo "sessions opened by the first ticks: $records (one per run that reached its first tick, warm-ups included)"
