#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need: only those that are missing,
# through apt-get, with sudo when not root. Safe to run again and again.
set -euo pipefail

packages=(
    cmake
    make
    g++
    pkg-config
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    libsdl2-dev
    libsdl2-image-dev
    libfreetype-dev
    libpng-dev
    libjpeg62-turbo-dev
    fonts-dejavu-core
    clang
    libclang-rt-14-dev
    xvfb
    xauth
    xdotool
    x11-utils
    imagemagick
    file
    dpkg-dev
    libcli11-dev
    nlohmann-json3-dev
    libpcg-cpp-dev
    libopenmpi-dev
    openmpi-bin
    gnuplot-nox
    emscripten
    libstb-dev
    chromium
    chromium-driver
    python3-selenium
    faketime
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
