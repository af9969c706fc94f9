#!/usr/bin/env bash
# Installs what is missing, builds the program alone (scripts/test.sh builds the rest), and
# starts Kurvalo.
set -euo pipefail
BUILD_TARGETS=kurvalo
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

install_missing_packages
configure_and_build

# Without a display Qt would abort with a long plugin message; say plainly what to do instead.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "kurvalo: no display (DISPLAY and WAYLAND_DISPLAY are unset); run it as 'xvfb-run -a scripts/run.sh' or with a display forwarded (ssh -X)." >&2
    exit 1
fi
exec "$BUILD_DIR/kurvalo" "$@"
