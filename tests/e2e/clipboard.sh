#!/usr/bin/env bash
# Data through the real clipboard: a table pasted by the middle button from the primary
# selection, then a spreadsheet's table by Ctrl+V, one Ctrl+Z and a Ctrl+V again; compute;
# copy the results (text and HTML), the polynomial and its formula, and read them back, the
# polynomial with exact fractions of its own. Takes a screenshot of the Edit menu to look at.
# Usage: clipboard.sh KURVALO_BINARY [SCREENSHOT.png]
set -euo pipefail
binary="$1"
screenshot="${2:-}"
# shellcheck source=session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

here="$(dirname "${BASH_SOURCE[0]}")"
years_x="2000	2001	2002	2003	2004	2005	2006"
years_y="100	102,5	105	107,5	110	112,5	115"

field() { # prints the whole text of the field at the rectangle
    copied_from "$@"
}

# A German desktop: the copies write decimal commas, as a German spreadsheet reads them.
export LC_NUMERIC=de_DE.UTF-8
start_program "$binary"

printf '1 1\n2 4\n3 9\n' | xclip -selection primary
click_at 77 93 47 22 # yF0
xdotool click 2
sleep 0.3
[ "$(field 199 30 41 27)" = "3" ] || fail "the middle button pasted no table of three points"
[ "$(field 195 93 47 22)" = "9" ] || fail "yF2 is not 9 after the middle button"
echo "middle button: three points from the primary selection"

# A spreadsheet's two columns under a header, with Windows line ends.
{
    printf 'Jahr\tWert\r\n'
    paste <(tr '\t' '\n' <<<"$years_x") <(tr '\t' '\n' <<<"$years_y") | sed 's/$/\r/'
} | xclip -selection clipboard
click_at 136 69 47 22 # xF1
xdotool key --clearmodifiers ctrl+v
sleep 0.3
[ "$(field 199 30 41 27)" = "7" ] || fail "the count is not 7 after pasting a table with a header"
xdotool key --clearmodifiers ctrl+z # in the count field, where the check left the focus
sleep 0.3
[ "$(field 199 30 41 27)" = "3" ] || fail "Ctrl+Z did not bring back the count of 3"
[ "$(field 195 93 47 22)" = "9" ] || fail "Ctrl+Z did not bring back the three points"
echo "Ctrl+V, Ctrl+Z: seven years pasted, the three points back"
# The checks copied from the fields; now a spreadsheet's two rows, x and y.
printf '%s\n%s\n' "$years_x" "$years_y" | xclip -selection clipboard
click_at 136 69 47 22
xdotool key --clearmodifiers ctrl+v
sleep 0.3
[ "$(field 199 30 41 27)" = "7" ] || fail "the count is not 7 after pasting the years"
[ "$(field 431 93 47 22)" = "115" ] || fail "yF6 is not 115 after pasting the years"
echo "Ctrl+V: seven years"

type_into 2010 136 201 59 22 # xF11
click_at 586 413 91 72       # Berechnen
sleep 0.3

xdotool key --clearmodifiers ctrl+shift+c
sleep 0.3
text=$(xclip -selection clipboard -o)
html=$(xclip -selection clipboard -o -t text/html)
grep -qxF "$(printf '0\t47104\t-4900\tungenau')" <<<"$text" || fail "the value at 0 is not in: $text"
grep -qxF "$(printf '1\t60\t2,5\tungenau')" <<<"$text" || fail "the slope is not in: $text"
grep -qF '<td sdval="2.5" sdnum="1033;" x:num="2.5">2,5</td>' <<<"$html" ||
    fail "the slope's value is not in: $html"
echo "Ctrl+Shift+C: results as text and as HTML"

xdotool key --clearmodifiers ctrl+shift+p
sleep 0.3
line=$(xclip -selection clipboard -o)
[ "$line" = "p(x) = -4900 + 2.5*x" ] || fail "the polynomial copies as '$line'"
printf '%s\n%s\n%s' "$years_x" "$years_y" "$line" | python3 "$here/../exact/polynomial_readback.py" ||
    fail "the polynomial does not read back to the exact coefficients"
echo "Ctrl+Shift+P: $line"

xdotool key --clearmodifiers ctrl+shift+f
for _ in $(seq 1 100); do # up to ten seconds for the copy to arrive
    formula=$(xclip -selection clipboard -o 2>/dev/null || true)
    [[ "$formula" == =* ]] && break
    sleep 0.1
done
[ "$formula" = "=-4900+2,5*A1" ] || fail "the formula copies as '$formula'"
echo "Ctrl+Shift+F: $formula"

xdotool key --clearmodifiers alt+e
sleep 0.4
[ -n "$screenshot" ] && import -window root "$screenshot" && echo "screenshot: $screenshot"
xdotool key --clearmodifiers Escape
sleep 0.2

xdotool key --clearmodifiers ctrl+q
expect_exit_zero
echo "quit: exit status 0"
