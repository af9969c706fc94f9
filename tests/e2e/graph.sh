#!/usr/bin/env bash
# The graph window of the real program: ten equally spaced points of 1/(1+25x^2) and two
# arguments near the ends, computed with Return; Ctrl+G opens the graph, its keys change the
# view, Ctrl+C copies it as an image, Escape hides it and Ctrl+G brings the same window back.
# Takes a screenshot to look at.
# Usage: graph.sh KURVALO_BINARY [SCREENSHOT.png]
set -euo pipefail
binary="$1"
screenshot="${2:-}"
# shellcheck source=session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

graph_window() {
    xdotool search --onlyvisible --name '^Graph des Interpolationspolynoms$' 2>/dev/null | head -n 1
}

wait_for_graph() {
    for _ in $(seq 1 50); do
        graph="$(graph_window)" && [ -n "$graph" ] && return 0
        sleep 0.1
    done
    fail "graph window not shown"
}

start_program "$binary"
type_into 10 199 30 41 27 # sstellen
xs=(-1 -0.7777777777777778 -0.5555555555555556 -0.33333333333333337 -0.11111111111111116
    0.11111111111111116 0.33333333333333326 0.5555555555555556 0.7777777777777777 1)
ys=(0.038461538461538464 0.06202143950995405 0.11473087818696884 0.26470588235294107
    0.7641509433962262 0.7641509433962262 0.2647058823529414 0.11473087818696884
    0.06202143950995407 0.038461538461538464)
for k in $(seq 0 9); do
    left=$((77 + 59 * k))
    type_into "${xs[$k]}" "$left" 69 47 22  # xF<k>
    type_into "${ys[$k]}" "$left" 93 47 22  # yF<k>
done
type_into 0.9 136 201 59 22  # xF11
type_into -0.95 195 201 59 22 # xF21
xdotool key Return
sleep 0.3

xdotool key --clearmodifiers ctrl+g
wait_for_graph
eval "$(xdotool getwindowgeometry --shell "$graph" | sed 's/^/GRAPH_/')"
echo "graph window ${GRAPH_WIDTH}x${GRAPH_HEIGHT}"
[ "$GRAPH_WIDTH" -ge 600 ] && [ "$GRAPH_HEIGHT" -ge 440 ] || fail "graph window too small"
# The pointer over the curve shows where it is.
xdotool mousemove --sync $((GRAPH_X + GRAPH_WIDTH / 3)) $((GRAPH_Y + GRAPH_HEIGHT / 2))
sleep 0.3
[ -n "$screenshot" ] && import -window root "$screenshot" && echo "screenshot: $screenshot"

# Keys reach the drawing: zoom in, back home, everything; then copy the picture.
xdotool key --clearmodifiers plus plus Home a
sleep 0.2
[ -n "$screenshot" ] && import -window root "${screenshot%.png}_all.png"
xdotool key --clearmodifiers ctrl+c
sleep 0.3
xclip -selection clipboard -t TARGETS -o | grep -q '^image/png$' || fail "no image copied"
bytes=$(xclip -selection clipboard -t image/png -o | wc -c)
[ "$bytes" -gt 1000 ] || fail "copied image has $bytes bytes"
echo "copied image: $bytes bytes of PNG"

xdotool key --clearmodifiers Escape
sleep 0.3
[ -z "$(graph_window)" ] || fail "Escape left the graph window shown"
echo "Escape hides the graph"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+g
wait_for_graph
echo "Ctrl+G shows it again"

xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+q
expect_exit_zero
echo "quit: exit status 0"
