#!/usr/bin/env bash
# Sets up and builds, then runs the whole test suite headless.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${M7_BUILD_DIR:-$root/build}

"$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2 --timeout 600
