#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang, ASan and UBSan in build-fuzz,
# then runs each for FUZZ_SECONDS (default 60) on a fresh copy of its committed corpus.
# Prints the executions of each run; exits non-zero if any target crashed or broke a
# property, keeping the input under build-fuzz/artifacts/<target>/.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${M7_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
targets=(fuzz_hex_text fuzz_text_to_int fuzz_decoder)

# libclang-rt-14-dev holds the libFuzzer and sanitizer runtimes; clang only recommends it.
packages=(clang libclang-rt-14-dev cmake ninja-build)
source "$root/scripts/install_missing.sh"
install_missing "${packages[@]}"

cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2

fuzz_stat() { sed -n "s/^stat::$1: *//p" "$2"; }

crashed=()
for target in "${targets[@]}"; do
    corpus=$build/corpus/$target
    artifacts=$build/artifacts/$target
    log=$build/$target.log
    rm -rf "$corpus" "$artifacts"
    mkdir -p "$corpus" "$artifacts"
    cp "$root/tests/fuzz/corpus/$target/"* "$corpus/"

    echo "== $target: ${seconds} s"
    status=0
    "$build/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1 || status=$?
    if ((status)); then
        crashed+=("$target")
        grep -E -A20 'fuzz property violated|ERROR: |runtime error' "$log" | head -40 || true
        echo "$target FAILED (exit $status); input: $(ls "$artifacts"/* 2>/dev/null || echo none)"
    else
        echo "executions: $(fuzz_stat number_of_executed_units "$log")," \
            "per second: $(fuzz_stat average_exec_per_sec "$log")," \
            "new inputs: $(fuzz_stat new_units_added "$log"), peak RSS: $(fuzz_stat peak_rss_mb "$log") MB"
    fi
done

if ((${#crashed[@]})); then
    echo "Crashes in: ${crashed[*]} (logs in $build/*.log)"
    exit 1
fi
echo "No crash in ${#targets[@]} targets."
