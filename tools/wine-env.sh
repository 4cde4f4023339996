#!/usr/bin/env bash
# Source this file to get a ready Wine environment for Tessarine:
#   - a private Wine prefix (code page 932 through LANG=ja_JP.UTF-8),
#   - a private Xvfb display of 1366 x 768 x 24 with the openbox window
#     manager on it, as a desktop has one (unless TESSARINE_USE_DISPLAY=1 keeps
#     the current $DISPLAY),
#   - a private PulseAudio server with a null sink "nullsink" whose monitor
#     records what plays (PULSE_SERVER points Wine and parec at it).
# With TESSARINE_MONITORS=1 the display is instead one with two monitors (see
# tessarine_monitors_start), with a Wine prefix of its own.
# Everything lives under $TESSARINE_BUILD_DIR/run (default build/run); calling
# it again reuses what is already running. tessarine_env_stop ends it all.
# Run as `tools/wine-env.sh stop-monitors`, it ends the display with two
# monitors and its wineserver (the test run's last step).

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

# Several monitors. Xvfb shows Wine one monitor only, so the tests of the saver
# over several monitors get an Xorg server with the dummy driver on
# :$TESSARINE_MONITORS_DISPLAY (197 unless set, clear of the Xvfb displays
# 93 to 99), two 1024 x 768 monitors with the second right of the primary, and
# a Wine prefix of their own, as a wineserver keeps the display it started
# with. No window manager there: openbox ignores _NET_WM_FULLSCREEN_MONITORS,
# which Wine sets on a window that spans several monitors, and squeezes the
# window onto one; without a window manager Wine places it over them all, as
# Windows does (and a destroyed OpenGL window takes about 2 s to go).
_tessarine_monitors_dir="$_tessarine_run/monitors"
_tessarine_monitors_prefix="$TESSARINE_BUILD_DIR/wineprefix-monitors"

_tessarine_monitors_xorg_conf() {
  cat <<'EOF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 4096 2048
  EndSubSection
EndSection
EOF
}

# The second monitor right of the primary, both 1024 x 768. The layout is
# changed only with no wineserver running, which would miss part of it.
_tessarine_monitors_layout() {
  if xrandr | grep -q '^DUMMY0 connected primary 1024x768+0+0' &&
     xrandr | grep -q '^DUMMY1 connected 1024x768+1024+0'; then
    return 0
  fi
  WINEPREFIX="$_tessarine_monitors_prefix" wineserver -k >/dev/null 2>&1 || true
  xrandr --newmode 1024x768p 63.50 1024 1072 1176 1328 768 771 775 798 -hsync +vsync 2>/dev/null || true
  xrandr --addmode DUMMY1 1024x768p 2>/dev/null || true
  xrandr --output DUMMY0 --primary --mode 1024x768 --pos 0x0 --output DUMMY1 --mode 1024x768p --pos 1024x0
  # A full query has the server probe its outputs again: Wine reads only the
  # current state, which until then still shows the second one disconnected.
  xrandr >/dev/null
}

# Points DISPLAY and WINEPREFIX at the display with two monitors, starting it
# when it is not running.
tessarine_monitors_start() {
  local num="${TESSARINE_MONITORS_DISPLAY:-197}" dir="$_tessarine_monitors_dir"
  export DISPLAY=":$num"
  export WINEPREFIX="$_tessarine_monitors_prefix"
  mkdir -p "$dir"
  if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    rm -f "/tmp/.X${num}-lock" "/tmp/.X11-unix/X${num}"
    _tessarine_monitors_xorg_conf >"$dir/dummy.conf"
    Xorg "$DISPLAY" -noreset -nolisten tcp -config "$dir/dummy.conf" -logfile "$dir/xorg.log" \
      >"$dir/xorg.out" 2>&1 &
    echo $! >"$dir/xorg.pid"
    local up=0
    for _ in $(seq 1 100); do
      xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && { up=1; break; }
      sleep 0.1
    done
    if [ "$up" != 1 ]; then
      echo "wine-env: Xorg with the dummy driver did not start on $DISPLAY (see $dir/xorg.log)" >&2
      return 1
    fi
  fi
  _tessarine_monitors_layout
}

tessarine_monitors_stop() {
  WINEPREFIX="$_tessarine_monitors_prefix" wineserver -k >/dev/null 2>&1 || true
  local f="$_tessarine_monitors_dir/xorg.pid"
  if [ -f "$f" ]; then
    kill "$(cat "$f")" >/dev/null 2>&1 || true
    rm -f "$f"
  fi
}

tessarine_env_stop() {
  tessarine_monitors_stop
  WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  local f
  for f in "$_tessarine_run/pulse.pid" "$_tessarine_run/openbox.pid" "$_tessarine_run/xvfb.pid"; do
    if [ -f "$f" ]; then
      kill "$(cat "$f")" >/dev/null 2>&1 || true
      rm -f "$f"
    fi
  done
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  [ "${1:-}" = "stop-monitors" ] && tessarine_monitors_stop
  exit 0
fi

if [ "${TESSARINE_MONITORS:-0}" = "1" ]; then
  tessarine_monitors_start
elif [ "${TESSARINE_USE_DISPLAY:-0}" = "1" ] && [ -n "${DISPLAY:-}" ]; then
  :
else
  _tessarine_start_xvfb && _tessarine_start_wm
fi
_tessarine_start_pulse
_tessarine_init_prefix
