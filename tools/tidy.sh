#!/usr/bin/env bash
# Runs clang-tidy with the root .clang-tidy over every source file under src/, two at a
# time, and fails on any finding. Its own build folder is only configured, for the
# compilation database: no file under src/ includes moc or uic output, so nothing needs
# building first (one that did would show here as a missing header).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

cmake -S . -B build-tidy -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=OFF \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null

# The project's sources only: moc and rcc output lives under the build folder.
python3 -c '
import json, sys
for entry in json.load(open("build-tidy/compile_commands.json")):
    if entry["file"].startswith(sys.argv[1] + "/src/"):
        print(entry["file"])' "$root" >build-tidy/tidy-files.txt

start=$SECONDS
if ! xargs -P 2 -n 1 clang-tidy -p build-tidy --quiet --warnings-as-errors='*' \
        <build-tidy/tidy-files.txt >build-tidy/tidy.log 2>&1; then
    grep -v 'warnings\? \(and [0-9]* errors\? \)\?generated\.$' build-tidy/tidy.log >&2 || true
    echo "clang-tidy: findings above" >&2
    exit 1
fi
echo "clang-tidy: $(wc -l <build-tidy/tidy-files.txt) files under src/, no finding ($((SECONDS - start)) s)"
