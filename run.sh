#!/usr/bin/env bash
# Installs what is missing, builds a Release build and starts the game.
set -euo pipefail
cd "$(dirname "$0")"

tools/install_deps.sh cmake ninja-build g++ qt6-base-dev libgl-dev fonts-dejavu-core x11-utils

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release --target vexoro

if [ -z "${WAYLAND_DISPLAY:-}" ] && { [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; }; then
    echo "run.sh: no display to show the game on. On a machine without one, run it on a virtual display:" >&2
    echo "  sudo apt-get install xvfb    # the package that provides xvfb-run" >&2
    echo "  xvfb-run ./run.sh" >&2
    exit 1
fi
exec build-release/src/app/vexoro
