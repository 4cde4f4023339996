#!/usr/bin/env bash
# Builds the renderer's benchmark and runs it under Wine. With no arguments it
# prints, in one run and side by side at 1366 x 768:
#   - the scene drawn flat out by a bare loop with the renderer's code, as
#     today and with --density 3,
#   - the same loop held to 60 frames a second by a plain sleep,
#   - Tessarine.dll itself, paced by its own loop, and then minimised; then
#     started with --density 3 and with --max-fps 30,
# each as frames per second and CPU-seconds per second (the renderer's from
# /proc/PID/stat), with the renderer's ratios to the two bare loops and of its
# options to today's picture; then the scene flat out over two monitors side
# by side.
#   tools/bench-renderer.sh                      all of that
#   tools/bench-renderer.sh [--held FPS] frames [width] [height] [monitors] [options]
#                                                one bare loop (default 1000 1280 720 1)
# TESSARINE_BENCH_SECONDS sets the renderer's measured span (default 10);
# TESSARINE_BENCH_RENDERER another Tessarine.dll to measure (say, an older build).
# The machine's other work shows in the figures: compare the ratios of one
# run, and run it more than once.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
export TESSARINE_BUILD_DIR="${TESSARINE_BUILD_DIR:-$repo/build}"
bench="$TESSARINE_BUILD_DIR/win/renderer/bench/tessarine_renderer_bench.exe"
renderer="${TESSARINE_BENCH_RENDERER:-$repo/dist/Tessarine.dll}"
seconds="${TESSARINE_BENCH_SECONDS:-10}"

"$repo/tools/build.sh" >/dev/null
# shellcheck source=tools/wine-env.sh
source "$repo/tools/wine-env.sh"
if [ $# -gt 0 ]; then
  wine "$bench" "$@"
  exit 0
fi

# CPU-seconds per second of a bare loop's run: its own last figure.
cpu_rate_of() { sed -n 's/^CPU-seconds per second: //p' <<<"$1"; }
# User and system time of a process so far, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
now() { date +%s.%N; }
per_second() { awk -v a="$1" -v b="$2" -v t0="$3" -v t1="$4" -v hz="$(getconf CLK_TCK)" \
  'BEGIN { printf "%.3f", (b - a) / hz / (t1 - t0) }'; }

# Starts the renderer with the given options and prints its frames and
# CPU-seconds per second over the measured span; it keeps running ($pid), and
# its CPU-seconds per second are in $paced.
measure_renderer() {
  echo "== $(basename "$renderer")${*:+ $*} full screen, ${seconds} s"
  wine "$renderer" "$@" &
  pid=$!
  wine "$bench" --watch 3 >/dev/null  # its window is up, its first seconds are over
  local a b t0 t1
  a="$(cpu_ticks "$pid")" t0="$(now)"
  wine "$bench" --watch "$seconds"
  b="$(cpu_ticks "$pid")" t1="$(now)"
  paced="$(per_second "$a" "$b" "$t0" "$t1")"
  echo "CPU-seconds per second: $paced"
}
end_renderer() {
  wine "$bench" --post escape
  wait "$pid" || true
}

echo "== the scene flat out, 1366 x 768 (a bare loop)"
flat="$(wine "$bench" 1000 1366 768 1)"
echo "$flat"
echo "== the same loop with --density 3"
wine "$bench" 1000 1366 768 1 --density 3
echo "== the same loop held to 60 frames a second"
held="$(wine "$bench" --held 60 $((seconds * 60)) 1366 768 1)"
echo "$held"

measure_renderer
standard="$paced"
wine "$bench" --post minimise
sleep 1
a="$(cpu_ticks "$pid")" t0="$(now)"
echo "minimised: $(wine "$bench" --watch "$seconds")"
b="$(cpu_ticks "$pid")" t1="$(now)"
echo "minimised: CPU-seconds per second: $(per_second "$a" "$b" "$t0" "$t1")"
end_renderer
measure_renderer --density 3
dense="$paced"
end_renderer
measure_renderer --max-fps 30
limited="$paced"
end_renderer

awk -v r="$standard" -v h="$(cpu_rate_of "$held")" -v f="$(cpu_rate_of "$flat")" -v d="$dense" -v l="$limited" 'BEGIN {
  printf "renderer / loop held to 60: %.2f (goal: at most 1.2)\n", r / h
  printf "renderer / loop flat out:   %.2f (goal: at most 0.85)\n", r / f
  printf "renderer --density 3 / renderer: %.2f\n", d / r
  printf "renderer --max-fps 30 / renderer: %.2f\n", l / r }'

# Two monitors: the test environment's display with two, where no window
# manager squeezes a window wider than one monitor.
echo "== the scene flat out over two 1366 x 768 monitors side by side"
export TESSARINE_MONITORS=1
source "$repo/tools/wine-env.sh"
trap tessarine_monitors_stop EXIT
wine "$bench" 1000 1366 768 2
