#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config ccache
    juce-modules-source fst-dev
    libpng-dev libjpeg-dev zlib1g-dev libexpat1-dev libxml2-utils
    libfreetype-dev libfontconfig1-dev
    libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev libxtst-dev
    libasound2-dev
    libgtest-dev libbenchmark-dev
    xvfb xauth libxtst6 fonts-dejavu-core fonts-dejavu-extra
    zam-plugins calf-plugins
    lv2-dev sordi lilv-utils jalv jackd2 dpf-source
    clang libclang-rt-14-dev valgrind
    sox strace
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if (( ${#missing[@]} > 0 )); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
