#!/usr/bin/env bash
# Start-up of the game against a floor: a bare Qt Widgets window of the same shape.
#
#   bench/startup.sh [pairs]      (default 21, at least 15)
#
# Builds a Release build in build-bench/, starts one Xvfb display and runs, alternately,
# (A) the game and (B) the floor program, each from a fresh empty folder (so no start.ini
# lies beside it). For every run mapwatch times exec -> first map of the window from X
# events and reads, right after the map, the peak resident memory (VmHWM) and the CPU time
# the program has used. Prints the medians and the medians of the per-pair ratios
# game / floor; the raw figures go to build-bench/startup-results.tsv.
set -euo pipefail
cd "$(dirname "$0")/.."

pairs=${1:-21}
if ! [[ "$pairs" =~ ^[0-9]+$ ]] || [ "$pairs" -lt 15 ]; then
    echo "usage: bench/startup.sh [pairs]   (pairs: at least 15, default 21)" >&2
    exit 2
fi

tools/install_deps.sh cmake ninja-build g++ qt6-base-dev libgl-dev fonts-dejavu-core \
    xvfb libx11-dev

build="build-bench"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEXORO_BENCH=ON \
    -DBUILD_TESTING=OFF >/dev/null
if ! log=$(cmake --build "$build" --target vexoro floor_window mapwatch 2>&1); then
    echo "$log" >&2
    exit 1
fi

game="$PWD/$build/src/app/vexoro"
floor="$PWD/$build/bench/floor_window"
mapwatch="$PWD/$build/bench/mapwatch"
results="$PWD/$build/startup-results.tsv"

# Run folders live beside the binaries, on the same file system, so a hard link will do.
work=$(mktemp -d "$PWD/$build/startup-runs.XXXXXX")
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# One display for the whole series; Xvfb picks a free number and writes it once it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" \
    >/dev/null 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
if ! [ -s "$work/display" ]; then
    echo "startup.sh: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_DEBUG_PLUGINS QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_STYLE_OVERRIDE

# run BINARY: prints "map_us vmhwm_kb cpu_us" of one start from a fresh empty folder.
run() {
    local dir out
    dir=$(mktemp -d "$work/run.XXXXXX")
    ln "$1" "$dir/" 2>/dev/null || cp "$1" "$dir/"
    if ! out=$("$mapwatch" "$dir/$(basename "$1")"); then
        rm -rf "$dir"
        return 1
    fi
    rm -rf "$dir"
    sed -E 's/.*map_us=([0-9]+).*vmhwm_kb=([0-9]+).*cpu_us=([0-9]+).*/\1 \2 \3/' <<<"$out"
}

# CPU ticks used so far by this script, its waited-for children (the programs measured
# among them) and Xvfb.
own_ticks() {
    local self xvfb
    self=$(cut -d' ' -f14-17 /proc/$$/stat)
    xvfb=$(cut -d' ' -f14-15 "/proc/$xvfb_pid/stat")
    echo $((${self// / + } + ${xvfb// / + }))
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "Qt: $(dpkg-query -W -f='${Version}' libqt6widgets6 2>/dev/null || echo unknown)"
echo "display: $DISPLAY; pairs: $pairs (one warm-up pair not counted)"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

run "$game" >/dev/null || { echo "startup.sh: the game did not map a window" >&2; exit 1; }
run "$floor" >/dev/null || { echo "startup.sh: the floor did not map a window" >&2; exit 1; }

read -r _ u0 n0 s0 i0 w0 q0 sq0 st0 _ </proc/stat
own0=$(own_ticks)
printf 'pair\tgame_map_us\tgame_hwm_kb\tgame_cpu_us\tfloor_map_us\tfloor_hwm_kb\tfloor_cpu_us\n' >"$results"
for i in $(seq "$pairs"); do
    a=$(run "$game") || { echo "startup.sh: pair $i: the game did not map a window" >&2; exit 1; }
    b=$(run "$floor") || { echo "startup.sh: pair $i: the floor did not map a window" >&2; exit 1; }
    printf '%s\t%s\t%s\n' "$i" "${a// /$'\t'}" "${b// /$'\t'}" >>"$results"
done
read -r _ u1 n1 s1 i1 w1 q1 sq1 st1 _ </proc/stat
own1=$(own_ticks)

echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"
busy=$(((u1 + n1 + s1 + q1 + sq1 + st1) - (u0 + n0 + s0 + q0 + sq0 + st0)))
total=$((busy + (i1 + w1) - (i0 + w0)))
own=$((own1 - own0))
others=$((busy > own ? busy - own : 0))
echo "CPU during the series, share of all $(nproc) cores: $((100 * busy / total))% busy:" \
    "this benchmark $((100 * own / total))%, other processes $((100 * others / total))%"

field() { tail -n +2 "$results" | awk -F'\t' "{ print $1 }"; }
row() { # label, game column, floor column, divisor
    printf '%-34s %10.1f %10.1f %11.3fx\n' "$1" \
        "$(field "\$$2 / $4" | median)" "$(field "\$$3 / $4" | median)" \
        "$(field "\$$2 / \$$3" | median)"
}
printf '\n%-34s %10s %10s %12s\n' "median of $pairs pairs" "game" "floor" "game/floor"
row "exec -> window mapped (ms)" 2 5 1000
row "peak resident memory at map (MiB)" 3 6 1024
row "CPU time up to the map (ms)" 4 7 1000
echo "(game/floor: the median of the per-pair ratios; raw figures in $build/startup-results.tsv)"
