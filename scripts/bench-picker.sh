#!/usr/bin/env bash
# The contact picker's benchmark (see the README), once for each company-directory size
# given (20,000 people unless given); QUORVEL_BENCH_RUNS runs for each median (3).
set -euo pipefail
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(20000)
for people in "${sizes[@]}"; do
    "$(dirname "$0")/bench-run.sh" bench quorvel-picker-bench.exe "$people" "${QUORVEL_BENCH_RUNS:-3}"
done
