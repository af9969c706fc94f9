#!/usr/bin/env bash
# The real program as a screen reader meets it: on a virtual X server, in a D-Bus session of
# its own with the desktop's accessibility bus, checked by an AT-SPI client (atspi_check.py).
# Usage: atspi.sh KURVALO_BINARY
set -euo pipefail
binary="$1"
if [ -z "${KURVALO_E2E_INNER:-}" ]; then
    # Folders of this run's own for what Kurvalo keeps (see session.sh).
    kept="$(mktemp -d)"
    status=0
    KURVALO_E2E_INNER=1 XDG_DATA_HOME="$kept/data" XDG_CONFIG_HOME="$kept/config" \
        dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@" || status=$?
    rm -rf "$kept"
    exit "$status"
fi

# The accessibility bus of this session, not one a surrounding desktop named.
unset AT_SPI_BUS_ADDRESS
# The toolkit serves the accessibility bus only when the desktop asks for it, or with this.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Debian's AT-SPI client is for the system's Python, not for another one first on the PATH.
exec timeout 90 /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi_check.py" "$binary"
