# Shared by the end-to-end scripts, sourced first thing with their own arguments: re-runs the
# script on a virtual X server of its own, then starts the program, finds its window, and
# clicks, types and copies as a person would. Controls stand at fixed places in the content
# area, which lies below the menu bar.

if [ -z "${KURVALO_E2E_INNER:-}" ]; then
    # Folders of this run's own for what Kurvalo keeps (recovery and recent files): no run meets
    # what another left behind, nor the questions that would bring.
    kept="$(mktemp -d)"
    status=0
    KURVALO_E2E_INNER=1 XDG_DATA_HOME="$kept/data" XDG_CONFIG_HOME="$kept/config" \
        xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@" || status=$?
    rm -rf "$kept"
    exit "$status"
fi

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts BINARY (with the environment the caller set) and waits for its window "Kurvalo";
# sets pid, window, X and content_top.
start_program() {
    "$1" &
    pid=$!
    trap 'kill $pid 2>/dev/null || true' EXIT
    window=""
    for _ in $(seq 1 100); do
        window=$(xdotool search --onlyvisible --name '^Kurvalo$' 2>/dev/null | head -n 1) &&
            [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "window Kurvalo not mapped"
    locate_window
}

# Sets X, Y and content_top from where the window stands on the screen. xdotool's own geometry
# counts the offset within a window manager's frame twice; xwininfo's absolute corner does not.
locate_window() {
    local info
    info=$(xwininfo -id "$window")
    X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    content_top=$((Y + $(sed -n 's/.*Height: *//p' <<<"$info") - 594))
}

click_at() { # left top width height of a control
    local x=$((X + $1 + $3 / 2)) y=$((content_top + $2 + $4 / 2))
    # --sync waits until the pointer has moved, which it never does where it already stands.
    if [ "$(xdotool getmouselocation | cut -d' ' -f1-2)" != "x:$x y:$y" ]; then
        xdotool mousemove --sync "$x" "$y"
    fi
    xdotool click 1
    sleep 0.15
}

type_into() { # text, then the control's rectangle
    local text="$1"
    shift
    click_at "$@"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 -- "$text"
    sleep 0.1
}

copied_from() { # the control's rectangle; prints the field's whole text as the clipboard gets it
    click_at "$@"
    xdotool key --clearmodifiers ctrl+a ctrl+c
    sleep 0.2
    xclip -selection clipboard -o 2>/dev/null || true
}

# Waits up to 5 s for the program to end and checks that it ended with status 0.
expect_exit_zero() {
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "the program still runs"
    trap - EXIT
    local status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status"
}
