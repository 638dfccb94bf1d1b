#!/usr/bin/env bash
# The hostile corpus: broken and odd host files, records and arguments, re-entrant and
# cross-thread calls, threads without COM. Each case runs through the real export in a
# process of its own, in a host folder laid anew from the sample folder, with a time
# limit; it must not crash or hang, and every request it sends must be well-formed XML
# naming every checked member. Prints the results by kind; exits 1 when a case failed.
# QUORVEL_HOSTILE_CASES, a regular expression, runs only the cases whose names match.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
archs=${QUORVEL_ARCHS:-x86_64}
[ -n "${QUORVEL_SKIP_BUILD:-}" ] || QUORVEL_ARCHS=$archs "$repo/scripts/build.sh" >/dev/null
source "$repo/scripts/wine-env.sh"
trap quorvel_env_stop EXIT
status=0
for arch in $archs; do
    quorvel_can_run "$arch" "hostile cases" || continue
    bin="$repo/build/$arch/bin/hostile"
    echo "== hostile corpus, $arch =="
    declare -A passed=() failed=()
    total_passed=0 total_failed=0
    while read -r kind name; do
        [[ "$name" =~ ${QUORVEL_HOSTILE_CASES:-.} ]] || continue
        rm -rf "$bin/dconf" "$bin/lang" "$bin/skin"
        cp -r "$repo/host/sample/dconf" "$repo/host/sample/lang" "$repo/host/sample/skin" "$bin/"
        set +e
        output=$(cd "$bin" && timeout 60 wine quorvel-hostile.exe "$name" </dev/null 2>&1)
        code=$?
        set -e
        if [ $code -eq 0 ]; then
            passed[$kind]=$(( ${passed[$kind]:-0} + 1 )); total_passed=$((total_passed + 1))
        else
            [ $code -eq 124 ] && output="hung: killed after 60 s"
            failed[$kind]=$(( ${failed[$kind]:-0} + 1 )); total_failed=$((total_failed + 1))
            echo "FAILED $name (exit $code): $(printf '%s' "$output" | tr -d '\r' | grep -av '^passed' | head -3 | tr '\n' ' ')"
        fi
    done < <(cd "$bin" && wine quorvel-hostile.exe --list | tr -d '\r')
    for kind in $(printf '%s\n' "${!passed[@]}" "${!failed[@]}" | sort -u); do
        echo "  $kind: ${passed[$kind]:-0} passed, ${failed[$kind]:-0} failed"
    done
    echo "hostile: $total_passed passed, $total_failed failed"
    [ $total_failed -eq 0 ] || status=1
    [ $total_passed -gt 0 ] || status=1
    unset passed failed
done
exit $status
