#!/usr/bin/env bash
# The Orca test beside a user's own Orca and beside a second run of itself: two runs of
# orca.sh at once, while a process named "orca" of the same user runs, as a blind developer's
# screen reader would. Both runs pass, and that "orca" runs on, never asked to quit.
# Usage: orca_twice.sh KURVALO_BINARY
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
work=$(mktemp -d)
# The user's screen reader, as Orca finds it: by process name.
cp "$(command -v sleep)" "$work/orca"
"$work/orca" 600 &
users_orca=$!
trap 'kill $users_orca 2>/dev/null || true; rm -rf "$work"' EXIT
pgrep -u "$(id -u)" -x orca >/dev/null || { echo "FAIL: the user's orca is not seen" >&2; exit 1; }

bash "$here/orca.sh" "$1" >"$work/first.log" 2>&1 &
first=$!
bash "$here/orca.sh" "$1" >"$work/second.log" 2>&1 &
second=$!
status=0
wait $first || { status=1; echo "FAIL: the first run failed:" >&2; tail -n 40 "$work/first.log" >&2; }
wait $second || { status=1; echo "FAIL: the second run failed:" >&2; tail -n 40 "$work/second.log" >&2; }
if ! kill -0 $users_orca 2>/dev/null; then
    echo "FAIL: the user's orca was ended" >&2
    status=1
fi
[ $status -eq 0 ] && echo PASS
exit $status
