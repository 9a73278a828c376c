#!/usr/bin/env bash
# A second start brings the running copy's window forward, from the tray and from a minimised, covered
# window, and still says that the program is already running and ends with status 0; the first copy
# records on.
source "$(dirname "$0")/lib.sh"

start_xvfb
start_wm
start_tray_host
"$SIM" init "Home ISP" "Work"
mkdir -p "$XDG_CONFIG_HOME/QovRuvela"
printf '[Ruvela]\nCheck%%20In%%20Tray=1\n' >"$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"

TITLE='^Qov Ruvela v2\.2\.1$'

# Where window WID lies in the window manager's stacking order, bottom first; -1 when it is not listed.
stack_place() {
    local hex i=0 w
    hex=$(printf '0x%x' "$1")
    for w in $(xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/.*# //p' | tr -d ','); do
        [[ "$w" == "$hex" ]] && { echo "$i"; return; }
        i=$((i + 1))
    done
    echo -1
}

# Starts a second copy named NAME; checks that it asked the first copy, that the first copy's window came
# up, and that the second copy shows its notice and ends with status 0 once the notice is answered.
second_start() {
    local name="$1" n box i status
    n=$(trace_lines first)
    start_program "$name"
    local pid=$LAST_PID
    wait_trace "$name" 'refused: already running' 10 >/dev/null || fail "$name: the second copy was not refused"
    wait_trace "$name" 'asked the running copy to show' 2 >/dev/null || fail "$name: the running copy was not asked"
    wait_new_trace first "$n" 'show request' 2 >/dev/null || fail "$name: the running copy did not get the request"
    wait_new_trace first "$n" 'main-window shown' 2 >/dev/null || fail "$name: the running copy did not show its window"
    box=$(timeout 10 xdotool search --sync --onlyvisible --pid "$pid" | head -1 || true)
    [[ -n "$box" ]] || fail "$name: the second copy shows no notice"
    grep -q 'main-window' "$WORK/trace-$name.txt" && fail "$name: the second copy created a main window"
    # Enter on the focused notice, without naming its window: a key sent to a window that goes on the press
    # is never released, and the server's repeat would answer the next notice too.
    for i in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        if ((i % 5 == 1)) && xdotool windowactivate --sync "$box" 2>/dev/null; then
            xdotool key Return
        fi
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "$name: the second copy did not end after its notice"
    status=0
    wait "$pid" || status=$?
    ((status == 0)) || fail "$name: the second copy ended with status $status"
}

# The main window on screen: mapped, not minimised, above the window COVER; prints its id.
check_forward() {
    local what="$1" cover="${2:-}" main
    main=$(xdotool search --onlyvisible --pid "$first" --name "$TITLE" | head -1)
    [[ -n "$main" ]] || fail "$what: the main window is not on screen"
    xwininfo -id "$main" | grep -q 'Map State: IsViewable' || fail "$what: the main window is not mapped"
    xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN && fail "$what: the main window stays minimised"
    if [[ -n "$cover" ]]; then
        (($(stack_place "$main") > $(stack_place "$cover"))) || fail "$what: the main window stays below another"
    fi
    echo "$main"
}

start_program first
first=$LAST_PID
wait_trace first 'tray-icon shown' 10 >/dev/null || fail "the tray icon was not shown"
xdotool search --onlyvisible --name "$TITLE" >/dev/null 2>&1 && fail "the main window was shown in tray mode"

# From the tray.
second_start from-tray
main=$(check_forward "from the tray")
echo "from the tray: the main window came up"

# Minimised, with another window over the place it comes back to.
xdotool windowminimize --sync "$main"
xmessage -geometry 1280x1024+0+0 "a window over the others" &
PIDS+=($!)
cover=$(timeout 10 xdotool search --sync --onlyvisible --class Xmessage | head -1 || true)
[[ -n "$cover" ]] || fail "the covering window did not appear"
(($(stack_place "$cover") > $(stack_place "$main"))) || fail "the covering window is not above the main window"
second_start from-minimised
check_forward "minimised and covered" "$cover" >/dev/null
echo "minimised and covered: the main window came up, above the other"

# The requests cost the recording nothing: a connection is still seen at once.
n=$(trace_lines first)
"$SIM" connect "Home ISP"
wait_new_trace first "$n" 'dialer-status Connected$' 2 >/dev/null || fail "the first copy stopped following connections"
kill -0 "$first" || fail "the first copy ended"
echo "1 passed, 0 failed"
