#!/usr/bin/env bash
# Sets up and builds, starts the simulated M7 controller on a pseudo-terminal, then
# the panel. Closing the panel stops the simulator. Lines typed here go to the
# simulator (fault bad-crc, fault none, alarms 0x101, vanish, ...).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${M7_BUILD_DIR:-$root/build}
link=${M7_SIM_LINK:-/tmp/m7-sim-port}

"$root/scripts/setup.sh"

exec 3<&0
"$build/tools/m7-sim/m7-sim" --link "$link" <&3 >/dev/null &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT

for _ in $(seq 50); do
    [ -e "$link" ] && break
    sleep 0.1
done

cat <<TXT
Simulated M7 controller running at $link.
In the panel: type $link into 端口 (port), press 打开串口, then tick 通讯.
TXT

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: starting the panel under Xvfb on :99."
    Xvfb :99 -screen 0 1024x768x24 >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill "$sim" "$xvfb" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
    export DISPLAY=:99
    sleep 1
fi

"$build/src/app/m7-panel"
