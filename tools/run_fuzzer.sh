#!/usr/bin/env bash
# Builds the libFuzzer target tests/fuzz/fuzz_TARGET.cpp with clang and runs it for a
# bounded number of executions (default 1,000,000, shared by two workers), starting from
# its committed seed corpus, tests/fuzz/corpus/TARGET/. New inputs go to a scratch folder,
# never into the corpus.
# Usage: tools/run_fuzzer.sh TARGET [RUNS]   (TARGET: lireini, exec)
set -euo pipefail
cd "$(dirname "$0")/.."
target=fuzz_${1:?usage: $0 TARGET [RUNS]}
seeds=$PWD/tests/fuzz/corpus/$1
runs=${2:-1000000}

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVEXORO_SANITIZE=ON -DVEXORO_FUZZ=ON >/dev/null
cmake --build build-fuzz --target "$target"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir corpus
workers=2
start=$SECONDS
if ! "$OLDPWD/build-fuzz/tests/fuzz/$target" -jobs=$workers -workers=$workers \
        -runs=$((runs / workers)) -max_len=1024 corpus "$seeds" >/dev/null 2>&1; then
    cat fuzz-*.log >&2
    echo "$target: crash, sanitizer report or broken property (reproducer above)" >&2
    exit 1
fi
grep -h '^Done' fuzz-*.log
echo "$target: $runs runs in $((SECONDS - start)) s, no crash, no sanitizer report"
