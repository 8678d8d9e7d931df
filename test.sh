#!/usr/bin/env bash
# Installs what is missing, builds with sanitizers and warnings as errors, runs every test.
set -euo pipefail
cd "$(dirname "$0")"

tools/install_deps.sh cmake ninja-build g++ qt6-base-dev libgl-dev fonts-dejavu-core \
    xvfb xauth xdotool x11-utils python3 desktop-file-utils appstream util-linux

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVEXORO_SANITIZE=ON -DVEXORO_WERROR=ON >/dev/null
cmake --build build-test -j "$(nproc)"
ctest --test-dir build-test --output-on-failure -j "$(nproc)" "$@"
