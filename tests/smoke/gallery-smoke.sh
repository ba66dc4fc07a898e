#!/bin/sh
# Starts the control gallery on a virtual desktop, waits for its window, closes it from the
# keyboard and expects a clean exit.
set -eu
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work"

xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    . "$1/desktop.sh"
    start_window_manager
    "$2" &
    pid=$!
    if ! window=$(wait_for_windows Tamsell 1); then
        echo "no gallery window appeared" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    echo "window: $(xdotool getwindowname "$window")"
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key --clearmodifiers ctrl+q
    if ! wait_for_exit "$pid"; then
        echo "the gallery did not close" >&2
        kill "$pid"
        exit 1
    fi
    wait "$pid"
    stop_window_manager
' smoke "$here" "$program"
