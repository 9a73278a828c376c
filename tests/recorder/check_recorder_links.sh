#!/usr/bin/env bash
# The headless recorder loads no widget, GUI, X or OpenGL library: on a box without them it still starts.
set -euo pipefail
recorder="$1"
libs=$(ldd "$recorder")
echo "$libs"
grep -q 'libQt6Core\.so' <<<"$libs" || { echo "FAIL: no Qt Core in the recorder's libraries" >&2; exit 1; }
if bad=$(grep -E 'libQt6(Widgets|Gui|Charts|OpenGL)|libX11|libxcb|libGL|libEGL|libwayland' <<<"$libs"); then
    echo "FAIL: the recorder links what needs a display:" >&2
    echo "$bad" >&2
    exit 1
fi
echo "1 passed, 0 failed"
