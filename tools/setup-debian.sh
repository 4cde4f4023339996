#!/usr/bin/env bash
# Installs what building, running and testing Tessarine needs on Debian 12.
# Only Debian packages; safe to run again (installs only what is missing).
set -euo pipefail

packages=(
  # build
  cmake make g++ g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev googletest libgtest-dev
  # run under Wine on a (virtual) X display
  wine wine64 libwine xvfb openbox xdotool x11-utils imagemagick libgl1-mesa-dri locales
  fonts-ipafont-gothic fonts-ipafont-mincho
  # several monitors: an Xorg server with the dummy driver, laid out with xrandr
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  # sound: a private PulseAudio server, Wine's MP3 path, test sounds
  pulseaudio pulseaudio-utils gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  sox libsox-fmt-mp3 lame
  # picture generators
  python3 python3-pil
  # the release: the setup program, signing, a throw-away certificate for its test
  nsis osslsigncode openssl
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine only takes code page 932 from LANG=ja_JP.UTF-8 when that locale exists.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  $sudo sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
