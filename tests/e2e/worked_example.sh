#!/usr/bin/env bash
# The real program used as a person would: type three points and an argument, press
# "Berechnen", copy the value at 4 out of its field, then quit through "Beenden" (No, then Yes).
# Usage: worked_example.sh KURVALO_BINARY [SCREENSHOT.png]
set -euo pipefail
binary="$1"
screenshot="${2:-}"
if [ -z "${KURVALO_E2E_INNER:-}" ]; then
    KURVALO_E2E_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$binary" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name '^Kurvalo$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "window Kurvalo not mapped"

# Controls stand at fixed places in the content area, which lies below the menu bar.
eval "$(xdotool getwindowgeometry --shell "$window")"
content_top=$((Y + HEIGHT - 594))
click_at() { # left top width height of a control
    xdotool mousemove --sync $((X + $1 + $3 / 2)) $((content_top + $2 + $4 / 2)) click 1
    sleep 0.15
}
type_into() { # text, then the control's rectangle
    local text="$1"
    shift
    click_at "$@"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$text"
    sleep 0.1
}

type_into 3 199 30 41 27     # sstellen
type_into 1 77 69 47 22      # xF0
type_into 2 77 93 47 22      # yF0
type_into 2 136 69 47 22     # xF1
type_into 5 136 93 47 22     # yF1
type_into 3 195 69 47 22     # xF2
type_into 10 195 93 47 22    # yF2
type_into 4 136 201 59 22    # xF11
click_at 586 413 91 72       # Berechnen
sleep 0.3

# Read the value at 4 the way a person copies it.
click_at 136 225 59 22       # yF11
xdotool key --clearmodifiers ctrl+a ctrl+c
sleep 0.2
value=$(xclip -selection clipboard -o 2>/dev/null || true)
[ "$value" = "17" ] || fail "yF11 holds '$value', expected 17"
echo "yF11 = $value"

[ -n "$screenshot" ] && import -window root "$screenshot" && echo "screenshot: $screenshot"

# "Beenden" asks first: No keeps the program running, Yes ends it with status 0.
click_at 586 531 91 51
sleep 0.5
xdotool key --clearmodifiers Escape
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program ended although the question was answered No"
echo "answered No: still running"

click_at 586 531 91 51
sleep 0.5
xdotool key --clearmodifiers alt+y
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program still runs after the answer Yes"
trap - EXIT
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Yes"
echo "answered Yes: exit status 0"
