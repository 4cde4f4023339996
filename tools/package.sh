#!/usr/bin/env bash
# Makes the release in dist/: Tessarine-<version>-win64-setup.exe,
# Tessarine-<version>-win64.zip and SHA256SUMS. The version is the CMake
# project version. Installs what is missing first; reuses the cross build in
# $TESSARINE_BUILD_DIR/win (default build/win) when there is one.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${TESSARINE_BUILD_DIR:-$repo/build}/win"

"$repo/tools/setup-debian.sh"
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target tessarine_release

dist="$(sed -n 's/^TESSARINE_DIST_DIR:PATH=//p' "$build/CMakeCache.txt")"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
cd "$dist"
files=("Tessarine-$version-win64-setup.exe" "Tessarine-$version-win64.zip")
sha256sum "${files[@]}" >SHA256SUMS
echo "package: in $dist"
ls -l "${files[@]}" SHA256SUMS
