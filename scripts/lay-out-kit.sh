#!/usr/bin/env bash
# Lays out the host kit from the builds of the given architectures (default: both):
#   lay-out-kit.sh DEST [ARCH...]   makes DEST/Quorvel-<version>/ and DEST/Quorvel-<version>.zip
#                                   and prints the folder's path
# bin/ has the stripped DLLs a host ships and tools/ the host-folder checker, each with its PDB; lib/ the
# import libraries for MinGW and for the Microsoft linker and the CMake package; cmake/ the MinGW-w64 toolchain files; include/, sample/
# and docs/ are copied from the tree. Used by package.sh and by the kit's test.
#
# Signing: with QUORVEL_SIGN_PKCS12 (a PKCS#12 file of the certificate and its key) and
# QUORVEL_SIGN_PASSWORD_FILE (a file holding its password), the DLLs and tools are signed
# with osslsigncode (SHA-256; a time stamp from QUORVEL_SIGN_TIMESTAMP_URL when set).
# Without them the kit is unsigned, and its README.txt says so.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
dest=$1
shift
archs=${*:-i686 x86_64}

version=$(sed -n 's/^#define QUORVEL_VERSION_TEXT "\(.*\)"$/\1/p' "$repo/include/Quorvel.h")
[ -n "$version" ] || { echo "lay-out-kit: no QUORVEL_VERSION_TEXT in include/Quorvel.h" >&2; exit 1; }
for arch in $archs; do
    for file in Quorvel.dll Quorvel.pdb SkinMM.dll SkinMM.pdb quorvel-check.exe quorvel-check.pdb; do
        [ -f "$repo/build/$arch/bin/$file" ] || { echo "lay-out-kit: $arch is not built ($file missing)" >&2; exit 1; }
    done
done

signing=
if [ -n "${QUORVEL_SIGN_PKCS12:-}" ]; then
    [ -f "$QUORVEL_SIGN_PKCS12" ] || { echo "lay-out-kit: QUORVEL_SIGN_PKCS12: no file $QUORVEL_SIGN_PKCS12" >&2; exit 1; }
    [ -f "${QUORVEL_SIGN_PASSWORD_FILE:-}" ] ||
        { echo "lay-out-kit: QUORVEL_SIGN_PASSWORD_FILE must name the file of the certificate's password" >&2; exit 1; }
    signing=1
fi
# Authenticode, in place.
sign() {
    local timestamp=()
    [ -z "${QUORVEL_SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$QUORVEL_SIGN_TIMESTAMP_URL")
    osslsigncode sign -pkcs12 "$QUORVEL_SIGN_PKCS12" -readpass "$QUORVEL_SIGN_PASSWORD_FILE" -h sha256 \
        -n "Quorvel $version" "${timestamp[@]}" -in "$1" -out "$1.signed" >/dev/null
    mv "$1.signed" "$1"
}

kit="$dest/Quorvel-$version"
rm -rf "$kit" "$kit.zip"
mkdir -p "$kit/include" "$kit/docs" "$kit/sample/host" "$kit/sample/folder" "$kit/lib/cmake/Quorvel" "$kit/cmake"

for arch in $archs; do
    case $arch in
        i686) name=x86 machine=i386 triple=i686-w64-mingw32 ;;
        x86_64) name=x64 machine=i386:x86-64 triple=x86_64-w64-mingw32 ;;
        *) echo "lay-out-kit: unknown architecture $arch" >&2; exit 1 ;;
    esac
    build="$repo/build/$arch"
    mkdir -p "$kit/bin/$name" "$kit/lib/$name" "$kit/tools/$name"
    # The DLLs are stripped as they are built: these are the very bytes the tests loaded.
    cp "$build/bin/Quorvel.dll" "$build/bin/SkinMM.dll" "$kit/bin/$name/"
    "$triple-strip" --strip-all -o "$kit/tools/$name/quorvel-check.exe" "$build/bin/quorvel-check.exe"
    # Their PDBs, which the stripped files still name.
    cp "$build/bin/Quorvel.pdb" "$build/bin/SkinMM.pdb" "$kit/bin/$name/"
    cp "$build/bin/quorvel-check.pdb" "$kit/tools/$name/"
    cp "$build/lib/libQuorvel.dll.a" "$kit/lib/$name/"
    # For the Microsoft linker: from the .def, so that the 32-bit one resolves the name a
    # Microsoft compiler gives the C declaration (_DLL_CreateConference) to the export.
    llvm-dlltool -m "$machine" -D Quorvel.dll -d "$repo/entry/Quorvel.def" -l "$kit/lib/$name/Quorvel.lib"
    if [ -n "$signing" ]; then
        for program in "$kit/bin/$name"/*.dll "$kit/tools/$name"/*.exe; do sign "$program"; done
    fi
done
version_file="$repo/build/${archs%% *}/cmake/QuorvelConfigVersion.cmake"
cp "$repo/host/kit/QuorvelConfig.cmake" "$version_file" "$kit/lib/cmake/Quorvel/"
cp "$repo/host/kit/cmake/"*.cmake "$kit/cmake/"

cp "$repo/include/Quorvel.h" "$kit/include/"
cp "$repo/LICENSE" "$repo/CHANGELOG.md" "$kit/"
cp "$repo/docs/host-guide.md" "$repo/docs/check-host.md" "$kit/docs/"
cp "$repo/host/HostMain.cpp" "$repo/host/Screenshot.cpp" "$repo/host/Screenshot.h" "$kit/sample/host/"
# The sample host's scripted run drives the dialogs by their control ids.
mkdir -p "$kit/sample/res"
cp "$repo/res/resource.h" "$kit/sample/res/"
cp "$repo/host/kit/CMakeLists.txt" "$kit/sample/"
cp -r "$repo/host/sample/." "$kit/sample/folder/"

if [ -n "$signing" ]; then
    signature="Signed: the DLLs of bin\\ and the tools of tools\\ carry an Authenticode signature (SHA-256)."
else
    signature="Not signed: the DLLs of bin\\ and the tools of tools\\ carry no signature; sign them with your own certificate before you ship them."
fi
sed -e "s/@VERSION@/$version/" -e "s|@SIGNATURE@|${signature//\\/\\\\}|" "$repo/host/kit/README.txt" >"$kit/README.txt"
(cd "$dest" && zip -qr -X "Quorvel-$version.zip" "Quorvel-$version")
echo "$kit"
