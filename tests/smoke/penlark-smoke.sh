#!/bin/sh
# Starts the real program under a virtual X server with a Shift_JIS file, waits for its
# window, closes it from the keyboard and expects a clean exit.
set -eu
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORVENLY_REGISTRY="$work/registry.db" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
# "こんにちは" and a CR LF in Shift_JIS.
printf '\202\261\202\361\202\311\202\277\202\315\r\n' > "$work/hello.txt"

xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    "$1" "$2" &
    pid=$!
    window=""
    for _ in $(seq 1 200); do
        window=$(xdotool search --onlyvisible --name '^Penlark' 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "no Penlark window appeared" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    echo "window: $(xdotool getwindowname "$window")"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --clearmodifiers ctrl+q
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "the program did not close" >&2
        kill "$pid"
        exit 1
    fi
    wait "$pid"
' smoke "$program" "$work/hello.txt"
