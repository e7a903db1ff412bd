#!/usr/bin/env bash
# Builds the configurator and starts it on the simulated keyboard: the main window opens by
# itself when the keyboard "arrives", and the tray icon's menu has a "Simulated keyboard"
# submenu to plug, unplug, switch the G bank and send the keyboard's events. The simulated
# keyboard's memory lives in the user's per-user folder ("simulated-keyboard.state"), made on
# the first run, so q804ctl sees what the configurator wrote.
#
# Without a display there is no window to show: the script says so and runs
# `q804ctl --simulate info` on the same simulated keyboard instead.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
q804_ensure_packages

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(q804_jobs)"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the configurator's window"
    echo "cannot be shown here. What the simulated keyboard reports instead:"
    exec build/bin/q804ctl --simulate info
fi
exec build/bin/q804-config --simulate "$@"
