#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing. Works as root or through sudo.
set -euo pipefail

packages=(
    g++ cmake ninja-build make
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n
    fonts-ipafont-mincho fonts-ipafont-gothic
    xvfb xdotool imagemagick x11-utils python3
    desktop-file-utils appstream dpkg-dev
    clang emscripten nodejs g++-mingw-w64-x86-64-posix wine64
    chromium fonttools python3-brotli poppler-utils
    mosquitto mosquitto-clients libmosquitto-dev libqrencode-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# npm comes with some builds of nodejs and as a package of its own with Debian's.
command -v npm > /dev/null || missing+=(npm)
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
