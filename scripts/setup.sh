#!/usr/bin/env bash
# Installs every Debian 12 package the build, the program and the tests need.
# Quick when everything is there already.
set -euo pipefail

packages=(
    cmake g++ ninja-build pkg-config git python3 findutils
    libgtest-dev googletest
    qtbase5-dev qtdeclarative5-dev libqt5svg5-dev qtquickcontrols2-5-dev libqt5quickwidgets5
    qml-module-qtquick2 qml-module-qtquick-window2
    qml-module-qtquick-controls2 qml-module-qtquick-layouts
    qml-module-qtqml-models2
    qttranslations5-l10n
    xvfb xauth libgl1-mesa-dri fonts-wqy-microhei
    zlib1g-dev
)
case "${1:-}" in
    # Wine, and what the window check under it uses to find the window and take a screenshot.
    --wine) packages+=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine locales
                       x11-utils xdotool imagemagick wixl) ;;
    # The Windows program: the cross compiler, zlib for it and the installer's maker.
    --windows) packages+=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev nsis) ;;
    # Only for re-rendering the committed art (scripts/render-art.sh).
    --art) packages+=(librsvg2-bin imagemagick) ;;
    # The tools the duplicate benchmark compares with (bench/run.sh).
    --bench) packages+=(jdupes rmlint) ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: run as root or install sudo" >&2; exit 1; }
    sudo="sudo"
fi
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
