#!/usr/bin/env bash
# Installs the Debian 12 packages the editor and its tests need, only those that are missing:
#   deps.sh             to build the editor
#   deps.sh --tests     and to run the tests
#   deps.sh --package   and to build the Debian package
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config python3
    qtbase5-dev qtdeclarative5-dev qtquickcontrols2-5-dev libqt5serialport5-dev
    qttools5-dev qttools5-dev-tools qtdeclarative5-dev-tools
    qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-controls2
    qml-module-qtquick-layouts qml-module-qtgraphicaleffects qml-module-qttest
    libasound2-dev libudev-dev
    xvfb xauth fonts-wqy-microhei
)
# The Debian package is built by CPack, whose library scan needs dpkg-shlibdeps and file, with
# the flags dpkg-buildflags gives (dpkg-dev). Its test checks it with lintian, hardening-check
# (devscripts) and man (man-db).
package_tools=(dpkg-dev file)
package_checks=(lintian devscripts man-db)
case "${1:-}" in
    --tests)
        packages+=(lrzsz python3-pyftpdlib mingw-w64 chromium clang libclang-rt-14-dev
                   desktop-file-utils appstream xdotool x11-utils x11-apps "${package_tools[@]}" "${package_checks[@]}") ;;
    --package)
        packages+=("${package_tools[@]}") ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
