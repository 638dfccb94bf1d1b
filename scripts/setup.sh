#!/usr/bin/env bash
# Installs what building, testing and the sample host need on Debian: the cross
# compilers, Wine, Xvfb, ImageMagick, the CJK font, CMake, GoogleTest's sources, and for
# the host kit LLVM's tools (Microsoft import libraries) and zip, for the native builds
# of the parsers clang with its fuzzing and sanitizer runtimes;
# 32-bit Wine only where this machine can run 32-bit programs.
# Packages are checked, not commands: a stand-in command must not hide a missing package.
#
# A package mirror may be half synced (one index of the wrong size for an hour): the
# indexes are fetched with retries and then used as they are. Only a package the x86_64
# path needs stops set-up. When 32-bit Wine cannot be installed, the decision is
# recorded (quorvel_i686_record, scripts/machine.sh) so that every later script takes
# the x86_64 path with this reason, without asking apt again.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/scripts/machine.sh"

packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          g++-mingw-w64-i686-posix binutils-mingw-w64-i686
          wine wine64 xvfb x11-apps imagemagick fonts-wqy-microhei
          cmake locales googletest llvm zip
          clang lld perl osslsigncode openssl unzip libclang-rt-14-dev)
installed() { [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]; }

SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp "${TMPDIR:-/tmp}/quorvel-setup.XXXXXX")
trap 'rm -f "$log"' EXIT

# Runs apt-get with its output shown and kept in $log; apt's own exit status.
apt_get() {
    local status=0
    $SUDO apt-get "$@" >"$log" 2>&1 || status=$?
    cat "$log"
    return $status
}
# apt's first error line in $log, without its "E: ".
first_error() {
    local line
    line=$(grep -m1 '^E: ' "$log" || true)
    [ -n "$line" ] || line=$(grep -v '^[[:space:]]*$' "$log" | tail -n1 || true)
    printf '%s' "${line#E: }"
}

update_indexes() {
    local try pause=${QUORVEL_APT_RETRY_PAUSE:-10}
    for try in 1 2 3; do
        apt_get update -q && return 0
        [ "$try" -lt 3 ] && { echo "setup: apt-get update failed (try $try of 3): $(first_error)"; sleep "$pause"; }
    done
    echo "setup: apt-get update failed 3 times, going on with the indexes there are: $(first_error)"
}

install_x86_64_path() {
    local p
    apt_get install -y -q --no-install-recommends "$@" && return 0
    # Name the package at fault: the first one that apt cannot install on its own.
    local bulk_error
    bulk_error=$(first_error)
    for p in "$@"; do
        if ! apt_get install -s -q --no-install-recommends "$p" >/dev/null; then
            echo "setup: cannot install $p: $(first_error)" >&2
            exit 1
        fi
    done
    for p in "$@"; do
        installed "$p" || { echo "setup: cannot install $p: $bulk_error" >&2; exit 1; }
    done
}

# The i386 packages in dpkg's database, one a line.
i386_packages() {
    { dpkg-query -W -f='${binary:Package} ${db:Status-Status}\n' '*:i386' 2>/dev/null || true; } |
        awk '$2 != "not-installed" {print $1}' | sort
}

# Tries 32-bit Wine in steps that change nothing until apt has everything it needs:
# a dry run, then the download, then the install. On failure wine32_error holds apt's
# first error line.
wine32_error=
install_wine32() {
    apt_get install -s -q --no-remove wine32:i386 >/dev/null &&
        apt_get install -y -q --no-remove --download-only wine32:i386 >/dev/null &&
        apt_get install -y -q --no-remove wine32:i386 && return 0
    wine32_error=$(first_error)
    return 1
}

# After a failed try, nothing of it stays: the i386 packages it brought are purged, and
# an i386 architecture that no package uses is dropped, so that later updates do not
# fetch its indexes again.
undo_wine32() {
    local before=$1 added
    added=$(comm -13 "$before" <(i386_packages) || true)
    if [ -n "$added" ]; then
        # shellcheck disable=SC2086
        $SUDO dpkg --purge --force-depends $added >/dev/null 2>&1 || true
    fi
    if [ -z "$(i386_packages)" ] && dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --remove-architecture i386 || true
    fi
    apt_get check -q >/dev/null || echo "setup: apt-get check fails after the 32-bit try: $(first_error)" >&2
}

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
quorvel_i686_record clear

if [ ${#need[@]} -gt 0 ] || [ -n "$need32" ]; then
    [ -n "$need32" ] && $SUDO dpkg --add-architecture i386
    update_indexes
    [ ${#need[@]} -eq 0 ] || install_x86_64_path "${need[@]}"
    if [ -n "$need32" ]; then
        before=$(mktemp "${TMPDIR:-/tmp}/quorvel-i386.XXXXXX")
        i386_packages >"$before"
        if ! install_wine32; then
            undo_wine32 "$before"
            echo "32-bit Wine could not be installed: $wine32_error; the i686 tests will not run"
            quorvel_i686_record "32-bit Wine could not be installed: $wine32_error"
        fi
        rm -f "$before"
    fi
fi
true
