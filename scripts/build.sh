#!/usr/bin/env bash
# Configures and builds both architectures: build/i686 and build/x86_64.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
for arch in ${QUORVEL_ARCHS:-i686 x86_64}; do
    cmake -S "$repo" -B "$repo/build/$arch" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-$arch.cmake" >/dev/null
    cmake --build "$repo/build/$arch" -j"$(nproc)"
done
