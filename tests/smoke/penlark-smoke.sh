#!/bin/sh
# Starts the real program on a virtual desktop with a Shift_JIS file, waits for its window,
# closes it from the keyboard and expects a clean exit.
set -eu
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORVENLY_REGISTRY="$work/registry.db" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
# "こんにちは" and a CR LF in Shift_JIS.
printf '\202\261\202\361\202\311\202\277\202\315\r\n' > "$work/hello.txt"

xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    . "$1/desktop.sh"
    start_window_manager
    "$2" "$3" &
    pid=$!
    if ! window=$(wait_for_windows Penlark 1); then
        echo "no Penlark window appeared" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    echo "window: $(xdotool getwindowname "$window")"
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key --clearmodifiers ctrl+q
    if ! wait_for_exit "$pid"; then
        echo "the program did not close" >&2
        kill "$pid"
        exit 1
    fi
    wait "$pid"
    stop_window_manager
' smoke "$here" "$program" "$work/hello.txt"
