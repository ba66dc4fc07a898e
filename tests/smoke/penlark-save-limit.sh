#!/bin/sh
# A user's save on a disk that cannot take it: the real program, run under a file-size limit
# of 4 KiB, opens a Shift_JIS document of 4,920 bytes, gets a word typed at its end and is
# told to save with Ctrl+S. It must say so in a message box and leave the file byte-identical.
# Under a limit the document fits in, the same keys must save it.
set -eu
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORVENLY_REGISTRY="$work/registry.db" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
# Recovery journals and backups that other runs left in the user's state folder stay out.
export XDG_STATE_HOME="$work/state"
mkdir "$work/docs"
# 410 lines of "あいうえお" and CR LF in Shift_JIS: 4,920 bytes.
line='\202\240\202\242\202\244\202\246\202\250\r\n'
for _ in $(seq 1 410); do printf "$line"; done > "$work/original.txt"

xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    . "$1/desktop.sh"
    program=$2 work=$3
    start_window_manager || exit 1

    # Starts the program under a limit of $1 KiB, types at the end and saves.
    edit_and_save() {
        cp "$work/original.txt" "$work/docs/doc.txt"
        bash -c "ulimit -f $1; exec \"\$0\" \"\$1\"" "$program" "$work/docs/doc.txt" &
        pid=$!
        if ! window=$(wait_for_windows Penlark 1); then
            echo "no Penlark window appeared" >&2
            exit 1
        fi
        xdotool windowactivate --sync "$window" 2>/dev/null || true
        if ! wait_for_focus "$window"; then
            echo "the Penlark window did not get the keyboard focus" >&2
            exit 1
        fi
        xdotool key --clearmodifiers ctrl+End
        xdotool type --delay 20 " word"
        xdotool key --clearmodifiers ctrl+s
    }

    edit_and_save 4
    if ! wait_for_windows Penlark 2 >/dev/null; then
        echo "the failed save showed no message" >&2
        kill -9 "$pid"; exit 1
    fi
    if ! cmp -s "$work/original.txt" "$work/docs/doc.txt"; then
        echo "the failed save changed the file" >&2
        kill -9 "$pid"; exit 1
    fi
    if [ "$(ls -A "$work/docs")" != "doc.txt" ]; then
        echo "the failed save left files behind: $(ls -A "$work/docs")" >&2
        kill -9 "$pid"; exit 1
    fi
    echo "under 4 KiB: message shown, file unchanged"
    kill -9 "$pid"; wait "$pid" 2>/dev/null || true

    edit_and_save 64
    { cat "$work/original.txt"; printf " word"; } > "$work/expected.txt"
    for _ in $(seq 1 50); do
        cmp -s "$work/expected.txt" "$work/docs/doc.txt" && break
        sleep 0.1
    done
    if ! cmp -s "$work/expected.txt" "$work/docs/doc.txt"; then
        echo "the save under 64 KiB did not write the typed word" >&2
        kill -9 "$pid"; exit 1
    fi
    echo "under 64 KiB: saved"
    xdotool key --clearmodifiers ctrl+q
    if ! wait_for_exit "$pid"; then
        echo "the program did not close after a successful save" >&2
        kill -9 "$pid"; exit 1
    fi
    stop_window_manager
' save-limit "$here" "$program" "$work"
