#!/usr/bin/env bash
# What bash offers after "qovruvela-report": options not yet given, personal data files and folders, and
# nothing where a date belongs.
set -euo pipefail
completion=$(realpath "$1")
bash_completion=/usr/share/bash-completion/bash_completion
[[ -f "$bash_completion" ]] || { echo "SKIP: bash-completion is missing (bash scripts/setup-deps.sh test)"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Home" "$work/empty"
touch "$work/Home.rvl" "$work/notes.txt" "$work/Home/1.rvl" "$work/Home/2.rvl" "$work/Home/readme"
cd "$work"

# Prints what completing the last word of the given line offers, sorted, one line.
complete_line() {
    bash --norc -c '
        source "$1"; source "$2" && declare -F _qovruvela_report >/dev/null || exit 1; shift 2
        COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMP_POINT=${#COMP_LINE}
        _qovruvela_report qovruvela-report "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd " "' _ "$bash_completion" "$completion" "$@"
}

passed=0 failed=0
expect() {
    local want="$1"
    shift
    local got
    got=$(complete_line qovruvela-report "$@") || got="(the completion did not load)"
    if [[ "$got" == "$want" ]]; then
        passed=$((passed + 1))
    else
        echo "FAIL: qovruvela-report $* -> '$got', expected '$want'" >&2
        failed=$((failed + 1))
    fi
}

expect "--csv --daily --help --help-all --json --since --until --version" --
expect "--since" --s
expect "--daily --help --help-all --since --until --version" --json --
expect "--help --help-all --since --until --version" --csv --daily --
expect "" --csv --j
expect "--csv --daily --help --help-all --json --until --version" --since 2026-12-01 --
expect "--csv --daily --help --help-all --json --until --version" --since=2026-12-01 --
expect "" --since ""
expect "" --until 2026
expect "Home Home.rvl empty" ""
expect "Home Home.rvl" H
expect "Home/1.rvl Home/2.rvl" Home/
expect "Home Home.rvl empty" --daily --since 2026-12-01 ""

echo "$passed passed, $failed failed"
((failed == 0))
