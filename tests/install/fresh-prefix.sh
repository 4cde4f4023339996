#!/usr/bin/env bash
# Makes a new, empty Wine prefix for the install tests, as a user's Windows
# without Tessarine. Usage: fresh-prefix.sh PREFIX
set -euo pipefail
export WINEPREFIX="$1"
WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
source "$(dirname "$0")/../../tools/wine-env.sh"
wineserver -w
