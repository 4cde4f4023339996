#!/usr/bin/env bash
# The saver's music as heard: runs the real Tessarine.scr /s under Wine with a
# stand-in renderer, records the private PulseAudio null sink and measures the
# recording (envelope.py). Test sounds are made here with sox and lame.
#   sound_test.sh DIST_DIR TEST_RENDERER HOLD_FILE WORK_DIR [CASE...]
# Cases: mp3 wav japanese unicode cd held broken truncated nosound (all when none is named).
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
dist="$1" renderer="$2" hold_file="$3" work="$4"
shift 4
cases=("$@")
[ ${#cases[@]} -eq 0 ] && cases=(mp3 wav japanese unicode cd held broken truncated nosound)

# shellcheck source=tools/wine-env.sh
source "$repo/tools/wine-env.sh" || exit 1
rm -rf "$work"
mkdir -p "$work"
failures=0
shell_pid="" parec_pid="" holder_pid=""
# The recorder always listens to the private server, whichever one the shell is given.
recording_server="$PULSE_SERVER"

now() { date +%s.%N; }
since() { echo "$1 $2" | awk '{printf "%.2f", $2 - $1}'; }
windows_path() { echo "Z:${1//\//\\}"; }
renderer_window() { xdotool search --name '^Tessarine_VC$' 2>/dev/null | head -n 1; }

# poll CONDITION-COMMAND TIMEOUT-SECONDS
poll() {
  local end
  end=$(awk -v t="$(now)" -v d="$2" 'BEGIN {printf "%.3f", t + d}')
  until eval "$1"; do
    awk -v t="$(now)" -v e="$end" 'BEGIN {exit !(t > e)}' && return 1
    sleep 0.05
  done
}

cleanup() {
  [ -n "$parec_pid" ] && kill -INT "$parec_pid" 2>/dev/null
  if [ -n "$shell_pid" ] && kill -0 "$shell_pid" 2>/dev/null; then kill "$shell_pid" 2>/dev/null; fi
  if [ -n "$holder_pid" ]; then
    kill "$holder_pid" 2>/dev/null
    wait "$holder_pid" 2>/dev/null
  fi
  # A renderer left behind would keep the next run alive.
  local w
  w=$(renderer_window)
  [ -n "$w" ] && xdotool key --window "$w" Escape 2>/dev/null
  poll '[ -z "$(renderer_window)" ]' 10 || true
  shell_pid="" parec_pid="" holder_pid=""
}
trap 'cleanup; no_default_sound' EXIT

# A 1.5-second file: 0.3 s of a loud 880 Hz tone, then 1.2 s of a quiet 440 Hz
# one, so that each new start of the file shows as a loud opening; and the
# user's default sound, a 660 Hz beep.
make_sounds() {
  sox -n -r 44100 -c 2 -b 16 "$work/loud.wav" synth 0.3 sine 880 vol 0.8
  sox -n -r 44100 -c 2 -b 16 "$work/quiet.wav" synth 1.2 sine 440 vol 0.25
  sox "$work/loud.wav" "$work/quiet.wav" "$work/pattern.wav"
  lame --quiet -b 192 "$work/pattern.wav" "$work/pattern.mp3"
  sox -n -r 44100 -c 2 -b 16 "$work/default.wav" synth 0.5 sine 660 vol 0.8
}

# Windows plays the user's default sound in place of a sound that it cannot
# play, unless the program asks it not to.
default_sound() {
  wine reg add 'HKCU\Control Panel\Sounds' /v Default /t REG_SZ /d "$(windows_path "$work/default.wav")" /f \
    >/dev/null 2>&1
}
no_default_sound() { wine reg delete 'HKCU\Control Panel\Sounds' /v Default /f >/dev/null 2>&1; }

# prepare NAME KIND MUSIC-FILE: a saver folder with its settings file.
prepare() {
  local dir="$work/$1"
  mkdir -p "$dir"
  cp "$dist/Tessarine.scr" "$dir/"
  cp "$renderer" "$dir/Tessarine.dll"
  printf 'open_after_ms=0\n' >"$dir/test_renderer.txt"
  {
    printf '[Section]\r\nBGM区分= %s\r\n' "$2"
    [ -n "$3" ] && printf 'BGMﾌｧｲﾙ=%s\r\n' "$(windows_path "$3")"
  } | iconv -f UTF-8 -t CP932 >"$dir/Tessarine.ini"
}

# run NAME SECONDS [TAIL]: runs the saver for SECONDS after the renderer's
# window appeared, then releases Escape in it; records throughout and TAIL
# seconds (default 1) after the shell's end. Sets `gone` (when the renderer's
# window went, seconds into the recording) and `shell_code`.
run() {
  local dir="$work/$1" raw="$work/$1.raw" start_time start_bytes escape_time gone_time
  PULSE_SERVER="$recording_server" parec -d nullsink.monitor --format=s16le --rate=44100 --channels=2 --raw \
    >"$raw" &
  parec_pid=$!
  poll "[ -s '$raw' ]" 10 || { echo "parec records nothing"; return 1; }
  start_time=$(now) start_bytes=$(stat -c %s "$raw")

  wine "$dir/Tessarine.scr" /s >"$work/$1.log" 2>&1 &
  shell_pid=$!
  poll '[ -n "$(renderer_window)" ]' 60 || { echo "no renderer window"; return 1; }
  sleep "$2"  # the music plays for this long
  kill -0 "$shell_pid" 2>/dev/null || { echo "the shell ended while the renderer was up"; return 1; }

  escape_time=$(now)
  xdotool key --window "$(renderer_window)" Escape 2>/dev/null
  poll '[ -z "$(renderer_window)" ]' 30 || { echo "the renderer did not end on Escape"; return 1; }
  gone_time=$(now)
  poll "! kill -0 $shell_pid 2>/dev/null" 30 || { echo "the shell did not end"; return 1; }
  echo "$1: renderer's window gone $(since "$escape_time" "$gone_time") s after Escape," \
       "shell ended $(since "$gone_time" "$(now)") s after that"
  wait "$shell_pid"
  shell_code=$?
  shell_pid=""
  sleep "${3:-1}"  # keep recording the silence
  kill -INT "$parec_pid"
  wait "$parec_pid" 2>/dev/null
  parec_pid=""
  gone=$(awk -v g="$gone_time" -v s="$start_time" -v b="$start_bytes" 'BEGIN {printf "%.3f", g - s + b / 176400}')
  [ "$shell_code" -eq 0 ] || { echo "the shell's exit code was $shell_code"; return 1; }
}

check() {
  local name="$1"
  shift
  echo "== $name"
  if "$@"; then echo "-- $name: passed"; else echo "-- $name: FAILED"; failures=$((failures + 1)); fi
  cleanup
}

envelope() { /usr/bin/python3 "$here/envelope.py" "$work/$1.raw" "${@:2}"; }

# At most the encoder's own padding (a few tens of milliseconds) and a
# prompt restart between the end of the file and its new start.
case_mp3() {
  prepare mp3 2 "$work/pattern.mp3"
  run mp3 7 && envelope mp3 mp3 length=1.5 gap=0.15 gone="$gone"
}

case_wav() {
  prepare wav 2 "$work/pattern.wav"
  run wav 5 && envelope wav wav length=1.5 gone="$gone"
}

case_japanese() {
  local folder="$work/音楽フォルダ"
  mkdir -p "$folder"
  cp "$work/pattern.mp3" "$folder/テスト曲.mp3"
  prepare japanese 2 "$folder/テスト曲.mp3"
  run japanese 2 && envelope japanese plays gone="$gone"
}

# A name that code page 932 cannot spell, stored in its short form as the
# settings dialog stores it.
case_unicode() {
  local song="$work/Bjørk/Café 〜 Été.mp3"
  mkdir -p "$work/Bjørk" && cp "$work/pattern.mp3" "$song" || return 1
  prepare unicode 2 ""  # the file's key follows
  printf 'BGMﾌｧｲﾙ=%s\r\n' "$(winepath -s "$(windows_path "$song")")" | iconv -f UTF-8 -t CP932 \
    >>"$work/unicode/Tessarine.ini"
  run unicode 2 && envelope unicode plays gone="$gone"
}

# No CD drive here: the watch asks once, finds an error and stops; the run
# goes on and shows nothing. Wine's MCI trace lists every command sent.
case_cd() {
  prepare cd 1 ""
  WINEDEBUG=trace+mci run cd 2 || return 1
  local log="$work/cd.log" queries
  sent() { grep -c "mciSendStringW (L\"$1\"" "$log"; }
  queries=$(sent 'status cdaudio current track')
  echo "cd: sent 'open cdaudio' $(sent 'open cdaudio') time(s), 'status cdaudio current track' $queries," \
       "'status cdaudio number of tracks' $(sent 'status cdaudio number of tracks'), 'close cdaudio' $(sent 'close cdaudio')"
  [ "$(sent 'open cdaudio')" -eq 1 ] || { echo "the CD device was not opened once"; return 1; }
  [ "$queries" -eq 1 ] || { echo "the CD watch asked $queries times"; return 1; }
  [ "$(sent 'close cdaudio')" -eq 0 ] || { echo "a stopped watch still closed the device"; return 1; }
}

# WAV files that cannot be played, with a default sound set for the user:
# the run goes on in silence.
case_held() {
  cp "$work/pattern.wav" "$work/held.wav"
  wine "$hold_file" "$(windows_path "$work/held.wav")" 60 >"$work/holder.out" 2>&1 &
  holder_pid=$!
  poll "grep -q held '$work/holder.out'" 30 || { echo "could not hold the WAV open"; return 1; }
  prepare held 2 "$work/held.wav"
  run held 2 0 && envelope held silent
}

case_broken() {
  head -c 200000 /dev/urandom >"$work/broken.wav"
  prepare broken 2 "$work/broken.wav"
  run broken 1 0 && envelope broken silent
}

# Cut inside its header, as an interrupted copy leaves it.
case_truncated() {
  head -c 40 "$work/pattern.wav" >"$work/truncated.wav"
  prepare truncated 2 "$work/truncated.wav"
  run truncated 1 0 && envelope truncated silent
}

# No sound server to reach, so no sound output at all: the run starts and
# ends as usual with each kind of music.
# run_without_sound NAME KIND MUSIC-FILE SECONDS
run_without_sound() {
  prepare "$1" "$2" "$3"
  PULSE_SERVER="unix:$work/no-server.sock" WINEDEBUG=trace+winmm run "$1" "$4" 0
}

case_nosound() {
  # Opening the MP3 takes a few seconds to fail: the renderer stays up until
  # the shell has looked for it, or the shell would wait for it to appear.
  run_without_sound nosound-cd 1 "" 1 && run_without_sound nosound-wav 2 "$work/pattern.wav" 1 &&
    run_without_sound nosound-mp3 2 "$work/pattern.mp3" 4 || return 1
  grep -q 'waveOutGetNumDevs count: 0' "$work/nosound-wav.log" || { echo "there was a sound output"; return 1; }
}

make_sounds
default_sound
for c in "${cases[@]}"; do check "$c" "case_$c"; done
exit $((failures > 0))
