#!/usr/bin/env bash
# Source this file to get a ready Wine environment for Tessarine:
#   - a private Wine prefix (code page 932 through LANG=ja_JP.UTF-8),
#   - a private Xvfb display of 1366 x 768 x 24 with the openbox window
#     manager on it, as a desktop has one (unless TESSARINE_USE_DISPLAY=1 keeps
#     the current $DISPLAY),
#   - a private PulseAudio server with a null sink "nullsink" whose monitor
#     records what plays (PULSE_SERVER points Wine and parec at it).
# Everything lives under $TESSARINE_BUILD_DIR/run (default build/run); calling
# it again reuses what is already running. tessarine_env_stop ends it all.

_tessarine_repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TESSARINE_BUILD_DIR="${TESSARINE_BUILD_DIR:-$_tessarine_repo/build}"
_tessarine_run="$TESSARINE_BUILD_DIR/run"
mkdir -p "$_tessarine_run"

export WINEPREFIX="${WINEPREFIX:-$TESSARINE_BUILD_DIR/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

_tessarine_start_xvfb() {
  local num="${TESSARINE_DISPLAY:-93}"
  export DISPLAY=":$num"
  if xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then return 0; fi
  rm -f "/tmp/.X${num}-lock" "/tmp/.X11-unix/X${num}"
  Xvfb "$DISPLAY" -screen 0 "${TESSARINE_SCREEN:-1366x768x24}" -nolisten tcp \
       >"$_tessarine_run/xvfb.log" 2>&1 &
  echo $! >"$_tessarine_run/xvfb.pid"
  for _ in $(seq 1 100); do
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "wine-env: Xvfb did not start on $DISPLAY" >&2
  return 1
}

# Without a window manager Wine draws frames itself and waits about 2 s for
# one whenever a top-level OpenGL window goes; with one it behaves as on a desktop.
_tessarine_wm_running() {
  xprop -display "$DISPLAY" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

_tessarine_start_wm() {
  if _tessarine_wm_running; then return 0; fi
  openbox --sm-disable >"$_tessarine_run/openbox.log" 2>&1 &
  echo $! >"$_tessarine_run/openbox.pid"
  for _ in $(seq 1 100); do
    _tessarine_wm_running && return 0
    sleep 0.1
  done
  echo "wine-env: openbox did not start on $DISPLAY" >&2
  return 1
}

_tessarine_start_pulse() {
  local dir="$_tessarine_run/pulse"
  mkdir -p "$dir/home" "$dir/xdg"
  chmod 700 "$dir/xdg"
  export PULSE_SERVER="unix:$dir/pulse.sock"
  if pactl info >/dev/null 2>&1; then return 0; fi
  rm -f "$dir/pulse.sock"
  HOME="$dir/home" XDG_RUNTIME_DIR="$dir/xdg" \
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no \
      --load="module-null-sink sink_name=nullsink rate=44100 channels=2 norewinds=1" \
      --load="module-native-protocol-unix socket=$dir/pulse.sock auth-anonymous=1" \
      >"$_tessarine_run/pulse.log" 2>&1 &
  echo $! >"$_tessarine_run/pulse.pid"
  for _ in $(seq 1 100); do
    pactl info >/dev/null 2>&1 && { pactl set-default-sink nullsink >/dev/null 2>&1; return 0; }
    sleep 0.1
  done
  echo "wine-env: PulseAudio did not start (sound tests will fail)" >&2
  return 0
}

_tessarine_init_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >"$_tessarine_run/wineboot.log" 2>&1
    wineserver -w
  fi
  # The shell's windows ask for "ＭＳ Ｐゴシック"; let the proportional IPA
  # Gothic stand in for it (Wine's own fallback picks the fixed-pitch one).
  if [ ! -f "$WINEPREFIX/.tessarine-fonts" ]; then
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f \
      >/dev/null 2>&1 && touch "$WINEPREFIX/.tessarine-fonts"
  fi
}

tessarine_env_stop() {
  WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  local f
  for f in "$_tessarine_run/pulse.pid" "$_tessarine_run/openbox.pid" "$_tessarine_run/xvfb.pid"; do
    if [ -f "$f" ]; then
      kill "$(cat "$f")" >/dev/null 2>&1 || true
      rm -f "$f"
    fi
  done
}

if [ "${TESSARINE_USE_DISPLAY:-0}" = "1" ] && [ -n "${DISPLAY:-}" ]; then
  :
else
  _tessarine_start_xvfb && _tessarine_start_wm
fi
_tessarine_start_pulse
_tessarine_init_prefix
