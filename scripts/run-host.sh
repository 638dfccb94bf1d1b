#!/usr/bin/env bash
# The main job: the sample host (32-bit, as real hosts are) with the dialog, on the
# sample host folder laid beside it. With a display it opens the host's window;
# without one it runs scripted under Xvfb and saves screenshots in build/screenshots.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
arch=${QUORVEL_HOST_ARCH:-i686}
QUORVEL_ARCHS=$arch "$repo/scripts/build.sh" >/dev/null
bin="$repo/build/$arch/bin"
if [ -n "${DISPLAY:-}" ] && [ -z "${QUORVEL_SCRIPTED:-}" ]; then
    source "$repo/scripts/wine-env.sh"
    cd "$bin" && wine quorvel-host.exe
    exit 0
fi
unset DISPLAY
source "$repo/scripts/wine-env.sh"
trap quorvel_env_stop EXIT
shots="$repo/build/screenshots"
mkdir -p "$shots"
rm -f "$bin"/host-*.bmp
cd "$bin"
# The host prints code page 936; show it as UTF-8.
wine quorvel-host.exe /script | iconv -f GBK -t UTF-8
for bmp in "$bin"/host-*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "$shots/$(basename "${bmp%.bmp}").png"
done
echo "screenshots: $(ls "$shots" | tr '\n' ' ')"
