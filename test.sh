#!/usr/bin/env bash
# Installs what is missing, builds with sanitizers and warnings as errors, runs every test.
set -euo pipefail
cd "$(dirname "$0")"

tools/install_deps.sh cmake ninja-build g++ qt6-base-dev libgl-dev fonts-dejavu-core \
    xvfb xauth xdotool x11-utils openbox x11-xserver-utils python3 desktop-file-utils appstream util-linux \
    clang libclang-rt-14-dev clang-tidy dpkg-dev file lintian groff-base qt6-base-private-dev

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVEXORO_SANITIZE=ON -DVEXORO_WERROR=ON >/dev/null
cmake --build build-test -j "$(nproc)"

# The settings reader and the desktop entries' Exec lines under libFuzzer, when clang's
# fuzzer runtime is there (whole runs only).
if [ $# -eq 0 ] && command -v clang++ >/dev/null 2>&1 \
    && dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q 'install ok installed'; then
    tools/run_fuzzer.sh lireini
    tools/run_fuzzer.sh exec
fi

ctest --test-dir build-test --output-on-failure -j "$(nproc)" "$@"

# Static analysis of src/ (whole runs only; about two minutes on two cores). Last, so that
# a finding never hides the suite's verdict.
if [ $# -eq 0 ]; then
    tools/tidy.sh
fi
