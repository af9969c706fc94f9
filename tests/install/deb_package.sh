#!/usr/bin/env bash
# Builds the Debian package with CPack, checks its control fields, unpacks it into a temporary
# root and starts the unpacked program on a virtual X server.
# Usage: deb_package.sh BUILD_DIR APP_ID E2E_START_SCRIPT
set -euo pipefail
# shellcheck source=check_tree.sh
source "$(dirname "${BASH_SOURCE[0]}")/check_tree.sh"
build="$1" id="$2" start="$3"

work="$(mktemp -d)"
keep_install_manifest "$build" "$work"
trap 'restore_install_manifest; rm -rf "$work"' EXIT
build_deb "$build" "$work"

[ "$(dpkg-deb -f "$deb" Package)" = kurvalo ] || fail "package is not named kurvalo"
[ "$(dpkg-deb -f "$deb" Maintainer)" = "Kurvalo-Team <kurvalo@example.org>" ] ||
    fail "maintainer is $(dpkg-deb -f "$deb" Maintainer)"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
# Each entry alone, without its version, so that libqt6gui6 cannot match libqt6gui6-gles.
names="$(tr ',' '\n' <<<"$depends" | sed 's/(.*)//; s/[[:space:]]//g')"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins qt6-translations-l10n libgmp10; do
    grep -qx "$needed" <<<"$names" || fail "Depends does not name $needed"
done

dpkg-deb -x "$deb" "$work/root"
check_tree "$work/root/usr" "$id"
bash "$start" "$work/root/usr/bin/kurvalo"
