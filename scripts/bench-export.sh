#!/usr/bin/env bash
# The benchmark of the roads through the export (see the README), at 20,000 and
# 100,000 people or the sizes given; QUORVEL_BENCH_RUNS runs for each median (3).
set -euo pipefail
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(20000 100000)
for people in "${sizes[@]}"; do
    "$(dirname "$0")/bench-run.sh" export-bench quorvel-export-bench.exe "$people" "${QUORVEL_BENCH_RUNS:-3}"
done
