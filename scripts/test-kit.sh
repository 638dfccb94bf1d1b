#!/usr/bin/env bash
# The host kit's test, for the architectures given (default: both), on builds already
# made. It lays the kit out in build/kit, unzips Quorvel-<version>.zip and checks the
# unzipped kit as a host team gets it:
#   - the zip holds the CMake package, the licence, the changelog and the toolchain
#     files; an unsigned kit says so in README.txt;
#   - the DLLs a host ships are stripped and import only system DLLs (and SkinMM.dll);
#   - each DLL and tool has its PDB, named by file name alone, and an address inside the
#     export resolves to its function and source file from the kit's PDB;
#   - Quorvel.lib names Quorvel.dll and the export as the Microsoft linker expects
#     (32-bit: the C name _DLL_CreateConference, imported undecorated);
#   - a small C host links against each import library and imports the export by name,
#     and a host compiled as with /Gz links against Quorvel.lib with lld-link;
#   - the sample host builds from the unzipped kit through find_package(Quorvel) with the
#     kit's toolchain file, and a configure without a Windows compiler stops at once;
# runs the C hosts and the sample host where this machine can run the architecture,
# under Wine, through the export (the dialog opens and is cancelled, the record comes
# back, the DLL's version resource states the header's version); and signs a second
# layout with a throwaway certificate made here and verifies the signatures.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
archs=${*:-i686 x86_64}
kit_build=$("$repo/scripts/lay-out-kit.sh" "$repo/build/kit" $archs)
version=${kit_build##*/Quorvel-}
work="$repo/build/kit-test"
rm -rf "$work"
mkdir -p "$work"
unzip -q "$kit_build.zip" -d "$work/unzipped"
kit="$work/unzipped/Quorvel-$version"
# Under test.sh the display and the Wine server are its own: stop them only if started
# here. Starting the persistent server again fails when it runs already, so the
# environment is sourced without -e.
inherited=${QUORVEL_XVFB:-}
set +e
source "$repo/scripts/wine-env.sh"
set -e
[ -n "$inherited" ] || trap quorvel_env_stop EXIT

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
check() { # check DESCRIPTION COMMAND...: passes when the command succeeds
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

echo "== kit contents =="
for file in LICENSE CHANGELOG.md README.txt include/Quorvel.h lib/cmake/Quorvel/QuorvelConfig.cmake \
            lib/cmake/Quorvel/QuorvelConfigVersion.cmake cmake/mingw-w64-i686.cmake cmake/mingw-w64-x86_64.cmake; do
    check "the zip holds $file" test -s "$kit/$file"
done
check "LICENSE is the MIT licence of The Quorvel authors" \
    grep -q "^Copyright (c) [0-9]* The Quorvel authors" "$kit/LICENSE"
check "CHANGELOG.md has an entry for $version" grep -q "^## $version\$" "$kit/CHANGELOG.md"
check "README.txt says the kit is not signed" grep -q "^Not signed: " "$kit/README.txt"
check "no stale references in the kit" \
    bash -c '! grep -rIl -e "make-skin" -e "Quorvel\.rc" -e "end-to-end" "$1"' _ "$kit"

# A configure without a Windows compiler stops before any compiler is asked for windows.h,
# in the sample's build file and in the package itself.
started=$(date +%s%N)
if cmake -S "$kit/sample" -B "$work/no-toolchain" >"$work/no-toolchain.log" 2>&1; then
    fail "the sample configures without a Windows compiler"
elif tr -s ' \n' '  ' <"$work/no-toolchain.log" | grep -q "has no Windows compiler"; then
    pass "the sample's configure without a Windows compiler stops in $(( ($(date +%s%N) - started) / 1000000 )) ms"
else
    fail "the sample's configure without a Windows compiler says: $(tail -5 "$work/no-toolchain.log")"
fi
mkdir -p "$work/linux-host"
printf 'cmake_minimum_required(VERSION 3.15)\nproject(LinuxHost NONE)\nfind_package(Quorvel CONFIG REQUIRED)\n' \
    >"$work/linux-host/CMakeLists.txt"
if cmake -S "$work/linux-host" -B "$work/linux-host/build" -DQuorvel_DIR="$kit/lib/cmake/Quorvel" \
        >"$work/linux-host.log" 2>&1; then
    fail "find_package(Quorvel) succeeds for a build that is not for Windows"
else
    check "find_package(Quorvel) refuses a build that is not for Windows, saying why" \
        grep -q "Quorvel.dll is a Windows library" "$work/linux-host.log"
fi

for arch in $archs; do
    case $arch in
        i686) name=x86 triple=i686-w64-mingw32 symbol=_DLL_CreateConference msvc=i686-pc-windows-msvc
              stdcall=(-Xclang -fdefault-calling-conv=stdcall) ;;
        # x64 has one calling convention; /Gz does not apply there.
        x86_64) name=x64 triple=x86_64-w64-mingw32 symbol=DLL_CreateConference msvc=x86_64-pc-windows-msvc
                stdcall=() ;;
    esac
    echo "== kit, $arch ($name) =="
    bin="$kit/bin/$name" lib="$kit/lib/$name"

    # Outputs are kept whole before they are searched: with pipefail, "grep -q" closing a
    # pipe early would fail the command before it.
    for dll in Quorvel.dll SkinMM.dll; do
        sections=$("$triple-objdump" -h "$bin/$dll")
        symbols_left=$(LC_ALL=C "$triple-nm" "$bin/$dll" 2>&1 || true)
        if grep -q '\.debug_' <<<"$sections" || [ "${symbols_left##*: }" != "no symbols" ]; then
            fail "$name/$dll is not stripped"
        else
            pass "$name/$dll stripped, $(stat -c %s "$bin/$dll") bytes"
        fi
        if cmp -s "$bin/$dll" "$repo/build/$arch/bin/e2e/$dll"; then
            pass "$name/$dll is the DLL the end-to-end tests loaded, byte for byte"
        else
            fail "$name/$dll differs from the DLL the end-to-end tests loaded"
        fi
    done

    # Each DLL and tool comes with its PDB: the debug directory names it by file name
    # alone, its identity is the PDB's, and an address inside the export resolves to the
    # function and its source file from the kit's files only.
    for program in "$bin/Quorvel.dll" "$bin/SkinMM.dll" "$kit/tools/$name/quorvel-check.exe"; do
        label=${program#"$kit"/}
        pdb=${program%.*}.pdb
        debug=$(llvm-readobj --coff-debug-directory "$program")
        named=$(sed -n 's/^ *PDBFileName: //p' <<<"$debug")
        # The debug directory's GUID bytes, written as the PDB writes its GUID.
        identity=$(sed -n 's/^ *PDBGUID: (\(.*\))$/\1/p' <<<"$debug" |
                   awk '{ printf "{%s%s%s%s-%s%s-%s%s-%s%s-%s%s%s%s%s%s}", $4, $3, $2, $1, $6, $5, $8, $7,
                          $9, $10, $11, $12, $13, $14, $15, $16 }')
        summary=$(llvm-pdbutil dump --summary "$pdb" 2>&1 || true)
        if [ "$named" != "$(basename "$pdb")" ]; then
            fail "$label's debug directory names '$named', not $(basename "$pdb")"
        elif ! grep -qF "GUID: $identity" <<<"$summary"; then
            fail "$label's PDB is not its own: the DLL says $identity, the PDB $(grep GUID <<<"$summary")"
        else
            pass "$label names its PDB $named, which is its own ($identity)"
        fi
    done
    export_rva=$(llvm-readobj --coff-exports "$bin/Quorvel.dll" | awk '/Name: DLL_CreateConference$/ { found = 1 }
                 found && /RVA:/ { print $2; exit }')
    image_base=$(llvm-readobj --file-headers "$bin/Quorvel.dll" | awk '/ImageBase:/ { print $2; exit }')
    address=$(printf '0x%x' $((image_base + export_rva + 8)))
    resolved=$(cd "$work" && llvm-symbolizer --obj="$bin/Quorvel.dll" "$address" | head -2 | tr '\n' ' ')
    if grep -qE '^DLL_CreateConference [^ ]*entry/[A-Za-z]+\.cpp:[0-9]+' <<<"$resolved"; then
        pass "$address in $name/Quorvel.dll resolves from its PDB to $resolved"
    else
        fail "$address in $name/Quorvel.dll resolves to '$resolved'"
    fi

    imports=$("$triple-objdump" -p "$bin/Quorvel.dll" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
    others=$(for d in $imports; do
        case $d in
            kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|ole32.dll|oleaut32.dll|shlwapi.dll|msvcrt.dll|bcrypt.dll|skinmm.dll) ;;
            *) printf '%s ' "$d" ;;
        esac
    done)
    [ -z "$others" ] && pass "$name/Quorvel.dll imports $imports" || fail "$name/Quorvel.dll imports $others"

    # The Microsoft import library: the symbols a Microsoft-built host links to, the DLL
    # it names, and (32-bit) the import by the undecorated name.
    lib_symbols=$(llvm-nm "$lib/Quorvel.lib" 2>/dev/null | awk '$2 == "T" { print $3 }' | sort | tr '\n' ' ')
    [ "$lib_symbols" = "$symbol __imp_$symbol " ] && pass "$name/Quorvel.lib defines $lib_symbols" ||
        fail "$name/Quorvel.lib defines '$lib_symbols'"
    member=$(llvm-readobj "$lib/Quorvel.lib" | awk '/COFF-import-file/ { found = 1 } found')
    grep -q "^File: Quorvel.dll" <<<"$(llvm-readobj "$lib/Quorvel.lib")" && pass "$name/Quorvel.lib names Quorvel.dll" ||
        fail "$name/Quorvel.lib does not name Quorvel.dll"
    expected_type=name
    [ "$arch" = i686 ] && expected_type=noprefix
    grep -q "Name type: $expected_type" <<<"$member" && pass "$name/Quorvel.lib imports by name type '$expected_type'" ||
        fail "$name/Quorvel.lib: $member"

    for implib in libQuorvel.dll.a Quorvel.lib; do
        exe="$work/kit-host-$name-${implib%%.*}.exe"
        if ! "$triple-gcc" -std=c99 -Wall -Wextra -Werror -I"$kit/include" "$repo/tests/kit/KitHost.c" \
                "$lib/$implib" -lole32 -lversion -o "$exe"; then
            fail "C host does not link against $name/$implib"
            continue
        fi
        imported=$("$triple-objdump" -p "$exe" | awk '/DLL Name: Quorvel.dll/ { found = 1; next } /DLL Name/ { found = 0 } found')
        if grep -qE '[0-9]+ +DLL_CreateConference$' <<<"$imported"; then
            pass "C host links against $name/$implib and imports DLL_CreateConference from Quorvel.dll"
        else
            fail "C host linked against $name/$implib does not import DLL_CreateConference by name"
        fi
    done

    # A host built in Microsoft mode as with /Gz, linked by lld-link.
    gz="$work/stdcall-host-$name"
    if clang --target="$msvc" "${stdcall[@]}" -Wall -Werror -I"$repo/tests/kit/msvc" -I"$kit/include" \
            -c "$repo/tests/kit/StdcallHost.c" -o "$gz.obj" >"$gz.log" 2>&1 &&
            lld-link /nologo /entry:HostEntry /subsystem:console /out:"$gz.exe" "$gz.obj" "$lib/Quorvel.lib" >>"$gz.log" 2>&1; then
        imported=$(llvm-readobj --coff-imports "$gz.exe")
        grep -q "Symbol: DLL_CreateConference " <<<"$imported" &&
            pass "a /Gz host in Microsoft mode links against $name/Quorvel.lib with lld-link" ||
            fail "the /Gz host imports: $imported"
    else
        fail "a /Gz host in Microsoft mode does not link against $name/Quorvel.lib: $(tail -3 "$gz.log")"
    fi

    # The sample host from the unzipped kit, through its CMake package and toolchain file.
    sample="$work/sample-$name"
    if cmake -S "$kit/sample" -B "$sample" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$kit/cmake/mingw-w64-$arch.cmake" >"$sample.log" 2>&1 &&
            cmake --build "$sample" -j2 >>"$sample.log" 2>&1; then
        linked=$(grep -o "lib/$name/libQuorvel.dll.a" "$sample/CMakeFiles/quorvel-host.dir/linkLibs.rsp" || true)
        [ -n "$linked" ] && pass "the sample host builds from the unzipped kit through find_package (links $linked)" ||
            fail "the sample host was not linked with the kit's lib/$name import library"
    else
        fail "the sample host does not build from the kit: $(tail -5 "$sample.log")"
    fi

    quorvel_can_run "$arch" "kit hosts" || continue
    if [ -f "$sample/quorvel-host.exe" ]; then
        requests=$(cd "$sample" && timeout 120 wine quorvel-host.exe /script 2>&1 | grep -o 'method="[a-z]*"' | tr '\n' ' ' || true)
        [ "$requests" = 'method="createconf" method="updateconf" ' ] &&
            pass "the kit's sample host created and edited a conference" ||
            fail "the kit's sample host's scripted run gave: $requests"
    fi
    run="$work/run-$name"
    mkdir -p "$run"
    cp "$bin"/*.dll "$work"/kit-host-"$name"-*.exe "$run/"
    cp -r "$kit/sample/folder/." "$run/"
    for exe in "$run"/kit-host-*.exe; do
        if output=$(cd "$run" && timeout 60 wine "$(basename "$exe")" 2>&1) &&
                grep -q "^version $version, header $version" <<<"$output" && grep -q "^record complete" <<<"$output" &&
                grep -q "^copyright Copyright (c) [0-9]* The Quorvel authors" <<<"$output"; then
            pass "$(basename "$exe") ran through the export: $(tr '\r\n' '  ' <<<"$output")"
        else
            fail "$(basename "$exe"): $output"
        fi
    done
done

echo "== signing =="
# A throwaway self-signed code-signing certificate, made for this run only.
certs="$work/certificate"
mkdir -p "$certs"
if openssl req -x509 -newkey rsa:2048 -nodes -keyout "$certs/key.pem" -out "$certs/cert.pem" -days 2 \
        -subj "/CN=Quorvel kit test" -addext "extendedKeyUsage=codeSigning" >/dev/null 2>&1 &&
        head -c 18 /dev/urandom | base64 >"$certs/password" &&
        openssl pkcs12 -export -inkey "$certs/key.pem" -in "$certs/cert.pem" -out "$certs/kit.p12" \
            -passout file:"$certs/password" >/dev/null 2>&1 &&
        signed=$(QUORVEL_SIGN_PKCS12="$certs/kit.p12" QUORVEL_SIGN_PASSWORD_FILE="$certs/password" \
                 "$repo/scripts/lay-out-kit.sh" "$work/signed" $archs); then
    check "a signed kit's README.txt says it is signed" grep -q "^Signed: " "$signed/README.txt"
    for program in "$signed"/bin/*/*.dll "$signed"/tools/*/*.exe; do
        label=${program#"$signed"/}
        if osslsigncode verify -in "$program" -CAfile "$certs/cert.pem" -ignore-crl >"$work/verify.log" 2>&1; then
            pass "$label carries a signature that verifies"
        else
            fail "$label: $(tail -3 "$work/verify.log")"
        fi
    done
    for program in "$kit"/bin/*/Quorvel.dll; do
        osslsigncode verify -in "$program" -CAfile "$certs/cert.pem" >/dev/null 2>&1 &&
            fail "the unsigned kit's ${program#"$kit"/} verifies" ||
            pass "the unsigned kit's ${program#"$kit"/} carries no signature"
    done
else
    fail "the signed kit could not be laid out"
fi

[ "$failures" = 0 ] || { echo "kit test: $failures failed"; exit 1; }
echo "kit test: passed"
