# shellcheck shell=bash
# Sourced by the installation tests. check_tree checks an installed tree (a DESTDIR or an unpacked
# package) the way a desktop finds the program in it. The desktop file must start a binary
# that is there and name an icon that is there, and the metainfo must point at that desktop
# file, or the software centre lists an entry that cannot start or shows no picture.
# Usage: check_tree PREFIX_DIR APP_ID   (PREFIX_DIR is the tree's usr/ or usr/local/)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# cmake --install and cpack both rewrite BUILD/install_manifest.txt. A user's manifest of a real
# installation must survive the tests, or it would no longer uninstall what it installed; so
# the tests keep a copy in WORK and put it back when they end (restore_install_manifest).
keep_install_manifest() {
    manifest="$1/install_manifest.txt" manifest_copy="$2/saved_install_manifest"
    if [ -f "$manifest" ]; then cp -p "$manifest" "$manifest_copy"; fi
}

restore_install_manifest() {
    if [ -f "$manifest_copy" ]; then
        mv "$manifest_copy" "$manifest"
    else
        rm -f "$manifest"
    fi
}

desktop_key() {
    sed -n "s/^$2=//p" "$1" | head -n 1
}

check_tree() {
    local prefix="$1" id="$2"
    local desktop="$prefix/share/applications/$id.desktop"
    local metainfo="$prefix/share/metainfo/$id.metainfo.xml"
    [ -f "$desktop" ] || fail "no desktop file at ${desktop#"$prefix"/}"
    [ -f "$metainfo" ] || fail "no metainfo at ${metainfo#"$prefix"/}"

    local exec icon
    exec="$(desktop_key "$desktop" Exec)"
    exec="${exec%% *}"
    [ -x "$prefix/bin/$exec" ] || fail "Exec=$exec, but bin/$exec is not an installed program"
    icon="$(desktop_key "$desktop" Icon)"
    [ "$icon" = "$id" ] || fail "Icon=$icon, expected the application id $id"
    [ -s "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
        fail "no icon $icon.svg in the hicolor theme"
    grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ||
        fail "$icon.svg is not an SVG image"

    grep -q "<id>$id</id>" "$metainfo" || fail "metainfo does not carry the id $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch $id.desktop"

    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the installed file"
    # validate-tree also checks that the launchable desktop file is installed beside it.
    appstreamcli validate-tree --no-net "$(dirname "$prefix")/$(basename "$prefix")" ||
        fail "appstreamcli rejects the installed tree"
    echo "installed tree complete: bin/$exec, $id.desktop, $id.svg, $id.metainfo.xml"
}
