#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Safe to run again: installed packages are skipped, and the package lists
# are refreshed only when something is missing.
set -euo pipefail

PACKAGES=(
    build-essential cmake g++ ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
    libmariadb-dev mariadb-server mariadb-client libicu-dev
    fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming fonts-wqy-microhei
    xvfb xauth xdotool imagemagick
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format
)

missing=()
for package in "${PACKAGES[@]}"; do
    status="$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)"
    if [ "$status" != "installed" ]; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    echo "setup.sh: all packages installed"
    exit 0
fi

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
    SUDO=(sudo)
fi
echo "setup.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update
"${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
