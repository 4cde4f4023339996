#!/usr/bin/env bash
# Makes (once) a Wine prefix whose screen has 120 dots per inch, for the
# preview's scale test. Usage: make-120dpi-prefix.sh PREFIX
set -euo pipefail
export WINEPREFIX="$1"
source "$(dirname "$0")/../../tools/wine-env.sh"
if [ ! -f "$WINEPREFIX/.logpixels-120" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f >/dev/null
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d 120 /f >/dev/null
  wineserver -w
  touch "$WINEPREFIX/.logpixels-120"
fi
