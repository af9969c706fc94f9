#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

install_missing_packages
configure_and_build
cd "$BUILD_DIR"
ctest --output-on-failure --timeout 600 -j "$(nproc)"
