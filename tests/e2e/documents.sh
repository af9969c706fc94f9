#!/usr/bin/env bash
# Documents end to end, as a person works: type, save with the real file dialog, "Neu", open the
# file again with the dialog and find every text as typed; then type on and kill the program
# (kill -9): the next start offers the inputs and restores them exactly, file name and unsaved
# mark included, while a second Kurvalo started beside it offers nothing and opens the file named
# on its command line. A normal end leaves no recovery file. Takes screenshots of the save dialog
# and of the question after the kill, to look at.
# Usage: documents.sh KURVALO_BINARY [SCREENSHOT_PREFIX]
set -euo pipefail
binary="$1"
shots="${2:-}"
# shellcheck source=session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

home="$(mktemp -d)"
export XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
recovery="$XDG_DATA_HOME/Kurvalo/Wiederherstellung"
file="$home/Messreihe 1.kurvalo"
cleanup() {
    kill -9 "${pid:-}" "${second:-}" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT

# Waits up to 10 s for CONDITION (a command) to hold; fails with MESSAGE.
wait_for() {
    local message="$1"
    shift
    for _ in $(seq 1 100); do
        "$@" && return 0
        sleep 0.1
    done
    fail "$message"
}
title_is() { [ "$(xdotool getwindowname "$window")" = "$1" ]; }
window_named() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
shot() { [ -n "$shots" ] && import -window root "$shots-$1.png" && echo "screenshot: $shots-$1.png"; }
# The texts of the fields typed into below, as the clipboard gets them, one a line.
typed_fields() {
    local field
    for field in "199 30 41 27" "195 69 47 22" "77 93 47 22" "136 93 47 22" "195 93 47 22" \
        "136 201 59 22"; do # sstellen, xF2, yF0, yF1, yF2, xF11
        # shellcheck disable=SC2086
        copied_from $field
        echo
    done
}
# Answers the file dialog titled TITLE with PATH.
choose_file() {
    wait_for "no file dialog \"$1\"" window_named "$1"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 10 -- "$2"
    xdotool key --clearmodifiers Return
}

start_program "$binary"
trap cleanup EXIT # start_program set its own
type_into 3 199 30 41 27          # sstellen
type_into 5 195 69 47 22          # xF2
type_into "1,5 kg" 77 93 47 22    # yF0
type_into abc 136 93 47 22        # yF1
type_into -7 195 93 47 22         # yF2
type_into 2010 136 201 59 22      # xF11
before="$(typed_fields)"
[ "$before" = "$(printf '3\n5\n1,5 kg\nabc\n-7\n2010')" ] || fail "typed: $before"
has_recovery_file() { compgen -G "$recovery/*.kurvalo" >/dev/null; }
wait_for "no recovery file while there are unsaved changes" has_recovery_file

xdotool key --clearmodifiers ctrl+s
wait_for "no save dialog" window_named "Speichern unter"
shot save-dialog
choose_file "Speichern unter" "$file"
wait_for "the title does not name the saved file" title_is "Messreihe 1.kurvalo – Kurvalo"
python3 - "$file" <<'EOF' || fail "the saved file does not hold the texts as typed"
import json, sys
document = json.load(open(sys.argv[1], encoding="utf-8"))
assert document["format"] == "kurvalo" and document["version"] == 1, document
assert document["count"] == "3"
assert [p["x"] for p in document["points"][:3]] == ["1", "2", "5"], document["points"]
assert [p["y"] for p in document["points"][:3]] == ["1,5 kg", "abc", "-7"], document["points"]
assert document["points"][3] == {"x": "4", "y": ""}, document["points"][3]
assert document["arguments"] == ["2010"] + [""] * 8, document["arguments"]
EOF
wait_for "the recovery file stays after saving" eval '! has_recovery_file'
echo "saved with the file dialog: $(basename "$file")"

click_at 136 69 47 22
xdotool key --clearmodifiers ctrl+n
wait_for "Neu leaves the title" title_is "Kurvalo"
[ "$(copied_from 199 30 41 27)" = 2 ] || fail "Neu does not bring back the count 2"
# An empty field copies nothing: the clipboard keeps what it held.
printf leer | xclip -selection clipboard
[ "$(copied_from 136 201 59 22)" = leer ] || fail "Neu leaves the argument xF11"

xdotool key --clearmodifiers ctrl+o
choose_file "Öffnen" "$file"
wait_for "the opened file is not in the title" title_is "Messreihe 1.kurvalo – Kurvalo"
[ "$(typed_fields)" = "$before" ] || fail "opened: $(typed_fields)"
echo "Neu, then opened with the file dialog: every text as typed"

# Typing on; the recovery file follows within a second, and then the program is killed.
type_into 42 195 93 47 22         # yF2
wait_for "the title has no unsaved mark" title_is "Messreihe 1.kurvalo* – Kurvalo"
wait_for "the recovery file does not follow the typing" \
    bash -c "grep -qs '\"y\": \"42\"' '$recovery'/*.kurvalo"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
expected="$(printf '3\n5\n1,5 kg\nabc\n42\n2010')"

start_program "$binary"
trap cleanup EXIT
first="$pid"
wait_for "no question after the kill" window_named "Wiederherstellen"
shot restore-question
xdotool key --clearmodifiers Return
wait_for "the restored title lacks the file or the mark" title_is "Messreihe 1.kurvalo* – Kurvalo"
[ "$(typed_fields)" = "$expected" ] || fail "restored: $(typed_fields)"
echo "kill -9, then restored exactly: file name, unsaved mark and every text"

# A second Kurvalo beside the first: it offers nothing of the first, and opens its file.
"$binary" "$file" &
second=$!
for _ in $(seq 1 100); do
    [ "$(xdotool search --onlyvisible --name '^Messreihe 1.kurvalo – Kurvalo$' | wc -l)" -ge 1 ] && break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Messreihe 1.kurvalo – Kurvalo$' >/dev/null ||
    fail "the second Kurvalo did not open the file named on its command line"
for _ in $(seq 1 20); do
    window_named "Wiederherstellen" && fail "the second Kurvalo offers the first one's inputs"
    sleep 0.1
done
echo "a second Kurvalo opens the file of its command line and offers nothing of the first"
kill -TERM "$second"
wait "$second" 2>/dev/null || true

pid="$first"
click_at 136 69 47 22
xdotool key --clearmodifiers ctrl+q
expect_exit_zero
leftover="$(ls -A "$recovery")"
[ -z "$leftover" ] || fail "a normal end leaves: $leftover"
echo "quit: exit status 0, no recovery file left"
rm -rf "$home"
