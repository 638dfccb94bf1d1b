# Sourced by the other scripts: a Wine prefix of our own, code page 936, a display,
# and a persistent wineserver. Safe to source more than once in one shell.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="

# Wine needs the glibc locale to carry non-ASCII paths; build it in the tree, no install.
if [ ! -d "$repo/build/locale/zh_CN.UTF-8" ]; then
    mkdir -p "$repo/build/locale"
    localedef -i zh_CN -f UTF-8 "$repo/build/locale/zh_CN.UTF-8" >/dev/null 2>&1 || true
fi
export LOCPATH="$repo/build/locale"
{ export LC_ALL=zh_CN.UTF-8; } 2>/dev/null

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
wineserver -p 60 </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1
if [ ! -f "$WINEPREFIX/.quorvel-ready" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    touch "$WINEPREFIX/.quorvel-ready"
fi

quorvel_env_stop() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${QUORVEL_XVFB:-}" ] && kill "$QUORVEL_XVFB" >/dev/null 2>&1 || true
}
