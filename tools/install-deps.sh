#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages the project needs that are not there yet:
# what the Linux build needs, and what the chosen kind of run adds to it.
# usage: tools/install-deps.sh build|test|windows|fuzz|package|e2e
set -euo pipefail

mode=${1:-build}

build_packages=(cmake g++ make pkg-config qt6-base-dev libasound2-dev)
case $mode in
build) extra=() ;;
# make test, asan, bench, screenshots: GoogleTest, Google Benchmark, and the
# WAV fixtures written by SoX, libsndfile and Python, and for a real drag onto
# the Qt program a virtual display, xdotool and ImageMagick. The sanitizers' runtime
# comes with g++.
test) extra=(libgtest-dev libgmock-dev libbenchmark-dev sox libsndfile1-dev python3 xvfb xdotool imagemagick) ;;
# make windows: the cross compiler, GoogleTest's sources to build with it, wine
# with the Windows fonts, and for the desktop session a virtual display,
# xdotool, ImageMagick, SoX and Python (its drag source is a Qt program built
# with the build packages).
windows) extra=(g++-mingw-w64-x86-64 googletest wine64 fonts-wine xvfb xdotool imagemagick sox python3) ;;
# make fuzz: libFuzzer comes with clang; the seeds are written by SoX and Python.
fuzz) extra=(clang libclang-rt-dev sox python3) ;;
# make package, package-check: the desktop and AppStream
# validators and dpkg-shlibdeps, which works out the package's dependencies.
package) extra=(desktop-file-utils appstream dpkg-dev) ;;
# make e2e: a virtual machine with the MIDI drivers (the kernel itself is
# unpacked from its package by tools/e2e/run.sh, never installed).
e2e) extra=(qemu-system-x86 busybox-static cpio kmod alsa-utils) ;;
*)
    echo "usage: $0 build|test|windows|fuzz|package|e2e" >&2
    exit 2
    ;;
esac
wanted=("${build_packages[@]}" "${extra[@]}")

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
