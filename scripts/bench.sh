#!/usr/bin/env bash
# Figures of a Release build, never pass/fail: start-up until the main window is painted and
# peak memory, against the same form built in plain Qt (bench/startup_plain_form), with the
# toolkit's floors for context (an empty Qt window of Kurvalo's content size, and the same
# showing one line of text); then the benchmarks of the computation, of the graph, of the curve's
# shape, of the Rechenweg and of documents.
# Usage: scripts/bench.sh [RUNS]   (RUNS of each program, default 21; BUILD_DIR overrides
# build-release)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$root/build-release}"
export BUILD_TYPE=Release
# What is measured, and nothing else.
BUILD_TARGETS="kurvalo startup_probe startup_floor startup_plain_form bench_compute bench_graph bench_curve_shape bench_worked bench_documents"
# shellcheck source=scripts/setup.sh
source "$root/scripts/setup.sh"

runs="${1:-21}"
install_missing_packages
configure_and_build

probe="$BUILD_DIR/bench/startup_probe"
floor="$BUILD_DIR/bench/startup_floor"
plain="$BUILD_DIR/bench/startup_plain_form"
app="$BUILD_DIR/kurvalo"
[ -x "$plain" ] || {
    echo "bench: $plain was not built" >&2
    exit 1
}
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

# Kurvalo and the plain form swap places from round to round, so that neither always starts
# right after the other.
one_round() {
    measure floor Floor "$floor"
    measure text Floor "$floor" --text
    if (($1 % 2)); then
        measure plain Kurvalo "$plain"
        measure kurvalo Kurvalo "$app"
    else
        measure kurvalo Kurvalo "$app"
        measure plain Kurvalo "$plain"
    fi
}

# The first start reads fonts and libraries from disk; what is measured is a warm start.
one_round 0
rm -f "$work/floor" "$work/text" "$work/plain" "$work/kurvalo"
# Interleaved, so that a stretch of load on the machine falls on all programs alike.
echo "Measuring $runs starts of each program, interleaved, on Xvfb $DISPLAY (load average" \
    "$(cut -d' ' -f1-3 /proc/loadavg)) ..."
for round in $(seq 1 "$runs"); do
    one_round "$round"
done

# Median of the per-round ratios of KEY, NUMERATOR's run to DENOMINATOR's run of the same round,
# which a drift of the machine's load over the run does not bias.
paired_median() {
    paste <(column "$2" "$1") <(column "$3" "$1") | awk '{ print $1 / $2 }' | median
}

# Medians of KEY for the four programs, then Kurvalo against the plain form (the yardstick,
# with its GOAL) and, for context, against the floor with text, each as ratio of the medians and
# as median of the per-round ratios.
report() {
    local title="$1" key="$2" scale="$3" unit="$4" goal="$5" p
    local -A value
    for p in floor text plain kurvalo; do
        value[$p]="$(column "$p" "$key" | median)"
    done
    awk -v t="$title" -v f="${value[floor]}" -v x="${value[text]}" -v q="${value[plain]}" \
        -v a="${value[kurvalo]}" -v pq="$(paired_median "$key" kurvalo plain)" \
        -v px="$(paired_median "$key" kurvalo text)" -v qx="$(paired_median "$key" plain text)" \
        -v s="$scale" -v u="$unit" -v g="$goal" 'BEGIN {
            printf "%s\n", t
            printf "  floor (empty window)            %8.1f %s\n", f / s, u
            printf "  floor with one line of text     %8.1f %s\n", x / s, u
            printf "  plain form (same form, Qt only) %8.1f %s\n", q / s, u
            printf "  kurvalo                         %8.1f %s\n", a / s, u
            printf "  kurvalo / plain form            %8.3f   (per round %.3f)%s\n", a / q, pq,
                g == "-" ? "" : "   goal <= " g
            printf "  kurvalo / floor with text       %8.3f   (per round %.3f)\n", a / x, px
            printf "  plain form / floor with text    %8.3f   (per round %.3f)\n", q / x, qx
        }'
}

echo
echo "Medians of $runs runs each, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg):"
report "Start-up, process start until the main window is painted:" startup_ms 1 ms 1.05
report "Process start until the main window is mapped:" map_ms 1 ms -
report "Peak memory (VmHWM) 300 ms after the first paint:" hwm_kb 1024 MiB 1.05

# The Qt Test benchmarks, median of 21 runs each: what a compute costs, what the graph costs
# (Ctrl+G until its first paint, one repaint of a 1920 x 1080 view while zooming, and its repaint
# against the floor of the same drawing in plain QPainter calls), what the curve's shape costs
# (zeros and extrema found exactly), what the Rechenweg costs (Ctrl+R until its first paint, and its
# steps alone), and what opening and saving a document cost.
for benchmark in bench_compute bench_graph bench_curve_shape bench_worked bench_documents; do
    binary="$BUILD_DIR/bench/$benchmark"
    [ -x "$binary" ] || continue
    echo
    echo "$benchmark, median of 21 runs per benchmark:"
    QT_QPA_PLATFORM=offscreen "$binary" -median 21 2>/dev/null |
        awk '/^RESULT/ { name = $0; sub(/^RESULT : [^:]*::/, "", name); sub(/:$/, "", name);
                         sub(/\(\):?/, " ", name); sub(/ $/, "", name);
                         getline; $1 = $1; printf "  %-28s %s\n", name, $0 }
             /^QINFO.*floor/ { line = $0; sub(/^QINFO *: [^:]*::/, "", line); print "  " line }'
done
