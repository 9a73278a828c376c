#!/usr/bin/env bash
# Builds the Debian package from a built tree, checks it with lintian, unpacks it into a temporary root and
# runs what it holds: the report command, both manual pages and the completion as bash-completion loads it.
set -euo pipefail
source_dir="$1"
build_dir="$2"
skip=77

for tool in cpack dpkg-deb dpkg-shlibdeps lintian man; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (bash scripts/setup-deps.sh test)"; exit $skip; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

version=$(sed -n 's/^project(QovRuvela VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
arch=$(dpkg --print-architecture)
deb="$work/qovruvela_${version}_${arch}.deb"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
[[ -f "$deb" ]] || { ls "$work" >&2; echo "FAIL: no $deb" >&2; exit 1; }

# The control fields: the libraries found by dpkg-shlibdeps, the run-time packages, who made it.
control=$(dpkg-deb --field "$deb")
depends=$(dpkg-deb --field "$deb" Depends)
for pkg in libqt6widgets6 libqt6charts6 libqt6dbus6 libjpeg62-turbo libcanberra0 libmnl0 libc6 xdg-utils qt6-qpa-plugins; do
    [[ ", $depends," == *", $pkg "* || ", $depends," == *", $pkg,"* ]] || fail "Depends lacks $pkg: $depends"
done
[[ "$(dpkg-deb --field "$deb" Recommends)" == *libcanberra-pulse* ]] || fail "libcanberra-pulse not recommended"
[[ "$(dpkg-deb --field "$deb" Maintainer)" == "Qov Ruvela developers <ruvela@qov.example>" ]] ||
    fail "Maintainer: $(dpkg-deb --field "$deb" Maintainer)"
[[ "$(dpkg-deb --field "$deb" Version)" == "$version" ]] || fail "Version is not $version"
[[ "$control" == *"Description: record the time spent online"*"qovruvela-report command"* ]] ||
    fail "Description lacks its summary or its long text"

# lintian: no errors; every warning is one the README lists and explains; no hardening tag, not even an
# informational one: the presets build with Debian's hardening flags.
lintian --display-info --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || true
cat "$work/lintian.txt"
grep -q '^E: ' "$work/lintian.txt" && fail "lintian reports errors"
grep -q '^[EWI]: [^:]*: hardening-' "$work/lintian.txt" &&
    fail "lintian finds binaries built without Debian's hardening flags (the presets in CMakePresets.json)"
while read -r tag; do
    grep -q -- "\`$tag\`" "$source_dir/README.md" || fail "lintian warning $tag is not explained in README.md"
done < <(sed -n 's/^W: [^:]*: \([a-z0-9-]*\).*/\1/p' "$work/lintian.txt" | sort -u)

# Unpacked, the files are where a Debian system looks for them, and the demo script is no command.
root="$work/root"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/qovruvela usr/bin/qovruvela-report usr/share/applications/net.qov.Ruvela.desktop \
    usr/share/metainfo/net.qov.Ruvela.metainfo.xml usr/share/icons/hicolor/48x48/apps/qovruvela.png \
    usr/share/qovruvela/qovruvela-help.html usr/share/qovruvela/alertB.wav usr/share/qovruvela/logo.jpg \
    usr/share/man/man1/qovruvela.1.gz usr/share/man/man1/qovruvela-report.1.gz \
    usr/share/doc/qovruvela/copyright usr/share/doc/qovruvela/changelog.gz \
    usr/share/doc/qovruvela/examples/qovruvela-sim; do
    [[ -e "$root/$f" ]] || fail "the package lacks /$f"
done
[[ -e "$root/usr/bin/qovruvela-sim" ]] && fail "the simulation script is in /usr/bin"

# The headless recorder beside the program, and its service units, which start the installed program and
# are installed but not enabled.
[[ -x "$root/usr/bin/qovruvela-recorder" ]] || fail "the package lacks /usr/bin/qovruvela-recorder"
for unit in user/qovruvela.service system/qovruvela@.service; do
    file="$root/usr/lib/systemd/$unit"
    [[ -f "$file" ]] || { fail "the package lacks /usr/lib/systemd/$unit"; continue; }
    grep -q '^ExecStart=/usr/bin/qovruvela --headless$' "$file" || fail "$unit does not start /usr/bin/qovruvela --headless"
done
[[ -e "$root/etc/systemd" ]] && fail "the package enables a service unit"
objdump -p "$root/usr/bin/qovruvela-recorder" | grep -qE 'NEEDED *libQt6(Widgets|Gui)' &&
    fail "the recorder links a widget or GUI library"

# The History window's chart is a module of its own, in the folder the program looks in (the build's
# QOVRUVELA_CHART_MODULE_DIR gives both), so that the program itself starts without Qt Charts.
moduledir=$(sed -n 's/^QOVRUVELA_CHART_MODULE_DIR:[A-Z]*=//p' "$build_dir/CMakeCache.txt")
module="usr/$moduledir/libqovruvela-chart.so"
if [[ -n "$moduledir" && -f "$root/$module" ]]; then
    grep -q 'NEEDED *libQt6Charts' <<<"$(objdump -p "$root/$module")" || fail "the chart module does not use Qt Charts"
else
    fail "the package lacks /$module"
fi
objdump -p "$root/usr/bin/qovruvela" | grep -q 'NEEDED *libQt6Charts' && fail "qovruvela links Qt Charts again"

# The stack protector, which lintian does not look for: each binary calls its failure handler.
for f in usr/bin/qovruvela usr/bin/qovruvela-report usr/bin/qovruvela-recorder "$module"; do
    [[ -f "$root/$f" ]] || continue
    [[ "$(objdump -T "$root/$f")" == *__stack_chk_fail* ]] || fail "/$f is built without the stack protector"
done
completions=$(pkg-config --variable=completionsdir bash-completion)
[[ -f "$root$completions/qovruvela-report" ]] || fail "the completion is not in $completions"

# The unpacked command runs with the system's libraries and is the packaged version.
help=$("$root/usr/bin/qovruvela-report" --help) || fail "qovruvela-report --help failed"
for word in "Usage:" --json --csv; do
    [[ "$help" == *"$word"* ]] || fail "qovruvela-report --help lacks $word"
done
[[ "$("$root/usr/bin/qovruvela-report" --version)" == "qovruvela-report $version" ]] ||
    fail "qovruvela-report --version is not $version"

# Each page renders without a warning from groff and has the sections a reader looks for.
for page in qovruvela qovruvela-report qovruvela-recorder; do
    file="$root/usr/share/man/man1/$page.1.gz"
    text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l -P cat "$file" 2>"$work/man.err") || fail "man -l $page"
    [[ -s "$work/man.err" ]] && { cat "$work/man.err" >&2; fail "man -l $page warns"; }
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES ENVIRONMENT "EXIT STATUS" EXAMPLES; do
        grep -q "^$section\$" <<<"$text" || fail "$page(1) has no $section section"
    done
    [[ "$text" == *"Qov Ruvela $version"* ]] || fail "$page(1) does not carry version $version"
done

# bash-completion finds the packaged completion by the command's name, as it would under /usr.
completed=$(XDG_DATA_DIRS="$root/usr/share" bash --norc -c '
    source /usr/share/bash-completion/bash_completion
    __load_completion qovruvela-report || exit 1
    COMP_WORDS=(qovruvela-report --c) COMP_CWORD=1 COMP_LINE="qovruvela-report --c" COMP_POINT=20
    _qovruvela_report qovruvela-report --c qovruvela-report
    echo "${COMPREPLY[*]}"') || fail "bash-completion does not load the packaged completion"
[[ "$completed" == "--csv" ]] || fail "completing --c gave '$completed'"

((failures == 0)) || exit 1
echo "1 passed, 0 failed"
