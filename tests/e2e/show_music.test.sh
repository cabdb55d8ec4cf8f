#!/usr/bin/env bash
# platforms: windows
# The Windows build's music in a show, heard: Wine plays into a PulseAudio
# server of the scenario's own, whose only output is a null sink, and the
# sink's monitor is recorded while the show runs. A one-second WAV file loops
# for as long as the show lasts and stops with it; a one-second MP3, played
# through the media control's MPEGVideo device (DirectShow and GStreamer
# under Wine), plays and starts again after it has ended.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

APP="$WORK/app"
mkdir -p "$APP"
cp "$(program Velmoran.scr)" "$(program Velmoran.dll)" "$APP/"
RATE=44100  # the sink's rate: one second of sound is RATE * 4 bytes

# The sound server: no configuration of the machine's, no autospawn, its
# socket in the scenario's folder; Wine and the recorder find it by
# PULSE_SERVER.
PULSE_DIR=$WORK/pulse
mkdir -p "$PULSE_DIR/run" "$PULSE_DIR/config"
HOME=$PULSE_DIR XDG_RUNTIME_DIR=$PULSE_DIR/run XDG_CONFIG_HOME=$PULSE_DIR/config PULSE_RUNTIME_PATH=$PULSE_DIR/run \
  pulseaudio -n --daemonize=no --system=false --exit-idle-time=-1 --use-pid-file=false \
  --disable-shm=true --realtime=false --high-priority=false --log-target=stderr \
  -L "module-native-protocol-unix socket=$PULSE_DIR/native auth-anonymous=1" \
  -L "module-null-sink sink_name=heard rate=$RATE channels=2" 2>"$OUT/pulseaudio.log" &
STARTED+=("$!")
export PULSE_SERVER="unix:$PULSE_DIR/native"
for ((i = 0; i < 100; i++)); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
[ "$i" -lt 100 ] || fail "the sound server did not start (pulseaudio.log)"
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d pulse /f >/dev/null 2>&1

sox -q -n -r "$RATE" -c 2 "$WORK/tone.wav" synth 1 sine 660 vol 0.5
sox -q -n -r "$RATE" -c 2 "$WORK/tone.mp3" synth 1 sine 660 vol 0.5

settings() { # <music file>
  music_settings "$APP/Velmoran.ini" 2 "$(native_path "$1")"
}

# sound_map <recording>: one character per 50 ms, "#" where it sounds, "."
# where it is silent.
sound_map() {
  od -An -v -t d2 -w4 "$1" |
    awk -v n=$((RATE / 20)) '{ a = $1 < 0 ? -$1 : $1; if (a > m) m = a
           if (++c == n) { printf "%s", (m > 1000 ? "#" : "."); c = 0; m = 0 } } END { print "" }'
}

# heard_show <label> <seconds>: records the sink while a show runs; once its
# music is heard, the show goes on that long and is ended with Escape; the
# recording goes on for a second after the saver has ended. The map of what
# was heard in MAP.
heard_show() {
  local raw="$WORK/$1.raw" i size
  parec --latency-msec=20 -d heard.monitor --raw --format=s16le --rate="$RATE" --channels=2 >"$raw" &
  local recorder=$!
  STARTED+=("$recorder")
  start "$APP/Velmoran.scr" /s 2>>"$OUT/programs.log"
  local saver=$LAST_PID
  wait_window Velmoran_VC 60 >/dev/null
  for ((i = 0; i < 300; i++)); do [[ "$(sound_map "$raw")" == *"#"* ]] && break; sleep 0.1; done
  [ "$i" -lt 300 ] || fail "$1: no music heard in 30 s of the show"
  sleep "$2"
  xdotool keydown Escape sleep 0.3 keyup Escape
  wait_exit "$saver" 30
  size=$(stat -c %s "$raw")
  for ((i = 0; i < 100; i++)); do [ "$(stat -c %s "$raw")" -ge $((size + RATE * 4)) ] && break; sleep 0.1; done
  [ "$i" -lt 100 ] || fail "$1: the recording stopped with the saver"
  kill "$recorder"
  wait "$recorder" 2>/dev/null || true
  MAP=$(sound_map "$raw")
  note "$1: $MAP"
  echo "$MAP" >"$OUT/$1.map"
}

# heard_ms: how long the map sounds in all; stretches: how many stretches of
# sound it has. A one-second file heard longer has played more than once.
heard_ms() { echo $(($(tr -cd '#' <<<"$MAP" | wc -c) * 50)); }
stretches() { grep -o '#\+' <<<"$MAP" | wc -l; }
ends_silent() { [[ "$MAP" =~ \.{18,}$ ]] || fail "$1: still sounding after the saver ended: $MAP"; }

note "a WAV file loops for the show and stops at its end"
settings "$WORK/tone.wav"
heard_show wav 3
[ "$(heard_ms)" -ge 2500 ] || fail "wav: $(heard_ms) ms heard of a one-second file in a three-second show: $MAP"
ends_silent wav

note "an MP3 file plays, and starts again once it has ended"
settings "$WORK/tone.mp3"
heard_show mp3 3.5
[ "$(heard_ms)" -ge 1500 ] && [ "$(stretches)" -ge 2 ] ||
  fail "mp3: the one-second file was not heard again after it ended: $MAP"
ends_silent mp3

wine reg delete 'HKCU\Software\Wine\Drivers' /v Audio /f >/dev/null 2>&1
note "all passed"
