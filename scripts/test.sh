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
# The hostile corpus, one process a case, on the builds just made.
QUORVEL_SKIP_BUILD=1 QUORVEL_ARCHS=$archs bash "$repo/scripts/hostile.sh" || status=1
# The dialogs again at 144 and 192 DPI, each in a prefix of its own.
QUORVEL_SKIP_BUILD=1 bash "$repo/scripts/dpi-check.sh" || status=1
echo "== host kit =="
"$repo/scripts/test-kit.sh" $archs || status=1
exit $status
