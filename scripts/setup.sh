#!/usr/bin/env bash
# Installs the Debian packages the panel needs (only those missing), then configures
# and builds the tree. Safe to run again: with everything in place it only rebuilds.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${M7_BUILD_DIR:-$root/build}

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-serialport-dev
    libgtest-dev
    libmodbus-dev mbpoll
    fonts-wqy-zenhei fonts-dejavu-core
    xvfb x11-utils
)

source "$root/scripts/install_missing.sh"
install_missing "${packages[@]}"

cmake -S "$root" -B "$build" -G Ninja ${M7_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
