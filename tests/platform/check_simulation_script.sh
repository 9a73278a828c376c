#!/usr/bin/env bash
# The simulation script writes only into a folder of the user's own, and only through files it makes
# itself: a link planted at the file's name, or at a name it once used for its temporary copy, is never
# written through.
set -euo pipefail
sim=$(realpath "$1")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0 failed=0
check() { # WHAT COMMAND...: the command must succeed
    local what="$1"
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAIL: $what" >&2
        failed=$((failed + 1))
    fi
}
# Whether the script, run with ARGS..., fails and says WHY.
refused() { # WHY ARGS...
    local why="$1" out
    shift
    ! out=$(bash "$sim" "$@" 2>&1) && [[ "$out" == *"$why"* ]]
}
no_temporary_left() { [[ -z "$(find "$1" -name '.dialup.*' -o -name '*.tmp')" ]]; }

# A busy line and no answer make every dial fail at the device until "accept".
busy_dir="$work/busy"
bash "$sim" -d "$busy_dir" init
check "busy makes dials fail with 676" sh -c "bash '$sim' -d '$busy_dir' busy && grep -qx 'fail 676' '$busy_dir/dialup.txt'"
check "noanswer replaces it with 678" sh -c "bash '$sim' -d '$busy_dir' noanswer && grep -qx 'fail 678' '$busy_dir/dialup.txt' && ! grep -q 'fail 676' '$busy_dir/dialup.txt'"
check "accept lets dials through" sh -c "bash '$sim' -d '$busy_dir' accept && ! grep -q '^fail ' '$busy_dir/dialup.txt'"

# A missing folder is made for the user alone.
check "a missing folder is made" bash "$sim" -d "$work/new/sim" init
check "a new folder is the user's alone" [ "$(stat -c %a "$work/new/sim")" = 700 ]
check "the phone book is written" grep -qx 'entry Work' "$work/new/sim/dialup.txt"

# A folder others may write in, or someone else's, is refused before anything is written.
mkdir -m 777 "$work/shared"
chmod 777 "$work/shared"
check "a folder others may write in is refused" refused "others may write in it" -d "$work/shared" init
check "nothing is written into it" [ -z "$(ls -A "$work/shared")" ]
mkdir -m 770 "$work/group"
chmod 770 "$work/group"
check "a folder its group may write in is refused" refused "others may write in it" -d "$work/group" init
if ((EUID == 0)); then
    mkdir -m 700 "$work/theirs"
    chown 65534:65534 "$work/theirs"
    check "someone else's folder is refused" refused "belongs to someone else" -d "$work/theirs" init
    check "nothing is written into theirs" [ -z "$(ls -A "$work/theirs")" ]
else
    check "someone else's folder is refused" refused "belongs to someone else" -d / show
fi
ln -s "$work/new/sim" "$work/link"
check "a link to a folder is refused" refused "it is a link" -d "$work/link" show

# Links planted in the folder: at the file's name (dangling and not), and at "dialup.txt.tmp".
sim_dir="$work/own"
mkdir -m 700 "$sim_dir"
ln -s "$work/created-through-link" "$sim_dir/dialup.txt"
check "a dangling link at the file is not written through" bash "$sim" -d "$sim_dir" connect Work
check "the link's target is not made" [ ! -e "$work/created-through-link" ]
check "the link is replaced by the file" [ ! -L "$sim_dir/dialup.txt" ]
check "the connection is written" grep -qx 'connection 8192 0 Work' "$sim_dir/dialup.txt"

printf 'keep me\n' >"$work/precious"
ln -s "$work/precious" "$sim_dir/dialup.txt.tmp"
check "init with a link at dialup.txt.tmp" bash "$sim" -d "$sim_dir" init "Home ISP"
check "what dialup.txt.tmp points at is kept" [ "$(cat "$work/precious")" = "keep me" ]

rm "$sim_dir/dialup.txt.tmp" "$sim_dir/dialup.txt"
ln -s "$work/precious" "$sim_dir/dialup.txt"
check "a link to a file at the file's name" bash "$sim" -d "$sim_dir" disconnect
check "what the file's link points at is kept" [ "$(cat "$work/precious")" = "keep me" ]
check "the file's link is replaced" [ ! -L "$sim_dir/dialup.txt" ]
check "no temporary file is left" no_temporary_left "$sim_dir"

echo "$passed passed, $failed failed"
((failed == 0))
