#!/usr/bin/env bash
# Installs what is missing, builds, and runs the screen saver under Wine.
# With a reachable X display ($DISPLAY) it runs there until Escape is released.
# Without one it runs on a private virtual display for a few seconds and
# writes a screenshot to build/screenshot.png.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
export TESSARINE_BUILD_DIR="${TESSARINE_BUILD_DIR:-$repo/build}"

"$repo/tools/setup-debian.sh"
"$repo/tools/build.sh"

program="$repo/dist/Tessarine.scr"
args=(/s)
if [ ! -f "$program" ]; then program="$repo/dist/Tessarine.dll"; args=(); fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export TESSARINE_USE_DISPLAY=1
  # shellcheck source=tools/wine-env.sh
  source "$repo/tools/wine-env.sh"
  wine "$program" "${args[@]}"
  wineserver -w
else
  unset DISPLAY
  source "$repo/tools/wine-env.sh"
  trap tessarine_env_stop EXIT
  wine "$program" "${args[@]}" &
  for _ in $(seq 1 60); do
    xdotool search --name '^Tessarine_VC$' >/dev/null 2>&1 && break
    sleep 0.5
  done
  sleep 4
  import -window root "$TESSARINE_BUILD_DIR/screenshot.png"
  echo "screenshot: $TESSARINE_BUILD_DIR/screenshot.png"
  xdotool search --name '^Tessarine_VC$' key --window %1 Escape >/dev/null 2>&1 || true
  wineserver -k >/dev/null 2>&1 || true
fi
