#!/usr/bin/env bash
# The host kit's link test, for the architectures given (default: both), on builds
# already made. It lays the kit out in build/kit and checks, per architecture:
#   - the DLLs a host ships are stripped and import only system DLLs (and SkinMM.dll);
#   - Quorvel.lib names Quorvel.dll and the export as the Microsoft linker expects
#     (32-bit: the C name _DLL_CreateConference, imported undecorated);
#   - a small C host links against each import library and imports the export by name;
# and runs the C hosts where this machine can run the architecture, under Wine, through
# the export: the dialog opens and is cancelled, the record comes back, and the DLL's
# version resource states the build's version.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
archs=${*:-i686 x86_64}
kit=$("$repo/scripts/lay-out-kit.sh" "$repo/build/kit" $archs)
version=${kit##*/Quorvel-}
work="$repo/build/kit-test"
rm -rf "$work"
mkdir -p "$work"
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

for arch in $archs; do
    case $arch in
        i686) name=x86 triple=i686-w64-mingw32 symbol=_DLL_CreateConference ;;
        x86_64) name=x64 triple=x86_64-w64-mingw32 symbol=DLL_CreateConference ;;
    esac
    echo "== kit, $arch ($name) =="
    bin="$kit/bin/$name" lib="$kit/lib/$name"

    # Outputs are kept whole before they are searched: with pipefail, "grep -q" closing a
    # pipe early would fail the command before it.
    for dll in Quorvel.dll SkinMM.dll; do
        sections=$("$triple-objdump" -h "$bin/$dll")
        symbols=$(LC_ALL=C "$triple-nm" "$bin/$dll" 2>&1 || true)
        if grep -q '\.debug_' <<<"$sections" || [ "${symbols##*: }" != "no symbols" ]; then
            fail "$name/$dll is not stripped"
        else
            pass "$name/$dll stripped, $(stat -c %s "$bin/$dll") bytes"
        fi
    done
    imports=$("$triple-objdump" -p "$bin/Quorvel.dll" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
    others=$(for d in $imports; do
        case $d in
            kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|ole32.dll|oleaut32.dll|shlwapi.dll|msvcrt.dll|skinmm.dll) ;;
            *) printf '%s ' "$d" ;;
        esac
    done)
    [ -z "$others" ] && pass "$name/Quorvel.dll imports $imports" || fail "$name/Quorvel.dll imports $others"

    # The Microsoft import library: the symbols a Microsoft-built host links to, the DLL
    # it names, and (32-bit) the import by the undecorated name.
    symbols=$(llvm-nm "$lib/Quorvel.lib" 2>/dev/null | awk '$2 == "T" { print $3 }' | sort | tr '\n' ' ')
    [ "$symbols" = "$symbol __imp_$symbol " ] && pass "$name/Quorvel.lib defines $symbols" || fail "$name/Quorvel.lib defines '$symbols'"
    member=$(llvm-readobj "$lib/Quorvel.lib" | awk '/COFF-import-file/ { found = 1 } found')
    grep -q "^File: Quorvel.dll" <<<"$(llvm-readobj "$lib/Quorvel.lib")" && pass "$name/Quorvel.lib names Quorvel.dll" || fail "$name/Quorvel.lib does not name Quorvel.dll"
    expected_type=name
    [ "$arch" = i686 ] && expected_type=noprefix
    grep -q "Name type: $expected_type" <<<"$member" && pass "$name/Quorvel.lib imports by name type '$expected_type'" || fail "$name/Quorvel.lib: $member"

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

    # The sample host from the kit's own build file, as a MinGW team would build it.
    sample="$work/sample-$name"
    if cmake -S "$kit/sample" -B "$sample" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-$arch.cmake" >"$work/sample-$name.log" 2>&1 &&
            cmake --build "$sample" -j2 >>"$work/sample-$name.log" 2>&1; then
        pass "the sample host builds from the kit's sample/CMakeLists.txt"
    else
        fail "the sample host does not build from the kit: $(tail -5 "$work/sample-$name.log")"
    fi

    quorvel_can_run "$arch" "kit hosts" || continue
    if [ -x "$sample/quorvel-host.exe" ] || [ -f "$sample/quorvel-host.exe" ]; then
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
                grep -q "^version $version" <<<"$output" && grep -q "^record complete" <<<"$output"; then
            pass "$(basename "$exe") ran through the export: $(tr '\r\n' '  ' <<<"$output")"
        else
            fail "$(basename "$exe"): $output"
        fi
    done
done
[ "$failures" = 0 ] || { echo "kit link test: $failures failed"; exit 1; }
echo "kit link test: passed"
