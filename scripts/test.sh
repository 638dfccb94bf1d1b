#!/usr/bin/env bash
# Builds both architectures and runs every test of each under Wine. Where this machine
# cannot run 32-bit programs the i686 build is still made (it carries compile-time
# checks of the host's ABI) and its tests are skipped, with a line that says why.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
archs=${QUORVEL_ARCHS:-i686 x86_64}
QUORVEL_ARCHS=$archs "$repo/scripts/build.sh"
source "$repo/scripts/wine-env.sh"
trap quorvel_env_stop EXIT
runnable=$(quorvel_runnable_archs $archs)
status=0
echo "== set-up =="
bash "$repo/tests/setup/setup-test.sh" || status=1
for arch in $archs; do
    quorvel_can_run "$arch" tests || continue
    echo "== tests, $arch =="
    (cd "$repo/build/$arch" && ctest --output-on-failure) || status=1
done
[ -n "$runnable" ] || { echo "no tests could run on this machine"; status=1; }
# The parsers built natively: every input that ever failed, each parser fuzzed a short
# while, and their time against their input's size; and the plain logic's unit tests
# that build natively, under the sanitizers.
echo "== parsers, native =="
bash "$repo/scripts/fuzz.sh" "${QUORVEL_FUZZ_SECONDS:-20}" || status=1
"$repo/build/fuzz/quorvel-linearity" || status=1
"$repo/build/fuzz/quorvel-native-unit-tests" --gtest_brief=1 || status=1
# The hostile corpus, one process a case, on the builds just made.
QUORVEL_SKIP_BUILD=1 QUORVEL_ARCHS=$archs bash "$repo/scripts/hostile.sh" || status=1
# The dialogs again at 144 and 192 DPI, each in a prefix of its own.
QUORVEL_SKIP_BUILD=1 bash "$repo/scripts/dpi-check.sh" || status=1
echo "== host kit =="
"$repo/scripts/test-kit.sh" $archs || status=1
# The second compiler: GCC builds the library, the checker and the sample host; nothing
# of it runs or ships.
echo "== second compiler: GCC, x86_64, build only =="
gcc_log="$repo/build/gcc-x86_64.log"
if cmake -S "$repo" -B "$repo/build/gcc-x86_64" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-gcc-x86_64.cmake" >"$gcc_log" 2>&1 &&
        cmake --build "$repo/build/gcc-x86_64" -j"$(nproc)" --target Quorvel SkinMM quorvel-check quorvel-host \
            >>"$gcc_log" 2>&1; then
    echo "GCC builds the library, the checker and the sample host"
else
    tail -20 "$gcc_log"
    echo "FAILED: the GCC build (build/gcc-x86_64.log)"
    status=1
fi
exit $status
