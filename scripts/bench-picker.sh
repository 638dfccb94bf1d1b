#!/usr/bin/env bash
# The contact picker's benchmark (see the README); an optional number of people.
exec "$(dirname "$0")/bench-run.sh" bench quorvel-picker-bench.exe "$@"
