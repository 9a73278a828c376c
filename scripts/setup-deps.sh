#!/usr/bin/env bash
# Installs what building, running and testing Qov Ruvela needs on Debian 12, skipping what is there.
# Usage: setup-deps.sh run|test|fuzz
set -euo pipefail

# Qt Charts' CMake files look for Qt OpenGL's, which Debian 12 ships apart (libqt6opengl6-dev).
build=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgl-dev qt6-qpa-plugins fonts-dejavu-core libjpeg62-turbo-dev libcanberra-dev libmnl-dev libxcb1-dev)
run=(xdg-utils libcanberra-pulse)
test=(bc python3 libgtest-dev libgmock-dev libbenchmark-dev clang clang-format xvfb xauth x11-utils xdotool util-linux valgrind iproute2
      dbus-daemon dbus-bin python3-dbusmock dex desktop-file-utils appstream sox pulseaudio pulseaudio-utils
      dpkg-dev fakeroot file lintian man-db bash-completion openbox python3-xlib
      systemd) # systemd-analyze checks the recorder's service units; installing systemd starts nothing
# The fuzz targets: clang and its run-time libraries (libFuzzer, the sanitizers), which clang only recommends.
fuzz=(clang libclang-rt-dev)

case "${1:-}" in
run) wanted=("${build[@]}" "${run[@]}") ;;
test) wanted=("${build[@]}" "${run[@]}" "${test[@]}") ;;
fuzz) wanted=("${build[@]}" "${fuzz[@]}") ;;
*) echo "usage: $0 run|test|fuzz" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
((${#missing[@]} == 0)) && exit 0

sudo=()
((EUID == 0)) || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
