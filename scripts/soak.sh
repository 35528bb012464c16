#!/usr/bin/env bash
# Sets up and builds, then runs the soak test for ten minutes (M7_SOAK_SECONDS to change
# that) against the simulated controller, headless, and prints its summary.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${M7_BUILD_DIR:-$root/build}

M7_BUILD_DIR=$build "$root/scripts/setup.sh"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export M7_SOAK_SECONDS=${M7_SOAK_SECONDS:-600}
echo "Soak: ${M7_SOAK_SECONDS} s"
exec "$build/tests/soak/m7_soak_tests"
