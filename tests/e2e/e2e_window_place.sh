#!/usr/bin/env bash
# Under a real window manager (openbox) the main window and the Message Output window come back where they
# were at every restart, five times over, and their titles are exactly their captions; a stored position
# off every screen brings the window back inside.
source "$(dirname "$0")/lib.sh"
start_xvfb
start_wm
"$SIM" init "Home ISP"
CONF="$XDG_CONFIG_HOME/QovRuvela/QovRuvela.conf"

# Waits up to SECONDS (5) for a visible window titled exactly TITLE; prints its id.
window_of() {
    local title="$1" seconds="${2:-5}" wid i
    for i in $(seq $((seconds * 10))); do
        wid=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1)
        if [[ -n "$wid" ]] && xprop -id "$wid" _NET_FRAME_EXTENTS | grep -q '='; then
            sleep 0.3 # the window manager has framed it; let the toolkit settle its place
            echo "$wid"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

gone() {
    local pid="$1" i
    for i in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# One run: start, note where both windows are, close the list with OK and the program with "Close".
run() {
    local name="$1" main list
    start_program "$name"
    wait_trace "$name" 'main-window shown' 10 >/dev/null || fail "run $name: the main window was not shown"
    main=$(window_of 'Qov Ruvela v2\.2\.1') || fail "run $name: no main window titled exactly \"Qov Ruvela v2.2.1\""
    MAIN_AT=$(frame_corner "$main")
    # Ctrl+Tab through the pages until "Show detail" (Alt+S) on the Calculation tab opens the list.
    xdotool windowactivate --sync "$main"
    list=
    for _ in 1 2 3 4; do
        xdotool key --clearmodifiers ctrl+Tab
        sleep 0.2
        xdotool key --clearmodifiers alt+s
        list=$(window_of 'Message Output' 2) && break
    done
    [[ -n "$list" ]] || fail "run $name: no window titled exactly \"Message Output\": $(xdotool search --onlyvisible --name . getwindowname %@ | tr '\n' '|')"
    LIST_AT=$(frame_corner "$list")
    xdotool windowactivate --sync "$list" key --clearmodifiers alt+o
    sleep 0.3
    # "Close" is the menu bar's first item, at its left end.
    xdotool mousemove --window "$main" 12 8 click 1
    gone "$LAST_PID" || fail "run $name: \"Close\" did not end the program"
}

run first
first_main=$MAIN_AT
first_list=$LIST_AT
echo "first run: main window at $first_main, Message Output at $first_list"
[[ "$first_main" == "227 60" ]] || fail "the main window's frame is at $first_main, not at its design place 227 60"
for i in 2 3 4 5 6; do
    run "run$i"
    [[ "$MAIN_AT" == "$first_main" ]] || fail "restart $((i - 1)): the main window moved from $first_main to $MAIN_AT"
    [[ "$LIST_AT" == "$first_list" ]] || fail "restart $((i - 1)): Message Output moved from $first_list to $LIST_AT"
done
grep -q '^MainTop=60$' "$CONF" && grep -q '^MainLeft=227$' "$CONF" || fail "stored: $(grep -E 'Main|MsgOut' "$CONF")"

# A place stored on a larger screen, or by a copy whose windows crept off the top: back inside.
sed -i 's/^MainTop=.*/MainTop=-400/; s/^MainLeft=.*/MainLeft=3000/' "$CONF"
start_program off
wait_trace off 'main-window shown' 10 >/dev/null || fail "the window placed off screen was not shown"
main=$(window_of 'Qov Ruvela v2\.2\.1') || fail "no main window after an off-screen place"
read -r x y <<<"$(frame_corner "$main")"
width=$(xwininfo -id "$main" | awk '/Width/ { print $2 }')
((x >= 0 && y >= 0 && x + width <= 1280)) || fail "the window stored off screen shows at $x $y, $width wide"
echo "off-screen place brought back to $x $y"
echo "1 passed, 0 failed"
