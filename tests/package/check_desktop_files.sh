#!/usr/bin/env bash
# The desktop entry and the AppStream metadata validate, and an install puts everything in its place.
set -euo pipefail
source_dir="$1"
build_dir="$2"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

desktop-file-validate "$source_dir/data/desktop/net.qov.Ruvela.desktop"
appstreamcli validate --no-net "$source_dir/data/desktop/net.qov.Ruvela.metainfo.xml"

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
for f in bin/qovruvela bin/qovruvela-sim bin/qovruvela-report share/qovruvela/qovruvela-help.html \
    share/qovruvela/alertB.wav share/qovruvela/logo.jpg share/applications/net.qov.Ruvela.desktop \
    share/metainfo/net.qov.Ruvela.metainfo.xml share/icons/hicolor/48x48/apps/qovruvela.png \
    share/icons/hicolor/256x256/apps/qovruvela.png share/man/man1/qovruvela.1.gz \
    share/man/man1/qovruvela-report.1.gz share/bash-completion/completions/qovruvela-report; do
    [[ -e "$prefix/$f" ]] || { echo "FAIL: the install lacks $f" >&2; exit 1; }
done
desktop-file-validate "$prefix/share/applications/net.qov.Ruvela.desktop"
echo "1 passed, 0 failed"
