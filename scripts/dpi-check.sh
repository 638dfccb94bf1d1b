#!/usr/bin/env bash
# The dialogs at 144 and 192 DPI (or the DPIs given): the end-to-end suite's DPI and
# keyboard tests (texts fit, no two controls overlap, the member list keeps its rows, the
# keyboard-only journey) in a Wine prefix of each DPI on a 1920x1080 display, as a
# DPI-aware host sees them on Windows. The screenshots of both dialogs go to
# build/screenshots/dpi<N>-conference.png and dpi<N>-picker.png.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
arch=x86_64
if [ "${1:-}" != --one ]; then
    [ -n "${QUORVEL_SKIP_BUILD:-}" ] || QUORVEL_ARCHS=$arch "$repo/scripts/build.sh" >/dev/null
    status=0
    for dpi in ${*:-144 192}; do
        echo "== dialogs at $dpi DPI =="
        # A process of its own: its prefix, display and wineserver are its own to stop.
        env -u QUORVEL_ENV_OWNER -u QUORVEL_XVFB bash "$0" --one "$dpi" || status=1
    done
    exit $status
fi

dpi=$2
export WINEPREFIX="$repo/build/wineprefix-dpi$dpi"
# Larger than the dialogs at 192 DPI, which a 1024x768 screen would cut.
for n in $(seq 141 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    export QUORVEL_XVFB=$! DISPLAY=":$n"
    break
done
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
source "$repo/scripts/wine-env.sh"
trap quorvel_env_stop EXIT
if [ ! -f "$WINEPREFIX/.quorvel-dpi" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
    # The setting is read when the server starts.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -p 60 </dev/null >/dev/null 2>&1 || true
    wine wineboot </dev/null >/dev/null 2>&1 || true
    touch "$WINEPREFIX/.quorvel-dpi"
fi
bin="$repo/build/$arch/bin/e2e"
shots="$repo/build/screenshots"
mkdir -p "$shots"
rm -f "$bin"/dpi"$dpi"-*.bmp
status=0
(cd "$bin" && wine quorvel-e2e-tests.exe --gtest_filter='Dpi.*:Keyboard.*' </dev/null) || status=1
for bmp in "$bin"/dpi"$dpi"-*.bmp; do
    [ -e "$bmp" ] || { echo "no screenshot at $dpi DPI"; status=1; continue; }
    convert "$bmp" "$shots/$(basename "${bmp%.bmp}").png"
done
exit $status
