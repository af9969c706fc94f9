#!/usr/bin/env bash
# Builds the Debian package with CPack and runs lintian on it. Any error or warning fails: they
# mark a package that Debian's tools and users would find broken or incomplete (no copyright,
# no changelog, no manual page, a description front ends cannot show). Info tags are only shown.
# Usage: lintian.sh BUILD_DIR
set -euo pipefail
# shellcheck source=check_tree.sh
source "$(dirname "${BASH_SOURCE[0]}")/check_tree.sh"
build="$1"

work="$(mktemp -d)"
keep_install_manifest "$build" "$work"
trap 'restore_install_manifest; rm -rf "$work"' EXIT
build_deb "$build" "$work"

# The tests run as root on the build machines; lintian only advises against that.
lintian --allow-root --display-info --fail-on error,warning "$deb" ||
    fail "lintian reports errors or warnings on $(basename "$deb")"
echo "lintian: no errors or warnings on $(basename "$deb")"
