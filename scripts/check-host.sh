#!/usr/bin/env bash
# Reports what the library will read from a host folder (its dconf, lang and skin):
#   check-host.sh [--language XXXX] DIR
# Builds the x86_64 checker if needed and runs it under Wine; exits as the checker does:
# 0 no error, 1 errors found, 2 wrong arguments.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
args=()
while [ $# -gt 1 ]; do args+=("$1"); shift; done
[ $# -eq 1 ] && [ -d "$1" ] || { echo "usage: check-host.sh [--language XXXX] DIR" >&2; exit 2; }
dir=$(cd "$1" && pwd)
QUORVEL_ARCHS=x86_64 "$repo/scripts/build.sh" >/dev/null
source "$repo/scripts/wine-env.sh"
trap quorvel_env_stop EXIT
# Wine's Z: drive is the Unix root; the report is code page 936, shown as UTF-8.
set +e
wine "$repo/build/x86_64/bin/quorvel-check.exe" "${args[@]}" "Z:${dir//\//\\}" > "$repo/build/check-host.txt"
status=$?
set -e
iconv -f GBK -t UTF-8 "$repo/build/check-host.txt"
exit $status
