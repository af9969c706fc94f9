#!/usr/bin/env bash
# Ten points whose results are far wider than their fields: the fields show them rounded, and
# a copied field still gives the exact number. Computes with Return, as a keyboard user does.
# Takes a screenshot to look at.
# Usage: ten_points.sh KURVALO_BINARY [SCREENSHOT.png]
set -euo pipefail
binary="$1"
screenshot="${2:-}"
# shellcheck source=session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

start_program "$binary"
type_into 10 199 30 41 27 # sstellen
ys=(2 5 10 3 1 7 2 9 4 6)
for k in $(seq 0 9); do
    left=$((77 + 59 * k))
    type_into $((k + 1)) "$left" 69 47 22    # xF<k>
    type_into "${ys[$k]}" "$left" 93 47 22   # yF<k>
done
arguments=(4 0,5 1e-3 2.5 -1 11 0.1 7.5 1e5) # rows 1..9: xF11..xF41, then xF51..xF91
for i in $(seq 1 9); do
    if [ "$i" -le 4 ]; then
        type_into "${arguments[$((i - 1))]}" $((77 + 59 * i)) 201 59 22
    else
        type_into "${arguments[$((i - 1))]}" $((77 + 59 * (i - 5))) 273 59 22
    fi
done
xdotool key Return # in the last argument field: computes as "Berechnen" does
sleep 0.3
# Away from the fields, so that every result shows its fitted form in the screenshot.
xdotool mousemove --sync $((X + 650)) $((content_top + 200))
[ -n "$screenshot" ] && import -window root "$screenshot" && echo "screenshot: $screenshot"

value=$(copied_from 313 297 59 22) # yF91
[ "$value" = "2.2503555713898544e+42" ] || fail "yF91 copies as '$value'"
echo "yF91 copies as $value"
value=$(copied_from 179 413 98 22) # KF1
[ "$value" = "2825.0099206349205" ] || fail "KF1 copies as '$value'"
echo "KF1 copies as $value"

xdotool key --clearmodifiers ctrl+q
expect_exit_zero
echo "quit: exit status 0"
