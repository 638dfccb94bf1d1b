#!/usr/bin/env bash
# Builds and runs the benchmark of the roads through the export under Wine, at 20,000
# and 100,000 people (or the sizes given), x86_64 unless QUORVEL_ARCHS says otherwise.
# QUORVEL_BENCH_RUNS sets how many runs each median takes (3).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
archs="${QUORVEL_ARCHS:-x86_64}"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(20000 100000)
QUORVEL_ARCHS=$archs "$repo/scripts/build.sh" >/dev/null
source "$repo/scripts/wine-env.sh"
trap quorvel_env_stop EXIT
runnable=$(quorvel_runnable_archs $archs)
for arch in $archs; do
    case " $runnable " in
        *" $arch "*) ;;
        *) echo "i686 benchmark not run on this machine: $QUORVEL_I686_WHY"; continue ;;
    esac
    for people in "${sizes[@]}"; do
        echo "== export benchmark, $arch, $people people =="
        (cd "$repo/build/$arch/bin/export-bench" && wine quorvel-export-bench.exe "$people" "${QUORVEL_BENCH_RUNS:-3}")
    done
done
