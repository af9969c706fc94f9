# shellcheck shell=bash
# Sourced by the installation tests. check_tree checks an installed tree (a DESTDIR or an unpacked
# package) the way a desktop finds the program in it. The desktop file must start a binary
# that is there and name an icon that is there, and the metainfo must point at that desktop
# file, or the software centre lists an entry that cannot start or shows no picture. The
# document type must reach the MIME database, or a file manager cannot open documents with it. The manual
# page and the licence must be where man and Debian look for them.
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

# Builds the Debian package into WORK with CPack and sets deb to its path. CPack writes the
# install manifest too: keep_install_manifest comes first.
build_deb() {
    local build="$1" work="$2"
    cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
        { cat "$work/cpack.log"; fail "cpack failed"; }
    deb="$work/kurvalo_0.1_$(dpkg --print-architecture).deb"
    [ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$work")"
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

    # A double-click on a document opens Kurvalo: the desktop file declares the type, and the
    # type's entry makes the shared MIME database map *.kurvalo to it.
    local mime="$prefix/share/mime/packages/$id.xml" database
    [ -f "$mime" ] || fail "no shared-mime-info entry at ${mime#"$prefix"/}"
    grep -q '^MimeType=.*application/x-kurvalo;' "$desktop" ||
        fail "the desktop file does not declare application/x-kurvalo"
    database="$(mktemp -d)"
    mkdir "$database/packages"
    cp "$mime" "$database/packages/"
    update-mime-database "$database" || fail "update-mime-database rejects $id.xml"
    grep -qx 'application/x-kurvalo:\*\.kurvalo' "$database/globs" ||
        { rm -rf "$database"; fail "the MIME database does not map *.kurvalo to application/x-kurvalo"; }
    rm -rf "$database"
    # validate-tree also checks that the launchable desktop file is installed beside it.
    appstreamcli validate-tree --no-net "$(dirname "$prefix")/$(basename "$prefix")" ||
        fail "appstreamcli rejects the installed tree"
    # Named after the package, which CMAKE_INSTALL_DOCDIR (named after the project) is not.
    local doc="$prefix/share/doc/kurvalo"
    gzip -t "$prefix/share/man/man1/$exec.1.gz" 2>/dev/null ||
        fail "no gzipped manual page share/man/man1/$exec.1.gz"
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        "$doc/copyright" 2>/dev/null || fail "no machine-readable copyright in share/doc/kurvalo"
    grep -qx 'License: MIT' "$doc/copyright" || fail "the copyright file does not name MIT"
    gzip -t "$doc/changelog.gz" 2>/dev/null || fail "no gzipped changelog in share/doc/kurvalo"

    echo "installed tree complete: bin/$exec, $id.desktop, $id.svg, $id.metainfo.xml, mime/$id.xml," \
        "man1/$exec.1.gz, doc/kurvalo/copyright, doc/kurvalo/changelog.gz"
}
