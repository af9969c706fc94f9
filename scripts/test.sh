#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless: first the normal
# build, then the same suite once more in a build with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer. Set KURVALO_SKIP_SANITIZERS=1 to run the normal build alone.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

install_missing_packages
configure_and_build
(cd "$BUILD_DIR" && ctest --output-on-failure --timeout 600 -j "$(nproc)")

if [ -z "${KURVALO_SKIP_SANITIZERS:-}" ]; then
    BUILD_DIR="$ROOT/build-sanitize"
    BUILD_TYPE=RelWithDebInfo
    configure_and_build -DKURVALO_SANITIZE=ON
    (cd "$BUILD_DIR" && ctest --output-on-failure --timeout 900 -j "$(nproc)")
fi
