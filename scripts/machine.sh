# Sourced: can this machine run 32-bit programs? Some machines of this kind have a
# kernel that refuses 32-bit executables, and then no i686 program runs under Wine.
# The answer is found once, by trying, and kept in the environment for child scripts:
#   QUORVEL_RUN_I686   1 or 0
#   QUORVEL_I686_WHY   why not, in a few words (empty when it can)
# QUORVEL_NO_32BIT=1 forces the "no 32-bit" path on a machine that could.
# When set-up could not install 32-bit Wine it records why (quorvel_i686_record), and
# every later script takes the x86_64 path for that reason without asking apt again.

# The record's file: in the build tree, or QUORVEL_I686_RECORD (set-up's own test).
quorvel_i686_record_file() {
    printf '%s' "${QUORVEL_I686_RECORD:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/machine/i686-not-run}"
}

# quorvel_i686_record REASON: the i686 programs will not run, for REASON.
# quorvel_i686_record clear: forget it (set-up decides again).
quorvel_i686_record() {
    local file
    file=$(quorvel_i686_record_file)
    if [ "$1" = clear ]; then
        rm -f "$file"
    else
        mkdir -p "$(dirname "$file")" && printf '%s\n' "$1" >"$file"
    fi
}

# Runs a minimal static i386 executable (it only calls exit(0)); needs no package.
quorvel_kernel_runs_32bit() {
    local probe status
    probe=$(mktemp "${TMPDIR:-/tmp}/quorvel-elf32.XXXXXX") || return 1
    # ELF header, one loadable segment, then: mov eax,1; mov ebx,0; int 0x80
    printf '%b' \
'\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08'\
'\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00'\
'\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x00\x00\x00\x00\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" >/dev/null 2>&1
    status=$?
    rm -f "$probe"
    return $status
}

# Decides whether i686 programs can run here. With "wine" as argument the installed
# 32-bit Wine loader must start too (setup.sh asks before Wine is installed).
quorvel_probe_32bit() {
    if [ -n "${QUORVEL_NO_32BIT:-}" ] && [ "${QUORVEL_NO_32BIT}" != 0 ]; then
        QUORVEL_RUN_I686=0 QUORVEL_I686_WHY="QUORVEL_NO_32BIT is set"
    elif ! quorvel_kernel_runs_32bit; then
        QUORVEL_RUN_I686=0 QUORVEL_I686_WHY="this machine's kernel cannot execute 32-bit programs"
    elif [ "${1:-}" = wine ] && [ -s "$(quorvel_i686_record_file)" ]; then
        QUORVEL_RUN_I686=0 QUORVEL_I686_WHY=$(head -n1 "$(quorvel_i686_record_file)")
    elif [ "${1:-}" = wine ] && [ ! -x /usr/lib/wine/wine ]; then
        QUORVEL_RUN_I686=0 QUORVEL_I686_WHY="32-bit Wine (wine32:i386) is not installed"
    elif [ "${1:-}" = wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        QUORVEL_RUN_I686=0 QUORVEL_I686_WHY="the 32-bit Wine loader does not start"
    else
        QUORVEL_RUN_I686=1 QUORVEL_I686_WHY=
    fi
    export QUORVEL_RUN_I686 QUORVEL_I686_WHY
}
