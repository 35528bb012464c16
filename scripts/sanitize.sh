#!/usr/bin/env bash
# Runs the tests under sanitizers, each build in a tree of its own:
#   build-asan  AddressSanitizer (with leak checks) and UBSan: the whole suite;
#   build-tsan  ThreadSanitizer: the tests where threads meet, that is the serial
#               component, the window's port, line and input tests and the end-to-end tests.
# A sanitizer report fails its test; the script exits non-zero if any test failed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
asan=$root/build-asan
tsan=$root/build-tsan

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Qt and GLib are not instrumented: see tsan.supp for what that leaves unseen.
export TSAN_OPTIONS="suppressions=$root/scripts/tsan.supp:ignore_noninstrumented_modules=1:second_deadlock_stack=1"
status=0

# setup.sh installs what is missing, configures and builds (test discovery included,
# so the options above are already in force).
M7_BUILD_DIR=$asan M7_CMAKE_ARGS=-DM7_SANITIZE=address,undefined "$root/scripts/setup.sh"
echo "== ASan + UBSan: whole suite"
ctest --test-dir "$asan" --output-on-failure -j2 --timeout 600 || status=1

tsan_targets=(m7_serial_tests m7_ui_tests)
[ -e "$root/tests/e2e/CMakeLists.txt" ] && tsan_targets+=(m7_e2e_tests)
cmake -S "$root" -B "$tsan" -G Ninja -DM7_SANITIZE=thread >/dev/null
cmake --build "$tsan" -j2 --target "${tsan_targets[@]}"

# Suites of a test program, as CTest names its tests: "Suite.Test".
suites() { "$1" --gtest_list_tests | sed -n 's/^\([^ ].*\)\.$/\1/p'; }
selected=$( (
    suites "$tsan/tests/serial/m7_serial_tests"
    echo LineTest
    echo PortTest
    echo InputTest
    [ -x "$tsan/tests/e2e/m7_e2e_tests" ] && suites "$tsan/tests/e2e/m7_e2e_tests"
) | paste -sd'|')
echo "== TSan: $selected"
ctest --test-dir "$tsan" --output-on-failure -j2 --timeout 600 -R "^($selected)\." || status=1

exit "$status"
