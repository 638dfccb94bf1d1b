#!/usr/bin/env bash
# Fuzzes every parser, built natively with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer: bash scripts/fuzz.sh [seconds-per-target] (60 unless given).
#
# First every input in tests/fuzz/regressions/<target>/ (each one failed once) is run
# again; then each target is fuzzed for the time given, from its corpus in
# build/fuzz/corpus/<target>, which is seeded from the tests' own files and kept between
# runs. An input slower than QUORVEL_FUZZ_TIMEOUT seconds (5) is a finding like a crash.
# Findings go to build/fuzz/findings/<target>/; keep each one, once mended, in the
# regressions folder. QUORVEL_FUZZ_TARGETS="xml-reader search" fuzzes only those.
# Exits 1 when anything failed.
set -euo pipefail
shopt -s nullglob
repo=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
timeout=${QUORVEL_FUZZ_TIMEOUT:-5}
build=$repo/build/fuzz

cmake -S "$repo/tests/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

# Seeds of a target: files of the tests that hold its kind of input.
seeds() {
    case $1 in
        xml-reader) find "$repo/tests/data" "$repo/host/sample" -name '*.xml' ;;
        directory-records) find "$repo/tests/data" "$repo/host/sample" -type f \( -name DepartmentInfo.xml \
                               -o -name FriendsInfo.xml -o -path '*/data/directory/*' \) ;;
        message-table) find "$repo/tests/data" "$repo/host/sample" -type f -path '*/lang/*' -name '*.xml' ;;
        picture-header) find "$repo/tests/data/pictures" "$repo/host/sample/skin" -type f ;;
    esac
    # Made for the target: a case no test file holds.
    if [ -d "$repo/tests/fuzz/seeds/$1" ]; then find "$repo/tests/fuzz/seeds/$1" -type f; fi
}

options() {
    case $1 in
        xml-reader | directory-records | message-table) echo "-dict=$repo/tests/fuzz/xml.dict -max_len=16384" ;;
        *) echo "-max_len=4096" ;;
    esac
}

targets=${QUORVEL_FUZZ_TARGETS:-$(cd "$build" && ls fuzz-* | sed 's/^fuzz-//')}
status=0
for target in $targets; do
    program=$build/fuzz-$target
    corpus=$build/corpus/$target
    findings=$build/findings/$target
    mkdir -p "$corpus" "$findings"
    # Named by their path: many of the tests' files share a name.
    seeds "$target" | while read -r file; do cp "$file" "$corpus/seed-$(echo "${file#"$repo"/}" | tr / _)"; done
    regressions=("$repo/tests/fuzz/regressions/$target"/*)
    if [ ${#regressions[@]} -gt 0 ]; then
        if ! "$program" -timeout="$timeout" "${regressions[@]}" >"$findings/regressions.log" 2>&1; then
            echo "fuzz $target: a regression input fails again, see $findings/regressions.log"
            status=1
            continue
        fi
    fi
    log=$findings/fuzz.log
    # shellcheck disable=SC2046
    if "$program" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$findings/" $(options "$target") "$corpus" >"$log" 2>&1; then
        echo "fuzz $target: nothing found in ${seconds} s ($(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') inputs, ${#regressions[@]} regression inputs)"
    else
        echo "fuzz $target: FOUND a fault, input and log in $findings/ ($(grep -m1 -E 'check failed|ERROR:' "$log" || true))"
        status=1
    fi
done
echo "fuzz: logs and any findings in $build/findings/<target>/"
exit $status
