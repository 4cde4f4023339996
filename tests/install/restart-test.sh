#!/usr/bin/env bash
# The install tests' removal left to the next restart, with Windows restarted
# between the two halves as a user restarts it: the prefix's wineserver ended,
# then `wineboot -r`, which carries out what was left to the restart.
# Usage: restart-test.sh TEST_PROGRAM (WINEPREFIX: the install tests' prefix)
set -euo pipefail
source "$(dirname "$0")/../../tools/wine-env.sh"
wine "$1" --gtest_filter='SetupAcrossARestart.ARemovalWaits*'
wineserver -k || true
wineserver -w
wineboot -r
wine "$1" --gtest_filter='SetupAcrossARestart.Then*'
