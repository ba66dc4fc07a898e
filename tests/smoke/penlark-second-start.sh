#!/bin/sh
# A second start of the real program, from another folder, with an absolute and a relative
# file name: it must end at once, and the running program must open both files (a word typed
# into each and saved reaches both) and keep one window.
set -eu
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORVENLY_REGISTRY="$work/registry.db" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
# Recovery journals and backups that other runs left in the user's state folder stay out.
export XDG_STATE_HOME="$work/state"
mkdir "$work/a" "$work/b"
printf 'alpha\n' > "$work/a/a.txt"
printf 'beta\n' > "$work/b/b.txt"

xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    . "$1/desktop.sh"
    program=$2 work=$3
    start_window_manager
    cd "$work"
    "$program" &
    pid=$!
    if ! window=$(wait_for_windows Penlark 1); then
        echo "no Penlark window appeared" >&2
        exit 1
    fi
    (cd "$work/b" && "$program" "$work/a/a.txt" b.txt) || {
        echo "the second start failed" >&2; kill "$pid"; exit 1; }
    kill -0 "$pid" || { echo "the first start ended" >&2; exit 1; }
    sleep 1
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    for letter in x y; do
        xdotool key --clearmodifiers ctrl+Home
        xdotool type "$letter"
        xdotool key --clearmodifiers ctrl+F6
    done
    xdotool key --clearmodifiers ctrl+l
    for _ in $(seq 1 50); do
        grep -q "^[xy]alpha" "$work/a/a.txt" && grep -q "^[xy]beta" "$work/b/b.txt" && break
        sleep 0.1
    done
    status=0
    if ! grep -q "^[xy]alpha" "$work/a/a.txt" || ! grep -q "^[xy]beta" "$work/b/b.txt"; then
        echo "the files of the second start were not opened: $(cat "$work/a/a.txt" "$work/b/b.txt")" >&2
        status=1
    fi
    [ "$(count_windows Penlark)" -eq 1 ] || { echo "more than one Penlark window" >&2; status=1; }
    xdotool key --clearmodifiers ctrl+q
    wait_for_exit "$pid" || { echo "the program did not close" >&2; kill "$pid"; status=1; }
    stop_window_manager
    exit $status
' second-start "$here" "$program" "$work"
