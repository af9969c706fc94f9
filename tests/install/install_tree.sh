#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR as `cmake --install` does for a user, checks that
# every file lands where the desktop looks for it, and that the install manifest, which the
# README offers for uninstalling, names every installed file.
# Usage: install_tree.sh BUILD_DIR APP_ID
set -euo pipefail
# shellcheck source=check_tree.sh
source "$(dirname "${BASH_SOURCE[0]}")/check_tree.sh"
build="$1" id="$2"

work="$(mktemp -d)"
keep_install_manifest "$build" "$work"
trap 'restore_install_manifest; rm -rf "$work"' EXIT

destdir="$work/root"
DESTDIR="$destdir" cmake --install "$build" --prefix /usr >/dev/null
check_tree "$destdir/usr" "$id"

# The manifest lists the paths without DESTDIR.
sed "s|^|$destdir|" "$manifest" | xargs -d '\n' rm --
leftover="$(find "$destdir" -type f)"
[ -z "$leftover" ] || fail "the install manifest misses: ${leftover//$destdir/}"
