#!/usr/bin/env bash
# The headless recorder's service units as systemd reads them: `systemd-analyze verify` finds no fault in
# the user unit nor in an instance of the system template, with ExecStart naming the program built here.
# Usage: check_service_units.sh UNIT_FOLDER PROGRAM
set -euo pipefail
units="$1"
program="$2"
command -v systemd-analyze >/dev/null || { echo "SKIP: systemd-analyze is missing (bash scripts/setup-deps.sh test)"; exit 77; }

work=$(mktemp -d)
mkdir -m 700 "$work/run"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

check() {
    local source="$1" name="$2" mode="$3" out
    sed "s|^ExecStart=[^ ]*|ExecStart=$program|" "$units/$source" >"$work/$name"
    grep -q "^ExecStart=$program --headless\$" "$work/$name" || fail "$source does not start the program --headless"
    grep -q '^Restart=on-failure$' "$work/$name" || fail "$source is not restarted on failure"
    # The user manager's look-ups want a runtime folder, whoever runs the test. verify names some faults
    # without failing: they are faults all the same.
    if ! out=$(cd "$work" && XDG_RUNTIME_DIR="$work/run" SYSTEMD_LOG_LEVEL=warning \
        systemd-analyze $mode verify --man=no "$work/$name" 2>&1) || grep -q "$name" <<<"$out"; then
        fail "systemd-analyze $mode verify $source: $out"
        return
    fi
    echo "$source: verified"
}
check qovruvela.service qovruvela.service --user
check qovruvela@.service qovruvela@nobody.service --system
grep -q '^User=%i$' "$units/qovruvela@.service" || fail "the template does not run as the instance's user"

((failures == 0)) || exit 1
echo "1 passed, 0 failed"
