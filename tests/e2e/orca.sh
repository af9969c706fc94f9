#!/usr/bin/env bash
# The real program heard through the real screen reader: Orca, speech-dispatcher with the
# espeak-ng module in German, on a virtual X server with a window manager and the desktop's
# accessibility bus (orca_session.sh). Keys and clicks as a person gives them; what Orca speaks
# is checked line by line: whole values on arrival by Tab, Shift+Tab and a click, numbers with
# a decimal comma and a spoken exponent sign, names and messages with their umlauts, and the
# announcement after computes from an input, from a result field and by a click on Berechnen.
# Blocks of their own: commands that never fail silently, less to hear, and the graph by keyboard
# and by ear (its keys, the shape of the curve, the cursor, "Wert an der Stelle", a zoom said once
# it settles, the context menu by key).
# Usage: orca.sh KURVALO_BINARY
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/orca_session.sh"

# A loaded machine makes Orca lag behind the keys by seconds; it is waited for, never slept on.
WAIT=40

mark() { spoken | wc -l; }

# The announcement after a compute. Orca 43 under load may stop handling events in the burst a
# compute sends (about a hundred) and go on only at the next key; the test then presses Shift,
# which the program ignores, and says so.
expect_announcement() { # from, pattern, what
    heard_after "$1" "$2" 15 >/dev/null && return 0
    echo "NOTE: Orca spoke $3 only after a further key"
    press shift
    expect_heard "$1" "$2" "$3"
}

# Waits for `pattern` in what Orca speaks from line `from` on, else fails saying `what`.
expect_heard() { # from, pattern, what
    heard_after "$1" "$2" "$WAIT" >/dev/null || fail "Orca did not say $3"
}

start_desktop
start_heard_program "$1"

# Arrival by Tab: a one-character value, with the field's German name.
from=$(mark)
press Tab
expect_heard "$from" "^Stützstelle 1, x-Wert" "the name of the first abscissa"
expect_heard "$from" "^1 ausgewählt" "the one-character value 1 on arrival"

# ---- Commands never fail silently ----
# The Edit menu looked at before anything is computed; its shortcuts are heard in the words the
# menu shows. Then the copy keys: before the first compute each says why it copies nothing.
# A window activation just after the start may close the menu at once: it is opened again then.
items="^(Undo|Cut|Copy|Paste|Select All|Ergebnisse kopieren|Polynom kopieren)"
for attempt in 1 2 3; do
    from=$(mark)
    press alt+e
    heard_after "$from" "$items" 10 >/dev/null && break
    [ "$attempt" -lt 3 ] || fail "Orca did not say an item of the Edit menu"
    press Escape Escape
done
from=$(mark)
press KP_Enter # where am I
expect_heard "$from" "^Strg\+" "the item's shortcut with German key names"
if spoken | tail -n +$((from + 1)) | grep -q "Ctrl"; then
    fail "Orca heard a shortcut as 'Ctrl'"
fi
from=$(mark)
press Escape Escape
expect_heard "$from" "^Stützstelle 1, x-Wert" "the first abscissa again once the menu is closed"
for key in ctrl+shift+c ctrl+shift+p; do
    from=$(mark)
    press "$key"
    expect_heard "$from" "Noch nichts berechnet" "why $key copies nothing before a compute"
done
# ---- end of the block ----

# Two points (1, 2) and (2, 2.0000305): computed from an input by Return.
press Tab
xdotool type --delay 40 2
press Tab Tab
xdotool type --delay 40 2.0000305
from=$(mark)
press Return
expect_announcement "$from" "Ergebnisse berechnet\. Wert an der Stelle 0: 1,9999.*\. Grad des Polynoms: 1\." \
    "the announcement after Return in an input, with a decimal comma"

# ---- Commands never fail silently ----
# After the compute the same keys copy, although the menu was last looked at before it.
from=$(mark)
press ctrl+shift+c
expect_heard "$from" "Ergebnisse kopiert" "the results copied by Ctrl+Shift+C"
xclip -selection clipboard -o | grep -q "^Stützstellen" || fail "no results on the clipboard"
from=$(mark)
press ctrl+shift+p
expect_heard "$from" "Polynom kopiert" "the polynomial copied by Ctrl+Shift+P"
[[ "$(xclip -selection clipboard -o)" == "p(x) = "* ]] || fail "no polynomial on the clipboard"
# ---- end of the block ----

# Arrival by Shift+Tab, round from the first field to the last coefficient shown, the slope
# 3.0499999999822336e-05: whole, with a comma and a spoken minus.
from=$(mark)
press shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
expect_heard "$from" "^Koeffizient von x hoch 1" "the name of the coefficient of x^1, in words"
expect_heard "$from" "^3,0[0-9]{15}e(−|minus )05 ausgewählt" "the whole slope with its exponent's minus"

# From a result field, Return computes and is announced; Orca goes on speaking afterwards.
from=$(mark)
press Return
expect_announcement "$from" "Ergebnisse berechnet" "the announcement after Return in a result field"
from=$(mark)
press shift+Tab
expect_heard "$from" "^1,9999695[0-9]* ausgewählt" "the whole constant term on arrival by Shift+Tab"

# Equal abscissae: the refusal is heard with its umlauts, whatever the screen spells out.
from=$(mark)
press Tab Tab Tab Tab Tab
expect_heard "$from" "^Stützstelle 2, x-Wert" "the second abscissa on arrival by Tab"
from=$(mark)
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 40 1
press Return
expect_heard "$from" "Die Stützstellen müssen paarweise verschieden sein" "the refusal with umlauts"
from=$(mark)
press Return
expect_heard "$from" "^Stützstelle 2, x-Wert" "the second abscissa again once the refusal is closed"

# Berechnen takes no focus; a click on it computes, and the compute is announced.
press End
xdotool type --delay 40 7
from=$(mark)
click_at 586 413 91 72 # Berechnen
expect_announcement "$from" "Ergebnisse berechnet\. Wert an der Stelle 0: 2\. Grad des Polynoms: 1\." \
    "the announcement after a click on Berechnen"

# Arrival by mouse: the click sets the caret in the value at 0, shown whole while focused, and
# Orca reads the line: to its last character.
from=$(mark)
click_at 77 225 59 22 # yF01, the value at 0
expect_heard "$from" "^1,99999809375\.?$" "the whole value at 0 on arrival by mouse"

# ---- Less to hear ----
# A whole number in the value at 0, reached by Tab from the fixed argument 0: Return there
# computes again, and only the announcement is heard, no "selection deleted" before it. The
# results turned stale as the ordinate was typed: said once, as a notification.
from=$(mark)
type_into 2 136 93 47 22 # yF1
expect_heard "$from" "Ergebnisse veraltet" "that the results turned stale"
press Return
expect_announcement "$from" "Ergebnisse berechnet\. Wert an der Stelle 0: 2\." \
    "the announcement of the constant 2"
click_at 77 201 59 22 # xF01, the fixed argument 0
from=$(mark)
press Tab
expect_heard "$from" "^2 ausgewählt" "the value at 0 on arrival by Tab"
from=$(mark)
press Return
announced=$(heard_after "$from" "Ergebnisse berechnet" "$WAIT") || fail "no announcement"
if spoken | tail -n +$((from + 1)) | grep -q "Auswahl gelöscht"; then
    fail "Orca said 'Auswahl gelöscht' before the announcement: $announced"
fi

# Where am I in an empty argument field, reached by Tab from two fields that Tab selected
# whole: the field alone, with none of its neighbours' texts as selected.
from=$(mark)
press Tab
expect_heard "$from" "^Argument 2" "the empty second argument on arrival"
from=$(mark)
press KP_Enter
expect_heard "$from" "^Stelle, an der das Polynom ausgewertet wird" "where am I in an empty field"
if spoken | tail -n +$((from + 1)) | grep -q "ausgewählt"; then
    fail "where am I in an empty field spoke of selected text"
fi
[ "$(spoken | grep -c "^Benachrichtigung Ergebnisse veraltet")" -eq 2 ] ||
    fail "the results turned stale twice and were not said so once each"
if spoken | grep -q "^Veraltet: Die Eingaben"; then
    fail "a field repeated why the results are stale"
fi
# ---- end of the block ----

# Leaving a filled field is no news, and no value was said twice on arrival.
if spoken | grep -q "nicht mehr ausgewählt"; then
    fail "Orca said 'nicht mehr ausgewählt' on leaving a field"
fi
# Between one Tab or Shift+Tab and the next, the value of the field arrived at is said once.
# (Ctrl+A's "das gesamte Dokument ist ausgewählt" is no value: it comes with each Ctrl+A.)
twice=$(spoken | awk '/^(Tab|Umschalt links) ?$/ { split("", said); next }
                      /^das gesamte Dokument/ { next }
                      / ausgewählt\.?$/ { if (said[$0]++) print }' | head -n 1)
[ -z "$twice" ] || fail "Orca said a value twice on arrival: '$twice'"
# ---- The graph by keyboard and by ear ----
# x^2 - 1 through (-1, 0), (0, -1), (1, 0), pasted as a table.
printf -- '-1\t0\n0\t-1\n1\t0\n' | xclip -selection clipboard
click_at 77 69 47 22 # xF0
from=$(mark)
xdotool key --clearmodifiers ctrl+v
expect_heard "$from" "3 Stützstellen eingefügt" "the pasted table of three points"
from=$(mark)
press Return
expect_announcement "$from" "Ergebnisse berechnet\. Wert an der Stelle 0: (-|−)1\." "the compute of x^2 - 1"
from=$(mark)
xdotool key --clearmodifiers ctrl+g
expect_heard "$from" "^Graph des Interpolationspolynoms Rahmen" "the graph window"
expect_heard "$from" "^Tasten: Komma und Punkt ein Schritt" "the keys, in the graph window's description"
expect_heard "$from" "mit 1 Argument; .*Verlauf: Nullstellen bei −1 und 1; Tiefpunkt \(0 \| −1\)" \
    "the shape of the curve in the graph's description"
# The cursor: put in the middle, a step right, a jump to the next zero.
from=$(mark)
press period
expect_heard "$from" "x = 0; p\(x\) = −1\.?$" "the cursor put at x = 0"
from=$(mark)
press period
expect_heard "$from" "x = 0,1; p\(x\) = −0,99\.?$" "a step of the cursor"
from=$(mark)
press n
expect_heard "$from" "Nullstelle: x = 1; p\(x\) = 0\.?$" "the jump to the zero at 1"
# "Wert an der Stelle": an x typed and Return.
from=$(mark)
press Tab
expect_heard "$from" "^Wert an der Stelle x" "the field Wert an der Stelle on arrival by Tab"
xdotool type --delay 40 0.5
from=$(mark)
press Return
expect_heard "$from" "p\(0,5\) = −0,75\.?$" "the value at 0.5"
# Two zooms are said once, when the view has settled.
press shift+Tab
from=$(mark)
press plus plus
expect_heard "$from" "Ansicht: x von −0,704 bis 0,704, .*; Schritt 0,05" "the range after two zooms"
from=$(mark)
if heard_after "$from" "Ansicht:" 3 >/dev/null; then
    fail "Orca said the range twice"
fi
# The context menu, by the Menu key and by Shift+F10, its first command chosen.
from=$(mark)
press Menu
expect_heard "$from" "^Vergrößern" "the first command of the context menu opened by the Menu key"
press Escape
from=$(mark)
press shift+F10
expect_heard "$from" "^Vergrößern" "the first command of the context menu opened by Shift+F10"
press Escape
# ---- end of the block ----
echo PASS
