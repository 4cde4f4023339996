#!/usr/bin/env bash
# Makes (once) a Wine prefix whose screen has the given dots per inch, for
# the tests at other scales. Usage: make-dpi-prefix.sh PREFIX DPI
set -euo pipefail
export WINEPREFIX="$1"
dpi="$2"
source "$(dirname "$0")/../../tools/wine-env.sh"
if [ ! -f "$WINEPREFIX/.logpixels-$dpi" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  wineserver -w
  touch "$WINEPREFIX/.logpixels-$dpi"
fi
