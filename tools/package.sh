#!/usr/bin/env bash
# Makes the release in dist/: Tessarine-<version>-win64-setup.exe,
# Tessarine-<version>-win64.zip and SHA256SUMS, the same bytes from the same
# commit wherever and whenever it is built (installer/make_release.py; every
# time stamp is SOURCE_DATE_EPOCH, else the commit's time). The version is the
# CMake project version. Installs what is missing first; reuses the cross
# build in $TESSARINE_BUILD_DIR/win (default build/win) when there is one.
# Signs the programs, the uninstaller and the setup program when
# TESSARINE_SIGN_PFX (a PKCS#12 file) and TESSARINE_SIGN_PASSWORD are set,
# with a time stamp from TESSARINE_SIGN_TIMESTAMP_URL when that is set too.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${TESSARINE_BUILD_DIR:-$repo/build}/win"

"$repo/tools/setup-debian.sh"
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null
dist="$(sed -n 's/^TESSARINE_DIST_DIR:PATH=//p' "$build/CMakeCache.txt")"
# Made again each time: signed or not as the environment says now.
rm -f "$dist/SHA256SUMS"
cmake --build "$build" -j "$(nproc)" --target tessarine_release

echo "package: in $dist${TESSARINE_SIGN_PFX:+ (signed)}"
cat "$dist/SHA256SUMS"
