#!/usr/bin/env bash
# The configurator as a user meets it: under a virtual X display with a real notification
# area (trayer), started twice, opened from its tray icon, stopped with /Kill, and started
# again after a crash that left its socket behind.
#   e2e_tray_test.sh <q804-config>
# Exits 77 (skipped) when xvfb-run or trayer is missing.
set -uo pipefail

program=${1:?usage: e2e_tray_test.sh <q804-config>}
for tool in xvfb-run trayer xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/deps.sh installs it)"
        exit 77
    fi
done

if [[ -z "${Q804_E2E_INSIDE:-}" ]]; then
    export Q804_E2E_INSIDE=1
    exec xvfb-run -a -s "-screen 0 1600x900x24" bash "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime" Q804_SHELL_LOG="$work/shell.log"
unset QT_QPA_PLATFORM
log="$work/shell.log"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# Waits up to 30 s for a condition (a command).
wait_for() {
    local i
    for ((i = 0; i < 300; i++)); do
        if "$@"; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}
log_count() {
    local n
    n=$(grep -c -x -- "$1" "$log" 2>/dev/null)
    echo "${n:-0}"
}
log_has_at_least() { (($(log_count "$1") >= $2)); }
window_visible() { xdotool search --onlyvisible --name "Veltrano Q804 RGB" >/dev/null 2>&1; }
window_hidden() { ! window_visible; }

trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 32 \
    >"$work/trayer.log" 2>&1 &
sleep 1

# 1. First start with /Start: the icon is in the notification area, the window hidden.
"$program" /Start --simulate >"$work/first.out" 2>&1 &
first=$!
wait_for log_has_at_least "tray 141" 1 || fail "the keyboard never showed in the tray icon"
grep -qx "tray-missing" "$log" && fail "Qt found no notification area"
window_hidden || fail "the window showed although started with /Start"

# 2. A double click on the tray icon opens the window (its first menu item, Open).
icon=$(xdotool search --class q804-config | while read -r w; do
    geometry=$(xdotool getwindowgeometry "$w" | awk '/Geometry/ {print $2}')
    width=${geometry%x*}
    if ((width > 0 && width < 64)); then echo "$w"; break; fi
done)
if [[ -z "$icon" ]]; then
    fail "no tray icon window found"
else
    xdotool mousemove --window "$icon" 8 8 click --repeat 2 --delay 80 1
    wait_for window_visible || fail "the tray icon's Open did not show the window"
fi

# 3. Cancel hides it again.
main=$(xdotool search --onlyvisible --name "Veltrano Q804 RGB" | head -1)
if [[ -n "$main" ]]; then
    # The Cancel button of the main skin (CONTROL_CANCEL).
    xdotool mousemove --window "$main" 898 452 click 1
    wait_for window_hidden || fail "Cancel did not hide the window"
fi

# 4. A second launch hands over and ends at once with 0; the first shows its window.
opens=$(log_count "message 5350 4F50454E")
timeout 30 "$program" --simulate
rc=$?
((rc == 0)) || fail "the second launch ended with $rc"
wait_for log_has_at_least "message 5350 4F50454E" $((opens + 1)) ||
    fail "the first instance got no open request"
wait_for window_visible || fail "the hand-over did not show the window"
[[ $(log_count "start") == 1 ]] || fail "the second launch started a configurator"

# 5. /Kill (any case) ends the first instance and returns only once it has quit.
timeout 30 "$program" /KILL
rc=$?
((rc == 0)) || fail "/Kill ended with $rc"
grep -qx "quit" "$log" || fail "/Kill returned before the first instance quit"
wait "$first"
rc=$?
((rc == 0)) || fail "the first instance ended with $rc"

# 6. A crashed instance leaves its socket file; the next start takes over.
"$program" /Start --simulate >"$work/crashed.out" 2>&1 &
crashed=$!
wait_for log_has_at_least "tray 141" 2 || fail "the instance to crash did not start"
kill -9 "$crashed"
wait "$crashed" 2>/dev/null
[[ -S "$XDG_RUNTIME_DIR/TR62M30C-$(id -u)" ]] || fail "no stale socket was left to recover from"
"$program" /Start --simulate >"$work/third.out" 2>&1 &
third=$!
wait_for log_has_at_least "listening $XDG_RUNTIME_DIR/TR62M30C-$(id -u)" 3 ||
    fail "the start after a crash did not take the socket over"
wait_for log_has_at_least "tray 141" 3 || fail "the start after a crash did not come up"
opens=$(log_count "message 5350 4F50454E")
timeout 30 "$program"
wait_for log_has_at_least "message 5350 4F50454E" $((opens + 1)) ||
    fail "the instance after the crash got no hand-over"
timeout 30 "$program" /kill
wait "$third"

if ((failures > 0)); then
    echo "--- shell log"
    cat "$log"
    echo "--- program output"
    cat "$work"/*.out
    echo "$failures check(s) failed"
    exit 1
fi
echo "end-to-end: all checks passed"
