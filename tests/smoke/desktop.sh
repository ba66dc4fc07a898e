# Shared by the scripts that drive the real program on a virtual display: sourced inside an
# X session that xvfb-run started.

# A shell prepared for the unit tests must not send the program offscreen.
unset QT_QPA_PLATFORM

# Focus and dialogs behave as on a desktop only with a window manager; it is ready once it
# has announced itself on the root window. One that could not reach the display yet is
# started again.
start_window_manager() {
    command -v openbox >/dev/null 2>&1 || return 0
    for _ in $(seq 1 100); do
        if [ -z "${window_manager:-}" ] || ! kill -0 "$window_manager" 2>/dev/null; then
            openbox >/dev/null 2>&1 &
            window_manager=$!
        fi
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    echo "the window manager did not start" >&2
    return 1
}

stop_window_manager() {
    [ -n "${window_manager:-}" ] && kill "$window_manager" 2>/dev/null || true
}

# The number of visible windows whose name starts with the text.
count_windows() {
    xdotool search --onlyvisible --name "^$1" 2>/dev/null | wc -l
}

# Waits until at least $2 such windows are visible; prints the newest one's id.
wait_for_windows() {
    for _ in $(seq 1 200); do
        if [ "$(count_windows "$1")" -ge "$2" ]; then
            xdotool search --onlyvisible --name "^$1" 2>/dev/null | tail -n 1
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits until the window has the keyboard focus, so that keys sent next reach it.
wait_for_focus() {
    for _ in $(seq 1 100); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# Waits for the process to end; false if it is still running after ten seconds.
wait_for_exit() {
    for _ in $(seq 1 100); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# Runs the program with its arguments until its first window named $1 shows, quits it with
# Ctrl+Q and expects it to end cleanly; false, with a message, when a step fails.
quit_by_keys() {
    name=$1
    shift
    "$@" &
    pid=$!
    if ! window=$(wait_for_windows "$name" 1); then
        echo "no $name window appeared" >&2
        kill "$pid" 2>/dev/null || true
        return 1
    fi
    echo "window: $(xdotool getwindowname "$window")"
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key --clearmodifiers ctrl+q
    if ! wait_for_exit "$pid"; then
        echo "the program did not close" >&2
        kill "$pid"
        return 1
    fi
    wait "$pid"
}
