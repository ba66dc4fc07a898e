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
    start_window_manager || exit 1
    status=0
    quit_by_keys Tamsell "$2" || status=1
    stop_window_manager
    exit $status
' smoke "$here" "$program"
