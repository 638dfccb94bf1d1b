#!/usr/bin/env bash
# Builds and runs the contact picker's benchmark under Wine (x86_64 unless QUORVEL_ARCHS
# says otherwise; i686 only where this machine can run 32-bit programs), once for each
# size of the company directory given (20000 people unless given), e.g. 20000 100000.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
archs="${QUORVEL_ARCHS:-x86_64}"
QUORVEL_ARCHS=$archs "$repo/scripts/build.sh" >/dev/null
source "$repo/scripts/wine-env.sh"
trap quorvel_env_stop EXIT
runnable=$(quorvel_runnable_archs $archs)
for arch in $archs; do
    case " $runnable " in
        *" $arch "*) ;;
        *) echo "i686 benchmark not run on this machine: $QUORVEL_I686_WHY"; continue ;;
    esac
    for people in "${@:-20000}"; do
        echo "== picker benchmark, $arch, $people people =="
        (cd "$repo/build/$arch/bin/bench" && wine quorvel-picker-bench.exe "$people")
    done
done
