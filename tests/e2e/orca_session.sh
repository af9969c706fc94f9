# Sourced by the end-to-end tests that listen to the program through the screen reader Orca:
# re-runs the script in a process namespace and a D-Bus session of its own, on a virtual X
# server of its own, then starts the desktop's accessibility bus, a window manager, the speech
# server (the espeak-ng module, German, its sound to an ALSA null device) and Orca, all with
# settings of the test's own. What Orca speaks is read from its debug file, whose "SPEECH
# OUTPUT" lines are the utterances.
#
# Orca refuses to start beside another Orca of the same user, which it finds by process name:
# a blind developer's own screen reader, or a second run of this test. In a process namespace
# of its own the test sees only its own processes, and every one of them ends with it.

if [ -z "${KURVALO_E2E_INNER:-}" ]; then
    # As root a namespace of processes alone; as another user one inside a user namespace.
    own_processes=()
    for candidate in "unshare --pid --fork --kill-child --mount-proc" \
        "unshare --user --map-root-user --pid --fork --kill-child --mount-proc"; do
        if $candidate true 2>/dev/null; then
            read -r -a own_processes <<<"$candidate"
            break
        fi
    done
    if [ ${#own_processes[@]} -eq 0 ]; then
        echo "NOTE: no process namespace here; the test sees every process of the machine"
        if pgrep -u "$(id -u)" -x orca >/dev/null; then
            echo "FAIL: another Orca of this user runs, and no process namespace hides it" >&2
            exit 1
        fi
    fi
    KURVALO_E2E_INNER=1 exec ${own_processes[@]+"${own_processes[@]}"} \
        dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

# A display of its own: the server picks the first free number itself, so that runs side by
# side never reach for the same one.
start_display() {
    local number="$desktop/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" 2>"$desktop/xvfb.log" &
    helpers+=($!)
    for _ in $(seq 1 100); do
        [ -s "$number" ] && break
        sleep 0.1
    done
    [ -s "$number" ] || fail "no virtual X server"
    export DISPLAY=":$(head -n 1 "$number")"
}

desktop=$(mktemp -d)
# Nothing of the machine's own desktop: settings, sound and sockets all live in the test's folder.
export HOME="$desktop/home" XDG_CONFIG_HOME="$desktop/config" XDG_DATA_HOME="$desktop/data"
export XDG_CACHE_HOME="$desktop/cache" XDG_RUNTIME_DIR="$desktop/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset AT_SPI_BUS_ADDRESS SPEECHD_ADDRESS
printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

helpers=()
stop_desktop() { # the exit status of the test
    local status=${1:-$?} i
    if [ "$status" -ne 0 ]; then
        echo "Orca spoke, last:" >&2
        spoken | tail -n 30 >&2
    fi
    [ -n "${KURVALO_ORCA_LOG:-}" ] && cp "$speech_log" "$KURVALO_ORCA_LOG"
    # The display last: the others leave it without complaint.
    for ((i = ${#helpers[@]} - 1; i >= 0; i--)); do kill "${helpers[i]}" 2>/dev/null || true; done
    rm -rf "$desktop"
}

speech_log="$desktop/orca.log"
trap stop_desktop EXIT
start_display

start_desktop() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    helpers+=($!)
    # Openbox now and then fails to open a display just started: it is started again then.
    for _ in 1 2 3; do
        openbox &
        helpers+=($!)
        for _ in $(seq 1 30); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break 2
            kill -0 "${helpers[-1]}" 2>/dev/null || continue 2
            sleep 0.1
        done
    done
    mkdir -p "$desktop/speechd"
    cp -r /etc/speech-dispatcher/. "$desktop/speechd/"
    cat >>"$desktop/speechd/speechd.conf" <<'CONF'
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "de"
AudioOutputMethod "alsa"
CONF
    speech-dispatcher --run-single --timeout 0 --config-dir "$desktop/speechd" \
        --log-dir "$desktop" &
    helpers+=($!)
    # Orca in German, as on a German desktop: its own words, and German for its voice.
    mkdir -p "$desktop/locale"
    localedef -i de_DE -f UTF-8 "$desktop/locale/de_DE.UTF-8" 2>/dev/null ||
        [ -d "$desktop/locale/de_DE.UTF-8" ] || fail "no German locale to give Orca"
    mkdir -p "$desktop/orca"
    # Orca writes its debug file in blocks; line by line, what it spoke can be waited for.
    LOCPATH="$desktop/locale" LANG=de_DE.UTF-8 LANGUAGE=de /usr/bin/python3 -c '
import builtins, runpy, sys
log, plain_open = sys.argv[5], builtins.open
def line_buffered(file, mode="r", *args, **kwargs):
    if file == log:
        return plain_open(file, mode, 1, *args[1:], **kwargs)
    return plain_open(file, mode, *args, **kwargs)
builtins.open = line_buffered
# kill -USR1 on Orca writes the stacks of its threads beside the log: where it waits, if it does.
import faulthandler, signal
faulthandler.register(signal.SIGUSR1, file=plain_open(log + ".stacks", "w"), all_threads=True)
sys.argv = sys.argv[1:]
runpy.run_path(sys.argv[0], run_name="__main__")
' /usr/bin/orca --user-prefs "$desktop/orca" --debug-file "$speech_log" &
    helpers+=($!)
    trap stop_desktop EXIT
    wait_for_log 'SPEECH OUTPUT' 30 || fail "Orca said nothing on starting"
}

# Starts the program under Orca's ears; sets pid and window as start_program does.
start_heard_program() {
    start_program "$1"
    trap 'status=$?; kill $pid 2>/dev/null || true; stop_desktop $status' EXIT
    # The window manager may come up after the window, or activate it before Orca listens: it
    # is activated until Orca speaks it.
    for _ in $(seq 1 10); do
        if wait_for_log "SPEECH OUTPUT: 'Kurvalo" 3; then
            # Where the window manager placed it, for the clicks.
            locate_window
            return 0
        fi
        xdotool windowactivate "$window" 2>/dev/null || true
    done
    fail "Orca never spoke the window Kurvalo"
}

# Presses keys, one after another, as a person would.
press() {
    xdotool key --clearmodifiers --delay 80 "$@"
}

# Waits up to `seconds` for Orca to speak a line matching the extended regular expression
# `pattern` after the first `from` lines of what it spoke; prints that line.
heard_after() { # from, pattern, seconds
    local tries=$(($3 * 10)) line
    for _ in $(seq 1 "$tries"); do
        line=$(spoken | tail -n +$(($1 + 1)) | grep -E -m 1 -- "$2") && {
            echo "$line"
            return 0
        }
        sleep 0.1
    done
    return 1
}

# The utterances Orca spoke so far, one a line, without the quotes.
spoken() {
    sed -n "s/.*SPEECH OUTPUT: '\(.*\)' \?{.*/\1/p" "$speech_log" 2>/dev/null || true
}

wait_for_log() { # pattern, seconds
    local tries=$(($2 * 10))
    for _ in $(seq 1 "$tries"); do
        grep -q -- "$1" "$speech_log" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}
