#!/usr/bin/env bash
# The real program used as a person would: type three points and an argument, press
# "Berechnen", copy the value at 4 out of its field, then quit through "Beenden" (No, then Yes)
# on an English desktop, where the question still answers to the German "Ja".
# Usage: worked_example.sh KURVALO_BINARY [SCREENSHOT.png]
set -euo pipefail
binary="$1"
screenshot="${2:-}"
# shellcheck source=session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

export LANG=en_US.UTF-8 LANGUAGE=en_US:en
start_program "$binary"
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

value=$(copied_from 136 225 59 22) # yF11
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
[ -n "$screenshot" ] && import -window root "${screenshot%.png}_quit.png"
xdotool key --clearmodifiers alt+j # "&Ja"
expect_exit_zero
echo "answered Yes: exit status 0"
