#!/usr/bin/env bash
# Builds and runs the contact picker's benchmark under Wine (x86_64 unless QUORVEL_ARCHS says otherwise).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
export QUORVEL_ARCHS="${QUORVEL_ARCHS:-x86_64}"
"$repo/scripts/build.sh" >/dev/null
source "$repo/scripts/wine-env.sh"
trap quorvel_env_stop EXIT
for arch in $QUORVEL_ARCHS; do
    echo "== picker benchmark, $arch =="
    (cd "$repo/build/$arch/bin/bench" && wine quorvel-picker-bench.exe)
done
