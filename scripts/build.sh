#!/usr/bin/env bash
# Configures and builds both architectures with clang and lld: build/i686 and build/x86_64.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
for arch in ${QUORVEL_ARCHS:-i686 x86_64}; do
    build=$repo/build/$arch
    toolchain=$repo/cmake/toolchain-$arch.cmake
    # A folder configured with another toolchain keeps its compiler: start it afresh.
    if [ -f "$build/CMakeCache.txt" ] && ! grep -qx "CMAKE_TOOLCHAIN_FILE:[A-Z]*=$toolchain" "$build/CMakeCache.txt"; then
        rm -rf "$build"
    fi
    cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
    cmake --build "$build" -j"$(nproc)"
done
