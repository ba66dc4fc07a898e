#!/bin/sh
# Unsaved work survives a kill: the real program opens a Shift_JIS file and a new document,
# gets text typed into both, and is killed with SIGKILL. A second start while it ran must have
# ended without touching its journals. The next start offers the work back; Return restores
# it, a word typed at the restored caret and Ctrl+S save the file, which must hold exactly
# the typed text in Shift_JIS with CR LF; the new document is saved under a name from the File menu.
set -eu
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORVENLY_REGISTRY="$work/registry.db" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
export PENLARK_RECOVERY_DIR="$work/recovery"
# "こんにちは" and a CR LF in Shift_JIS.
printf '\202\261\202\361\202\311\202\277\202\315\r\n' > "$work/hello.txt"

xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
    . "$1/desktop.sh"
    program=$2 work=$3
    start_window_manager
    fail() { echo "$1" >&2; kill -9 "$pid" 2>/dev/null || true; exit 1; }

    "$program" "$work/hello.txt" &
    pid=$!
    window=$(wait_for_windows Penlark 1) || fail "no Penlark window appeared"
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    sleep 0.3
    xdotool key --clearmodifiers ctrl+End
    xdotool type --delay 20 "typed"
    xdotool key --clearmodifiers Left Left
    xdotool key --clearmodifiers ctrl+n
    sleep 0.3
    xdotool type --delay 20 "new words"
    # Written within the journal delay, without a save or a change of focus.
    sleep 2.5
    [ "$(ls "$work/recovery" | wc -l)" -eq 2 ] || fail "no journals: $(ls -A "$work/recovery")"
    before=$(cat "$work/recovery"/* | md5sum)

    "$program" & second=$!
    wait_for_exit "$second" || fail "a second start did not end"
    [ "$(cat "$work/recovery"/* | md5sum)" = "$before" ] || fail "a second start touched the journals"
    echo "second start: ended, journals untouched"

    kill -9 "$pid"; wait "$pid" 2>/dev/null || true
    "$program" &
    pid=$!
    # The frame and the question.
    wait_for_windows Penlark 2 >/dev/null || fail "no restore question appeared"
    sleep 0.5
    xdotool key --clearmodifiers Return
    sleep 1
    [ "$(count_windows Penlark)" -eq 1 ] || fail "the question stayed open"

    # The new document is the active one, its caret after "new words".
    xdotool type --delay 20 "!"
    xdotool key --clearmodifiers alt+f
    sleep 0.3
    xdotool key --clearmodifiers a
    wait_for_windows 名前を付けて保存 1 >/dev/null || fail "no Save As dialog appeared"
    sleep 0.5
    xdotool type --delay 20 "$work/new.txt"
    xdotool key --clearmodifiers Return
    for _ in $(seq 1 50); do [ -f "$work/new.txt" ] && break; sleep 0.1; done
    printf "new words!" | cmp -s - "$work/new.txt" || fail "new document: $(od -c "$work/new.txt" 2>&1)"

    xdotool key --clearmodifiers ctrl+F6
    sleep 0.3
    xdotool type --delay 20 "-"
    xdotool key --clearmodifiers ctrl+s
    expected=$(printf "\202\261\202\361\202\311\202\277\202\315\r\ntyp-ed" | od -c)
    for _ in $(seq 1 50); do
        [ "$(od -c < "$work/hello.txt")" = "$expected" ] && break
        sleep 0.1
    done
    [ "$(od -c < "$work/hello.txt")" = "$expected" ] || fail "file: $(od -c < "$work/hello.txt")"
    [ -z "$(ls -A "$work/recovery")" ] || fail "saved documents kept journals: $(ls -A "$work/recovery")"
    echo "restored by keys and saved: bytes as typed"

    xdotool key --clearmodifiers ctrl+q
    wait_for_exit "$pid" || fail "the program did not close"
    stop_window_manager
' journal "$here" "$program" "$work"
