#!/usr/bin/env bash
# The main job: the sample host with the dialog, on the sample host folder laid beside
# it. The host is 32-bit, as real hosts are, where this machine can run 32-bit programs,
# and 64-bit otherwise (QUORVEL_HOST_ARCH chooses). With a display it opens the host's
# window; without one it runs scripted under Xvfb and saves screenshots in build/screenshots.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/scripts/machine.sh"
quorvel_probe_32bit wine
if [ -n "${QUORVEL_HOST_ARCH:-}" ]; then
    arch=$QUORVEL_HOST_ARCH
    echo "sample host: $arch (chosen by QUORVEL_HOST_ARCH)"
elif [ "$QUORVEL_RUN_I686" = 1 ]; then
    arch=i686
    echo "sample host: i686 (32-bit, as real hosts are)"
else
    arch=x86_64
    echo "sample host: x86_64, not i686: $QUORVEL_I686_WHY"
fi
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
rm -f "$bin"/host-*.bmp "$shots"/host-*.png
cd "$bin"
# The host prints code page 936; show it as UTF-8.
wine quorvel-host.exe /script | iconv -f GBK -t UTF-8
for bmp in "$bin"/host-*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "$shots/$(basename "${bmp%.bmp}").png"
done
echo "screenshots: $(ls "$shots" | tr '\n' ' ')"
