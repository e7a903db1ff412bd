#!/bin/sh
# Runs a test program on a private X server, with a private home so that nothing the
# program or the desktop libraries write reaches the user's own folders. Exit code 77 (the
# test is skipped) when Xvfb or xdotool is not installed.
set -eu
for tool in xvfb-run xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool is not installed: test skipped"
        exit 77
    fi
done
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
