#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need: only those that are missing,
# through apt-get, with sudo when not root. Safe to run again and again. Says in one line what it
# installs; apt's own output goes to a log (INSTALL_LOG, by default build/logs/install-deps.log), shown
# only when apt fails.
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
log=${INSTALL_LOG:-$(cd "$(dirname "$0")/.." && pwd)/build/logs/install-deps.log}
mkdir -p "$(dirname "$log")"
echo "Installing ${#missing[@]} Debian packages: ${missing[*]} (log: $log)"
# No standard input: with the output in the log, a question from dpkg would wait unseen, so it fails instead.
status=0
{ $sudo apt-get update && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"; } \
    >"$log" 2>&1 </dev/null || status=$?
if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    echo "Installing the Debian packages FAILED with exit code $status (full log: $log)" >&2
    exit "$status"
fi
