#!/usr/bin/env bash
# Lays out the host kit from the builds of the given architectures (default: both):
#   lay-out-kit.sh DEST [ARCH...]   makes DEST/Quorvel-<version>/ and prints its path
# bin/ has the stripped DLLs a host ships, lib/ the import libraries for MinGW and for
# the Microsoft linker, tools/ the host-folder checker; include/, sample/ and docs/ are
# copied from the tree. Used by package.sh and by the kit's link test.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
dest=$1
shift
archs=${*:-i686 x86_64}

version=
for arch in $archs; do
    header="$repo/build/$arch/generated/QuorvelVersion.h"
    [ -f "$header" ] || { echo "lay-out-kit: $arch is not built ($header missing)" >&2; exit 1; }
    v=$(sed -n 's/^#define QUORVEL_VERSION_TEXT "\(.*\)"$/\1/p' "$header")
    [ -z "$version" ] || [ "$version" = "$v" ] || { echo "lay-out-kit: builds of different versions" >&2; exit 1; }
    version=$v
done
kit="$dest/Quorvel-$version"
rm -rf "$kit"
mkdir -p "$kit/include" "$kit/docs" "$kit/sample/host" "$kit/sample/folder"

for arch in $archs; do
    case $arch in
        i686) name=x86 machine=i386 triple=i686-w64-mingw32 ;;
        x86_64) name=x64 machine=i386:x86-64 triple=x86_64-w64-mingw32 ;;
        *) echo "lay-out-kit: unknown architecture $arch" >&2; exit 1 ;;
    esac
    build="$repo/build/$arch"
    mkdir -p "$kit/bin/$name" "$kit/lib/$name" "$kit/tools/$name"
    "$triple-strip" --strip-all -o "$kit/bin/$name/Quorvel.dll" "$build/bin/Quorvel.dll"
    "$triple-strip" --strip-all -o "$kit/bin/$name/SkinMM.dll" "$build/bin/SkinMM.dll"
    "$triple-strip" --strip-all -o "$kit/tools/$name/quorvel-check.exe" "$build/bin/quorvel-check.exe"
    cp "$build/lib/libQuorvel.dll.a" "$kit/lib/$name/"
    # For the Microsoft linker: from the .def, so that the 32-bit one resolves the name a
    # Microsoft compiler gives the C declaration (_DLL_CreateConference) to the export.
    llvm-dlltool -m "$machine" -D Quorvel.dll -d "$repo/entry/Quorvel.def" -l "$kit/lib/$name/Quorvel.lib"
done

cp "$repo/include/Quorvel.h" "$kit/include/"
cp "$repo/docs/host-guide.md" "$repo/docs/check-host.md" "$kit/docs/"
cp "$repo/host/HostMain.cpp" "$repo/host/Screenshot.cpp" "$repo/host/Screenshot.h" "$kit/sample/host/"
# The sample host's scripted run drives the dialogs by their control ids.
mkdir -p "$kit/sample/res"
cp "$repo/res/resource.h" "$kit/sample/res/"
cp "$repo/host/kit/CMakeLists.txt" "$kit/sample/"
cp -r "$repo/host/sample/." "$kit/sample/folder/"
cp "$repo/host/kit/README.txt" "$kit/"
sed -i "s/@VERSION@/$version/" "$kit/README.txt"
echo "$kit"
