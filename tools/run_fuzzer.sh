#!/usr/bin/env bash
# Builds the settings reader's libFuzzer target with clang and runs it for a bounded
# number of executions (default 1,000,000, shared by two workers), starting from the
# committed seed corpus. New inputs go to a scratch folder, never into the corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1000000}

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVEXORO_SANITIZE=ON -DVEXORO_FUZZ=ON >/dev/null
cmake --build build-fuzz --target fuzz_lireini

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir corpus
workers=2
if ! "$OLDPWD/build-fuzz/tests/fuzz/fuzz_lireini" -jobs=$workers -workers=$workers \
        -runs=$((runs / workers)) -max_len=1024 corpus "$OLDPWD/tests/fuzz/corpus" >/dev/null 2>&1; then
    cat fuzz-*.log >&2
    echo "fuzz_lireini: crash or sanitizer report (reproducer above)" >&2
    exit 1
fi
grep -h '^Done' fuzz-*.log
echo "fuzz_lireini: $runs runs, no crash, no sanitizer report"
