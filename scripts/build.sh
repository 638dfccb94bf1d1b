#!/usr/bin/env bash
# Configures and builds both architectures with clang and lld: build/i686 and build/x86_64.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
for arch in ${QUORVEL_ARCHS:-i686 x86_64}; do
    build=$repo/build/$arch
    toolchain=$repo/cmake/toolchain-$arch.cmake
    # A folder configured with another toolchain or compiler (these folders were GCC's
    # once) keeps its compiler: start it afresh.
    cache=$build/CMakeCache.txt
    if [ -f "$cache" ] && ! { grep -qx "CMAKE_TOOLCHAIN_FILE:[A-Z]*=$toolchain" "$cache" &&
                              grep -qs 'CMAKE_CXX_COMPILER_ID "Clang"' "$build"/CMakeFiles/*/CMakeCXXCompiler.cmake; }; then
        rm -rf "$build"
    fi
    cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
    cmake --build "$build" -j"$(nproc)"
done
