#!/usr/bin/env bash
# Starts the real program on a virtual X server, waits for its window "Kurvalo" to be mapped,
# then ends it.
set -euo pipefail
binary="$1"
if [ -z "${KURVALO_E2E_INNER:-}" ]; then
    KURVALO_E2E_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

"$binary" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

for _ in $(seq 1 100); do
    if xdotool search --onlyvisible --name '^Kurvalo$' >/dev/null 2>&1; then
        window=$(xdotool search --onlyvisible --name '^Kurvalo$' | head -n 1)
        echo "window Kurvalo mapped: $(xwininfo -id "$window" | grep -E 'Map State|Width|Height' | tr -s ' ' | tr '\n' ' ')"
        kill "$pid"
        wait "$pid" || true
        exit 0
    fi
    kill -0 "$pid" 2>/dev/null || { echo "kurvalo exited before its window was mapped"; exit 1; }
    sleep 0.1
done
echo "window Kurvalo was not mapped within 10 s"
exit 1
