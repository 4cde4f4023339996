#!/usr/bin/env bash
# Builds the renderer's benchmark and runs it under Wine: it draws the
# renderer's scene with the renderer's code for a number of frames and prints
# frames per second and CPU time per frame.
#   tools/bench-renderer.sh          one 1366 x 768 monitor, then two side by side
#   tools/bench-renderer.sh frames [width] [height] [monitors]   (default 1000 1280 720 1)
# With no arguments it runs on the test environment's display with two
# monitors, where no window manager squeezes a window wider than one monitor;
# with arguments, on the private virtual display.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
export TESSARINE_BUILD_DIR="${TESSARINE_BUILD_DIR:-$repo/build}"
bench="$TESSARINE_BUILD_DIR/win/renderer/bench/tessarine_renderer_bench.exe"

"$repo/tools/build.sh" >/dev/null
if [ $# -gt 0 ]; then
  # shellcheck source=tools/wine-env.sh
  source "$repo/tools/wine-env.sh"
  wine "$bench" "$@"
else
  export TESSARINE_MONITORS=1
  source "$repo/tools/wine-env.sh"
  trap tessarine_monitors_stop EXIT
  wine "$bench" 1000 1366 768 1
  wine "$bench" 1000 1366 768 2
fi
