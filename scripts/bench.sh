#!/usr/bin/env bash
# Figures of a Release build, never pass/fail: start-up until the main window is painted and
# peak memory, each against the toolkit's floor (an empty Qt window of Kurvalo's content size)
# and against the same floor showing one line of text; then the computation benchmarks.
# Usage: scripts/bench.sh [RUNS]   (RUNS of each program, default 21; BUILD_DIR overrides
# build-release)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$root/build-release}"
export BUILD_TYPE=Release
# shellcheck source=scripts/setup.sh
source "$root/scripts/setup.sh"

runs="${1:-21}"
install_missing_packages
configure_and_build

probe="$BUILD_DIR/bench/startup_probe"
floor="$BUILD_DIR/bench/startup_floor"
app="$BUILD_DIR/kurvalo"
[ -x "$probe" ] || {
    echo "bench: $probe was not built (it needs libxcb-damage0-dev)" >&2
    exit 1
}

work="$(mktemp -d)"
# One X server for every run, so that all programs meet the same server.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || {
    cat "$work/xvfb.log" >&2
    exit 1
}
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# One run of COMMAND, whose window is named WINDOW: appends "startup_ms=… map_ms=… hwm_kb=…
# rss_kb=…" to $work/KEY. A failed run (the probe gives up after 20 s) is retried; three
# failures end the benchmark.
measure() {
    local key="$1" window="$2" line
    shift 2
    for _ in 1 2 3; do
        if line="$("$probe" "$window" -- "$@" 2>>"$work/probe.log")"; then
            echo "$line" >>"$work/$key"
            return 0
        fi
    done
    echo "bench: $key failed three times:" >&2
    tail -n 20 "$work/probe.log" >&2
    exit 1
}

# Column KEY of the runs of NAME, one number a line.
column() {
    sed -n "s/.*\b$2=\([0-9.]*\).*/\1/p" "$work/$1"
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

one_round() {
    measure floor Floor "$floor"
    measure text Floor "$floor" --text
    measure kurvalo Kurvalo "$app"
}

# The first start reads fonts and libraries from disk; what is measured is a warm start.
one_round
rm -f "$work/floor" "$work/text" "$work/kurvalo"
# Interleaved, so that a stretch of load on the machine falls on all programs alike.
echo "Measuring $runs starts of each program, interleaved, on Xvfb $DISPLAY ..."
for _ in $(seq 1 "$runs"); do
    one_round
done

# Medians of KEY for the three programs, Kurvalo's ratio to each floor, and the median of the
# per-round ratios, which a drift of the machine's load over the run does not bias.
report() {
    local title="$1" key="$2" scale="$3" unit="$4" goal="$5" p
    local -A value paired
    for p in floor text kurvalo; do
        value[$p]="$(column "$p" "$key" | median)"
        paired[$p]="$(paste <(column kurvalo "$key") <(column "$p" "$key") |
            awk '{ print $1 / $2 }' | median)"
    done
    awk -v t="$title" -v f="${value[floor]}" -v x="${value[text]}" -v a="${value[kurvalo]}" \
        -v pf="${paired[floor]}" -v px="${paired[text]}" -v s="$scale" -v u="$unit" \
        -v g="$goal" 'BEGIN {
            printf "%s\n", t
            printf "  floor (empty window)        %8.1f %s\n", f / s, u
            printf "  floor with one line of text %8.1f %s\n", x / s, u
            printf "  kurvalo                     %8.1f %s\n", a / s, u
            printf "  kurvalo / floor             %8.3f   (per round %.3f)%s\n", a / f, pf,
                g == "-" ? "" : "   goal <= " g
            printf "  kurvalo / floor with text   %8.3f   (per round %.3f)\n", a / x, px
        }'
}

echo
echo "Medians of $runs runs each, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg):"
report "Start-up, process start until the main window is painted:" startup_ms 1 ms 1.15
report "Process start until the main window is mapped:" map_ms 1 ms -
report "Peak memory (VmHWM) 300 ms after the first paint:" hwm_kb 1024 MiB 1.10

compute="$BUILD_DIR/bench/bench_compute"
if [ -x "$compute" ]; then
    echo
    echo "Computation (bench_compute, median of 21 runs per benchmark):"
    QT_QPA_PLATFORM=offscreen "$compute" -median 21 2>/dev/null |
        awk '/^RESULT/ { name = $3; sub(/\(\):?$/, "", name); sub(/^[^:]*::/, "", name);
                         getline; $1 = $1; printf "  %-28s %s\n", name, $0 }'
fi
