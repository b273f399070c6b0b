#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need, and any named as arguments, when
# any is missing. Shared by the README's two commands, scripts/package.sh and CI. Run as root on Debian 12.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    googletest libgtest-dev libgmock-dev
    clang libclang-rt-14-dev   # fuzz targets and the LeakSanitizer runtime for clang builds
    ripgrep                    # the search benchmark's second baseline
    qt6-base-dev qt6-image-formats-plugins libgl-dev   # the platform layer; TIFF from the plugins
    fonts-liberation2          # "Arial" resolves to Liberation Sans
    fonts-wine                 # tahoma.ttf, copied into the program folder by the build
    libx11-dev xvfb xauth      # the start-up benchmark times the window's mapping on a virtual X server
    libqt6printsupport6        # Qt's printing with its CUPS plugin: the system's printers
    cups printer-driver-cups-pdf poppler-utils   # printing tests: a PDF queue, and pdftotext to read it back
    xdg-utils                  # xdg-open: the desktop's browser for web links and the online help
    python3-pyatspi at-spi2-core dbus   # the screen-reader test: an AT-SPI client on the accessibility bus
    x11-xserver-utils xdotool imagemagick   # the scaled-desktop test: X resources, clicks, screenshots
    xclip                      # the selection test reads the X clipboard back
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
