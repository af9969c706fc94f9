#!/usr/bin/env bash
# The Rechenweg heard through the real screen reader (orca_session.sh): the textbook points
# (0, 1), (1, 3), (2, 2) computed, Ctrl+R opens the window, and the arrows read it line by line
# as a person would: fractions as German speech ("7 durch 2", "minus 3 durch 2"), the normal
# form with its powers, and the cells of Newton's scheme under their headings, the diagonal
# named as such.
# Usage: orca_worked.sh KURVALO_BINARY
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/orca_session.sh"

# A loaded machine makes Orca lag behind the keys by seconds; it is waited for, never slept on.
WAIT=40

mark() { spoken | wc -l; }

expect_heard() { # from, pattern, what
    heard_after "$1" "$2" "$WAIT" >/dev/null || fail "Orca did not say $3"
}

start_desktop
start_heard_program "$1"

# The count 3, then the points, each field reached by a click.
type_into 3 199 30 41 27 # sstellen
xs=(0 1 2)
ys=(1 3 2)
for k in 0 1 2; do
    left=$((77 + 59 * k))
    type_into "${xs[$k]}" "$left" 69 47 22 # xF<k>
    type_into "${ys[$k]}" "$left" 93 47 22 # yF<k>
done
from=$(mark)
press Return
expect_heard "$from" "Ergebnisse berechnet" "the announcement of the compute"

from=$(mark)
press ctrl+r
expect_heard "$from" "^Rechenweg" "the window's name"

# Down through the document until the scheme's diagonal and the normal form have been heard.
from=$(mark)
for _ in $(seq 1 40); do
    press Down
    heard_after "$from" "p von x gleich 1 plus 7 durch 2 mal x minus 3 durch 2 mal x hoch 2" 1 \
        >/dev/null && break
done
expect_heard "$from" "^L 0 von x +gleich +\(x minus 1\)\(x minus 2\) durch" "a basis polynomial"
expect_heard "$from" "^i: 1; x i: 1; f von x i: 3; dividierte Differenz 1\. Ordnung: Diagonale, c 1 gleich 2" \
    "a row of the scheme with its headings and the diagonal named"
expect_heard "$from" "dividierte Differenz 1\. Ordnung: minus 1; dividierte Differenz 2\. Ordnung: Diagonale, c 2 gleich minus 3 durch 2" \
    "the last row of the scheme, its diagonal a negative fraction"
expect_heard "$from" "p von x gleich 1 plus 7 durch 2 mal x minus 3 durch 2 mal x hoch 2" \
    "the normal form with its fractions and power"
echo "Heard in the Rechenweg:"
spoken | tail -n +$((from + 1)) | head -n 60
echo PASS
