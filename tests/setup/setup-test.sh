#!/usr/bin/env bash
# Set-up on a machine whose package index is broken and where 32-bit Wine cannot be
# installed: it must go on, say why in one line, record the decision for the other
# scripts, and leave the machine as it was. apt-get, dpkg and dpkg-query are fakes
# first on PATH; packages the machine already has read as installed, wine32 as absent.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
    echo "set-up test not run: it needs root (set-up would call the real apt-get through sudo)"
    exit 0
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-setup-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
calls="$work/calls"

cat >"$work/bin/apt-get" <<FAKE
#!/bin/sh
echo "apt-get \$*" >>"$calls"
case " \$* " in
  *" update "*) echo "E: Failed to fetch http://mirror/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
                echo "E: Some index files failed to download."; exit 100 ;;
  *:i386*) echo " libxml2:i386 : Depends: liblzma5:i386 but it is not going to be installed"
           echo "E: Unable to correct problems, you have held broken packages."; exit 100 ;;
esac
exit 0
FAKE
cat >"$work/bin/dpkg-query" <<FAKE
#!/bin/sh
case "\$*" in *wine32*) exit 1 ;; esac
exec /usr/bin/dpkg-query "\$@"
FAKE
cat >"$work/bin/dpkg" <<FAKE
#!/bin/sh
echo "dpkg \$*" >>"$calls"
case "\$1" in --print-foreign-architectures) ;; --add-architecture|--remove-architecture|--purge) ;;
  *) exec /usr/bin/dpkg "\$@" ;; esac
FAKE
chmod +x "$work/bin/"*

export QUORVEL_I686_RECORD="$work/record" QUORVEL_APT_RETRY_PAUSE=0
unset QUORVEL_NO_32BIT
status=0
PATH="$work/bin:$PATH" bash "$repo/scripts/setup.sh" >"$work/out" 2>&1 || status=$?

fail() { echo "set-up test FAILED: $*"; sed 's/^/  | /' "$work/out"; exit 1; }
[ "$status" = 0 ] || fail "exit status $status"
source "$repo/scripts/machine.sh"
if ! quorvel_kernel_runs_32bit; then
    # This kernel refuses 32-bit programs: set-up must not even try.
    ! grep -q ':i386' "$calls" 2>/dev/null || fail "tried i386 packages on a kernel that cannot run them"
    grep -qx "setup: 32-bit Wine not installed: this machine's kernel cannot execute 32-bit programs" "$work/out" ||
        fail "no line about the kernel"
    echo "set-up test passed (this kernel cannot run 32-bit programs: the apt path was not exercised)"
    exit 0
fi
expected="32-bit Wine could not be installed: Unable to correct problems, you have held broken packages.; the i686 tests will not run"
[ "$(grep -c '^32-bit Wine' "$work/out")" = 1 ] && grep -qxF "$expected" "$work/out" || fail "the line is not: $expected"
[ "$(grep -c '^apt-get update' "$calls")" = 3 ] || fail "apt-get update was not tried three times"
! grep -q -- '--download-only\|install -y -q --no-remove wine32' "$calls" || fail "went past the failed dry run"
# The decision reaches the other scripts, with the same reason.
QUORVEL_RUN_I686= quorvel_probe_32bit wine
[ "$QUORVEL_RUN_I686" = 0 ] || fail "the scripts would still run i686 programs"
[ "$QUORVEL_I686_WHY" = "${expected%; the i686 tests will not run}" ] || fail "the scripts give another reason: $QUORVEL_I686_WHY"
echo "set-up test passed"
