#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 machine; quiet when all is there.
# `install-deps.sh bench` adds the peers the benchmarks measure against (never linked into the
# program) and the X11 magnifier the program's CPU use is compared with.
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }
packages=(cmake g++ clang make git clang-format libgtest-dev libgmock-dev googletest libbenchmark-dev
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 fonts-wine libgnutls30 xvfb x11-utils xdotool imagemagick
          python3 openssl libclang-rt-14-dev wixl
          xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils)
[ "${1:-}" = bench ] && packages+=(pkg-config libyuv-dev libpixman-1-dev xzoom strace)
for pkg in "${packages[@]}"; do
  have "$pkg" || need+=("$pkg")
done
[ ${#need[@]} -eq 0 ] && exit 0
echo "Installing: ${need[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
# A held package lock waits five minutes at most rather than forever.
$SUDO timeout 900 apt-get -o DPkg::Lock::Timeout=300 update -qq
DEBIAN_FRONTEND=noninteractive $SUDO timeout 1800 apt-get -o DPkg::Lock::Timeout=300 install -y -qq \
  --no-install-recommends "${need[@]}" >/dev/null
