#!/usr/bin/env bash
# Builds the Windows programs into dist/ (and the Windows test programs), and,
# with --native, the platform-free code and its unit tests for this machine.
#   tools/build.sh            cross build only
#   tools/build.sh --native   native build only
#   tools/build.sh --all      both
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${TESSARINE_BUILD_DIR:-$repo/build}"
jobs="$(nproc)"
what="${1:-}"

if [ "$what" != "--native" ]; then
  cmake -S "$repo" -B "$build/win" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$build/win" -j "$jobs"
fi
if [ "$what" = "--native" ] || [ "$what" = "--all" ]; then
  cmake -S "$repo" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$build/native" -j "$jobs"
fi
