#!/usr/bin/env bash
# The host kit: builds both architectures and lays out dist/Quorvel-<version>/ and
# dist/Quorvel-<version>.zip (see host/kit/README.txt for what it holds), then lists
# the kit's files with their sizes. Signs the DLLs and tools when a certificate is given
# (QUORVEL_SIGN_PKCS12 and QUORVEL_SIGN_PASSWORD_FILE; see scripts/lay-out-kit.sh).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
archs="i686 x86_64"
QUORVEL_ARCHS=$archs "$repo/scripts/build.sh" >/dev/null
mkdir -p "$repo/dist"
kit=$("$repo/scripts/lay-out-kit.sh" "$repo/dist" $archs)
name=$(basename "$kit")
(cd "$repo/dist" && find "$name" -type f -printf '%10s  %p\n' | sort -k2)
tail -1 "$kit/README.txt"
echo "$(stat -c %s "$repo/dist/$name.zip") bytes: dist/$name.zip"
