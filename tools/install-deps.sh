#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages the project needs that are not there yet.
# usage: tools/install-deps.sh build|test|e2e
set -euo pipefail

build_packages=(cmake g++ make pkg-config qt6-base-dev libasound2-dev)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev sox libsndfile1-dev python3
               clang libclang-rt-dev g++-mingw-w64-x86-64 wine64 desktop-file-utils appstream
               xvfb xdotool imagemagick fonts-wine)
# make e2e: a virtual machine with the MIDI drivers (the kernel itself is
# unpacked from its package by tools/e2e/run.sh, never installed).
e2e_packages=(qemu-system-x86 busybox-static cpio kmod alsa-utils)

wanted=("${build_packages[@]}")
if [ "${1:-build}" = test ]; then
    wanted+=("${test_packages[@]}")
elif [ "${1:-build}" = e2e ]; then
    wanted+=("${e2e_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
