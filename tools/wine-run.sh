#!/usr/bin/env bash
# Runs a Windows program under Tessarine's Wine environment (CTest's emulator).
source "$(dirname "$0")/wine-env.sh" || exit 1
exec wine "$@"
