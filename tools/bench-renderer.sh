#!/usr/bin/env bash
# Builds the renderer's benchmark and runs it under Wine on the private virtual
# display: it draws the renderer's scene with the renderer's code for a number
# of frames at a size and prints frames per second and CPU time per frame.
#   tools/bench-renderer.sh [frames] [width] [height]     (default 1000 1280 720)
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
export TESSARINE_BUILD_DIR="${TESSARINE_BUILD_DIR:-$repo/build}"

"$repo/tools/build.sh" >/dev/null
# shellcheck source=tools/wine-env.sh
source "$repo/tools/wine-env.sh"
wine "$TESSARINE_BUILD_DIR/win/renderer/bench/tessarine_renderer_bench.exe" "$@"
