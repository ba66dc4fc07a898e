#!/bin/sh
# Starts the real program on a virtual desktop with a Shift_JIS file, waits for its window,
# closes it from the keyboard and expects a clean exit.
set -eu
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORVENLY_REGISTRY="$work/registry.db" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
# Recovery journals and backups that other runs left in the user's state folder stay out.
export XDG_STATE_HOME="$work/state"
# "こんにちは" and a CR LF in Shift_JIS.
printf '\202\261\202\361\202\311\202\277\202\315\r\n' > "$work/hello.txt"

xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    . "$1/desktop.sh"
    start_window_manager || exit 1
    status=0
    quit_by_keys Penlark "$2" "$3" || status=1
    stop_window_manager
    exit $status
' smoke "$here" "$program" "$work/hello.txt"
