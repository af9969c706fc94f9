#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: installs the Debian packages that are missing,
# configures the build once and builds incrementally.
# Usage: source or run with BUILD_DIR and BUILD_TYPE set (defaults: build, RelWithDebInfo).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"

PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev libgl-dev qt6-translations-l10n libgmp-dev
    # The graph as SVG; the report read back as text, the table file opened by a spreadsheet
    qt6-svg-dev poppler-utils libreoffice-calc-nogui unzip
    fonts-dejavu-core
    xvfb xauth x11-utils xdotool xclip imagemagick
    desktop-file-utils appstream shared-mime-info dpkg-dev libxcb-damage0-dev lintian
    clang-format clang libclang-rt-14-dev
    python3 python3-pyatspi python3-gi at-spi2-core dbus dbus-x11
    # Other desktops in the tests: a Wayland compositor with Qt's Wayland platform, and an X11
    # window manager
    weston qt6-wayland openbox
    # The screen reader end-to-end test: Orca, German speech to an ALSA null device, and the
    # German locale's sources for Orca's own words
    orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng locales libasound2
    # The graph's labels read back by OCR, as a person reads them
    tesseract-ocr tesseract-ocr-eng tesseract-ocr-deu
    # Copies read back by the spreadsheet above through its Python bridge
    python3-uno
)

install_missing_packages() {
    local missing=()
    for pkg in "${PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures once (arguments go to that first cmake run) and builds the targets named in
# BUILD_TARGETS (separated by blanks), or everything when it is unset.
configure_and_build() {
    if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="$BUILD_TYPE" "$@"
    fi
    local targets=()
    read -r -a targets <<<"${BUILD_TARGETS:-}"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)" ${targets[@]+--target "${targets[@]}"}
}
