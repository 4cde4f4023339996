#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test: the native
# unit tests (under ASan/UBSan) and the Windows test programs under Wine.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
export TESSARINE_BUILD_DIR="${TESSARINE_BUILD_DIR:-$repo/build}"

"$repo/tools/setup-debian.sh"
"$repo/tools/build.sh" --all
# The release that the install tests take (reuses the build above).
"$repo/tools/package.sh" >/dev/null

status=0
echo "== native unit tests"
ctest --test-dir "$TESSARINE_BUILD_DIR/native" --output-on-failure -j "$(nproc)" || status=1

echo "== Windows tests under Wine"
# shellcheck source=tools/wine-env.sh
source "$repo/tools/wine-env.sh"
trap tessarine_env_stop EXIT
# Warm the prefix up once: the first program in a new prefix is slow to start.
wine cmd /c exit >/dev/null 2>&1 || true
ctest --test-dir "$TESSARINE_BUILD_DIR/win" --output-on-failure "$@" || status=1

exit $status
