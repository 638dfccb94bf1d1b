#!/usr/bin/env bash
# The resource soak (see the README): the leak checks of the end-to-end tests with
# 1,000 dialog runs and 200 picker openings, on the x86_64 build.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
QUORVEL_ARCHS=x86_64 "$repo/scripts/build.sh" >/dev/null
source "$repo/scripts/wine-env.sh"
trap quorvel_env_stop EXIT
cd "$repo/build/x86_64/bin/e2e"
QUORVEL_SOAK=1 wine quorvel-e2e-tests.exe --gtest_filter='ResourceLeaks*'
