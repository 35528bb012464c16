#!/usr/bin/env bash
# Sets up and builds an optimized tree of its own (build-bench), then runs every benchmark
# headless and prints its table. BENCH_SECONDS shortens the timed polling runs (default:
# 30 s for the GUI-thread load, 60 s for the CPU comparison).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${M7_BENCH_BUILD_DIR:-$root/build-bench}

M7_BUILD_DIR=$build M7_CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Release" "$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
# Qt wants a private runtime directory; root shells here often have none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
    export XDG_RUNTIME_DIR
fi

run() {
    echo
    echo "== $1"
    "$build/bench/$1" "${@:2}"
}

echo "Benchmarks $(date '+%Y-%m-%d %H:%M %Z'), $(nproc) cores:$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2)"
run serial/bench_serial_latency
run ui/bench_refresh_tick
run e2e/bench_gui_load --seconds "${BENCH_SECONDS:-30}"
run e2e/bench_startup
run e2e/bench_cpu_vs_mbpoll --seconds "${BENCH_SECONDS:-60}"
