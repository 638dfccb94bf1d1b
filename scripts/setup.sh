#!/usr/bin/env bash
# Installs the cross compilers, Wine (64- and 32-bit), Xvfb and the CJK font on Debian.
set -euo pipefail
need=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686)
command -v wine64 >/dev/null || need+=(wine64)
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xwd >/dev/null || need+=(x11-apps)
command -v convert >/dev/null || need+=(imagemagick)
command -v cmake >/dev/null || need+=(cmake)
command -v localedef >/dev/null || need+=(locales)
[ -d /usr/share/fonts/truetype/wqy ] || need+=(fonts-wqy-microhei)
[ -d /usr/src/googletest ] || need+=(googletest)
dpkg -s wine32:i386 >/dev/null 2>&1 || need32=1
SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
if [ ${#need[@]} -gt 0 ] || [ -n "${need32:-}" ]; then
    $SUDO dpkg --add-architecture i386
    $SUDO apt-get update -q
    [ ${#need[@]} -gt 0 ] && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
    [ -n "${need32:-}" ] && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-remove wine32:i386
fi
true
