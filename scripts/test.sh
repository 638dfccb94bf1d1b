#!/usr/bin/env bash
# Builds both architectures and runs every test of each under Wine.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
"$repo/scripts/build.sh"
source "$repo/scripts/wine-env.sh"
trap quorvel_env_stop EXIT
status=0
for arch in ${QUORVEL_ARCHS:-i686 x86_64}; do
    echo "== tests, $arch =="
    (cd "$repo/build/$arch" && ctest --output-on-failure) || status=1
done
exit $status
