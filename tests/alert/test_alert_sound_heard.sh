#!/bin/sh
# The alert sound is really heard: a private sound server with a null output plays it through the real
# backend while its output is recorded; the recording must hold the whole sound. Without a server the sound
# plays on the sound card (ALSA); with neither, the backend must report that it cannot play.
# Usage: test_alert_sound_heard.sh PLAYER SOUND.wav     (exit 77: the sound tools are not installed)
set -eu
player=$1
wave=$2

for tool in pulseaudio pactl parec sox soxi; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
server=
recorder=
cleanup() {
    [ -n "$recorder" ] && kill "$recorder" 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    [ -n "$server" ] && wait "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "FAIL: $*"
    [ -f "$work/server.log" ] && sed 's/^/server: /' "$work/server.log" | tail -20
    exit 1
}

# Everything of the server's in the test's own folders: never the user's own sound server.
mkdir -m 700 "$work/run" "$work/home"
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" PULSE_RUNTIME_PATH="$work/run/pulse"
unset DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY || true

# 1. No sound server and no sound card: the backend says so instead of pretending to play.
: >"$work/no-card.conf"
status=0
PULSE_SERVER="unix:$work/run/no-server" ALSA_CONFIG_PATH="$work/no-card.conf" "$player" "$wave" \
    >"$work/none.out" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "without a sound server or card the player ended with $status, not 1 (cannot start)"
echo "ok: without a sound server or card: $(cat "$work/none.out")"

# 1b. No sound server, but a sound card: the sound plays on the card through ALSA. The card is ALSA's file
# device, which writes the samples it plays into a file.
cat >"$work/card.conf" <<CONF
pcm.!default {
    type file
    slave.pcm { type null }
    file "$work/card.raw"
    format "raw"
}
CONF
PULSE_SERVER="unix:$work/run/no-server" ALSA_CONFIG_PATH="$work/card.conf" "$player" "$wave" \
    >"$work/card.out" 2>&1 || fail "with a sound card and no server the sound did not play: $(cat "$work/card.out")"
expected_bytes=$(($(soxi -s "$wave") * $(soxi -c "$wave") * $(soxi -b "$wave") / 8))
played_bytes=$(stat -c %s "$work/card.raw" 2>/dev/null || echo 0)
awk -v p="$played_bytes" -v e="$expected_bytes" 'BEGIN { exit !(p >= 0.9 * e) }' ||
    fail "the card was given $played_bytes bytes of sound, the file holds $expected_bytes"
echo "ok: without a sound server the card played $played_bytes of $expected_bytes bytes"

# 2. A private server with a null output. As root it runs as a per-user server all the same (it warns).
pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n --use-pid-file=no \
    --load="module-null-sink sink_name=null" --load="module-native-protocol-unix" \
    --log-target=file:"$work/server.log" &
server=$!
export PULSE_SERVER="unix:$work/run/pulse/native"
tries=0
until pactl info >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || fail "the sound server did not start"
    kill -0 "$server" 2>/dev/null || fail "the sound server ended at start"
    sleep 0.1
done

# A short record latency: parec otherwise gets its data in large blocks and loses the last one at exit.
parec --latency-msec=20 -d null.monitor --file-format=wav --format=s16le --rate=44100 --channels=1 "$work/heard.wav" &
recorder=$!
# The recorder must be listening before the sound starts.
tries=0
until pactl list short source-outputs | grep -q .; do
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || fail "the recorder did not start"
    sleep 0.1
done

"$player" "$wave" || fail "the player could not play $wave through the sound server"
sleep 0.5
kill -INT "$recorder"
wait "$recorder" 2>/dev/null || true
recorder=

# 3. The recording holds the whole sound: cut the silence before and after it and compare.
sox "$work/heard.wav" "$work/sound.wav" silence 1 0.005 0.5% reverse silence 1 0.005 0.5% reverse
expected=$(soxi -D "$wave")
heard=$(soxi -D "$work/sound.wav" 2>/dev/null || echo 0)
rms=$(sox "$work/sound.wav" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
expected_rms=$(sox "$wave" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
echo "sound file: ${expected}s, RMS $expected_rms; heard: ${heard}s, RMS ${rms:-none}"
awk -v h="$heard" -v e="$expected" 'BEGIN { exit !(h >= 0.9 * e && h <= e + 0.5) }' ||
    fail "heard ${heard}s of sound, the file holds ${expected}s"
awk -v r="${rms:-0}" -v e="$expected_rms" 'BEGIN { exit !(r >= 0.5 * e) }' ||
    fail "the recording is too quiet: RMS ${rms:-0} against $expected_rms"
echo "ok: the whole sound was heard"
