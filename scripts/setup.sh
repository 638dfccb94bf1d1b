#!/usr/bin/env bash
# Installs what building, testing and the sample host need on Debian: the cross
# compilers, Wine, Xvfb, ImageMagick, the CJK font, CMake, GoogleTest's sources, and for
# the host kit LLVM's tools (Microsoft import libraries) and zip;
# 32-bit Wine only where this machine can run 32-bit programs.
# Packages are checked, not commands: a stand-in command must not hide a missing package.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/scripts/machine.sh"

packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          g++-mingw-w64-i686-posix binutils-mingw-w64-i686
          wine wine64 xvfb x11-apps imagemagick fonts-wqy-microhei
          cmake locales googletest llvm zip
          clang lld perl osslsigncode openssl unzip)
installed() { [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]; }

need=()
for p in "${packages[@]}"; do installed "$p" || need+=("$p"); done

# 32-bit Wine is some 250 packages: worth it only where the kernel runs 32-bit programs.
quorvel_probe_32bit
need32=
if [ "$QUORVEL_RUN_I686" = 1 ]; then
    installed wine32:i386 || need32=wine32:i386
else
    echo "setup: 32-bit Wine not installed: $QUORVEL_I686_WHY"
fi

SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
if [ ${#need[@]} -gt 0 ] || [ -n "$need32" ]; then
    [ -n "$need32" ] && $SUDO dpkg --add-architecture i386
    $SUDO apt-get update -q
    if [ ${#need[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
    fi
    if [ -n "$need32" ]; then
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-remove "$need32"
    fi
fi
true
