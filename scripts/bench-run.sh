#!/usr/bin/env bash
# Builds, then runs one benchmark program under Wine in its folder for each architecture
# (x86_64 unless QUORVEL_ARCHS says otherwise; i686 only where this machine can run
# 32-bit programs): bench-run.sh FOLDER-UNDER-BIN PROGRAM [ARGUMENTS...].
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
folder=$1 program=$2
shift 2
archs="${QUORVEL_ARCHS:-x86_64}"
QUORVEL_ARCHS=$archs "$repo/scripts/build.sh" >/dev/null
source "$repo/scripts/wine-env.sh"
trap quorvel_env_stop EXIT
for arch in $archs; do
    quorvel_can_run "$arch" benchmark || continue
    echo "== $program $*, $arch =="
    (cd "$repo/build/$arch/bin/$folder" && wine "$program" "$@")
done
