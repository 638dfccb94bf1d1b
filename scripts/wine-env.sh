# Sourced by the other scripts: a Wine prefix of our own, code page 936, a display,
# and a persistent wineserver. Safe to source more than once in one shell.
#
# Every script runs Wine through here. Whether this machine can run 32-bit programs is
# decided once (scripts/machine.sh) and picks the loader: Debian's `wine`, which can
# run both architectures, where it can; the 64-bit loader called directly where it
# cannot (Debian's `wine` would pick the 32-bit loader whenever it is installed, and
# then nothing runs). QUORVEL_NO_32BIT=1 forces the second path. A `wine` in
# build/wine-bin, first on PATH, is the selected loader for every caller, ctest too.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$repo/scripts/machine.sh"
quorvel_probe_32bit wine

if [ "$QUORVEL_RUN_I686" = 1 ]; then
    quorvel_wine_mode=win32
    quorvel_loader=/usr/bin/wine
else
    quorvel_wine_mode=win64
    quorvel_loader=/usr/lib/wine/wine64
    export WINELOADER=$quorvel_loader
fi
mkdir -p "$repo/build/wine-bin"
printf '#!/bin/sh\nexec %s "$@"\n' "$quorvel_loader" >"$repo/build/wine-bin/wine"
printf '#!/bin/sh\nexec %s "$@"\n' /usr/lib/wine/wineserver >"$repo/build/wine-bin/wineserver"
chmod +x "$repo/build/wine-bin/wine" "$repo/build/wine-bin/wineserver"
case ":$PATH:" in *":$repo/build/wine-bin:"*) ;; *) export PATH="$repo/build/wine-bin:$PATH" ;; esac

# A prefix made without 32-bit Wine cannot run 32-bit programs later: one per mode.
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix-$quorvel_wine_mode}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="

# Wine needs the glibc locale to carry non-ASCII paths; build it in the tree, no install.
# en_US is for the tests that run a process under code page 1252.
for locale in zh_CN en_US; do
    if [ ! -d "$repo/build/locale/$locale.UTF-8" ]; then
        mkdir -p "$repo/build/locale"
        localedef -i "$locale" -f UTF-8 "$repo/build/locale/$locale.UTF-8" >/dev/null 2>&1 || true
    fi
done
export LOCPATH="$repo/build/locale"
{ export LC_ALL=zh_CN.UTF-8; } 2>/dev/null

# The first script to set this environment up is the one that tears it down.
[ -n "${QUORVEL_ENV_OWNER:-}" ] || export QUORVEL_ENV_OWNER=$$

# A display: the caller's, or a private Xvfb for this shell.
if [ -z "${DISPLAY:-}" ] || [ -n "${QUORVEL_XVFB:-}" ]; then
    if [ -z "${QUORVEL_XVFB:-}" ]; then
        for n in $(seq 91 140); do
            [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
            Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
            QUORVEL_XVFB=$!
            export DISPLAY=":$n"
            break
        done
        for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
        export QUORVEL_XVFB
    fi
fi

# The prefix is booted with the display it will be used with; a 2 s stall on every
# window close goes away when Wine does not wait for a window manager.
mkdir -p "$WINEPREFIX"
wineserver -p 60 </dev/null >/dev/null 2>&1 || true  # already running: reuse it
wine wineboot </dev/null >/dev/null 2>&1 || true
if [ ! -f "$WINEPREFIX/.quorvel-ready" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    touch "$WINEPREFIX/.quorvel-ready"
fi

# The architectures whose programs can run here, of those asked for.
quorvel_runnable_archs() {
    local arch
    for arch in "$@"; do
        [ "$arch" = i686 ] && [ "$QUORVEL_RUN_I686" != 1 ] && continue
        printf '%s ' "$arch"
    done
}

# True when programs of architecture $1 can run here. Otherwise false, and the first
# time in a whole run (the test command and the scripts it runs) one line says why
# the i686 $2 (tests, unless given) were not run.
quorvel_can_run() {
    { [ "$1" != i686 ] || [ "$QUORVEL_RUN_I686" = 1 ]; } && return 0
    if [ -z "${QUORVEL_I686_SKIP_SAID:-}" ]; then
        echo "i686 ${2:-tests} not run on this machine: $QUORVEL_I686_WHY"
        export QUORVEL_I686_SKIP_SAID=1
    fi
    return 1
}

# Stops the display and the wineserver, unless a parent script started them: a script
# run from another (the hostile corpus from the tests) leaves them to that one.
quorvel_env_stop() {
    [ -n "${QUORVEL_ENV_OWNER:-}" ] && [ "$QUORVEL_ENV_OWNER" != $$ ] && return 0
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${QUORVEL_XVFB:-}" ] && kill "$QUORVEL_XVFB" >/dev/null 2>&1 || true
}
