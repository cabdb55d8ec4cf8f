#!/usr/bin/env bash
# platforms: linux
# The saver as a display mode of XScreenSaver ("hack"), in a stand-in for the
# window XScreenSaver makes (tests/helpers/x11/hack_host.cpp): with -root the
# show takes the desktop XScreenSaver kept as a pixmap (or the screen where
# the property is missing or odd), the viewer draws inside the window over the
# whole of it, SIGTERM ends both within half a second, the next hack of a
# cycle shows once the last has gone, and a viewer whose saver was killed ends
# within a second; -window-id puts the still preview
# into a small window and a show into a large one; a missing viewer is told
# on the error output.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hack_lib.sh"
e2e_init "$@"

APP="$WORK/app"
mkdir -p "$APP" "$WORK/run"
cp "$(program Velmoran.scr)" "$(program Velmoran.dll)" "$APP/"
unset VELMORAN_CAPTURE XSCREENSAVER_WINDOW
export XDG_RUNTIME_DIR="$WORK/run"
CAPTURE="$WORK/run/Velmoran.bmp"
hack_init

# hack <args...>: the saver as XScreenSaver starts it, in the background
# (SAVER_PID), with XSCREENSAVER_WINDOW naming the host in hexadecimal. Like
# every program started here it leaves the host's input alone.
hack() {
  start env XSCREENSAVER_WINDOW="$(printf '0x%x' "$HOST")" "$APP/Velmoran.scr" "$@" 2>>"$OUT/programs.log" 8>&-
  SAVER_PID=$LAST_PID
}

# child_in_host <title> <seconds>: waits for a window of that title among the
# host's children; CHILD_SIZE gets its size and place ("1280x1024+0+0").
child_in_host() {
  local i line
  for ((i = 0; i < $2 * 20; i++)); do
    line=$(xwininfo -children -id "$HOST" 2>/dev/null | grep -F "\"$1\":" | head -n 1) || true
    if [ -n "$line" ]; then
      CHILD_SIZE=$(awk '{for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+/) {print $i; exit}}' <<<"$line")
      return 0
    fi
    sleep 0.05
  done
  fail "no window '$1' in the host within $2 s"
}

viewer_in_host() {
  child_in_host Velmoran_VC 30
  [ "$CHILD_SIZE" = "${SCREEN_W}x${SCREEN_H}+0+0" ] || fail "$1: the viewer's window is $CHILD_SIZE in the host"
  VIEWER_PID=$(pgrep -P "$SAVER_PID" | head -n 1)
  [ -n "$VIEWER_PID" ] || fail "$1: no viewer process"
}

# capture_is <label> <image>: the capture file holds exactly this picture.
capture_is() {
  [ -f "$CAPTURE" ] || fail "$1: no capture at $CAPTURE"
  convert "$CAPTURE" -flip "$WORK/capture.png"
  local differing
  differing=$(compare -metric AE "$WORK/capture.png" "$2" null: 2>&1) || true
  [ "$differing" = 0 ] || fail "$1: the capture differs from the expected picture in $differing pixels"
}

note "-root in XScreenSaver's window: the desktop it kept, on the sphere over the whole window"
host_start kept
rm -f "$CAPTURE"
hack -root
viewer_in_host "kept"
# The kept picture, not the black window now on the screen.
capture_is "kept" "$KEPT"
kept_desktop_shown "kept"

note "SIGTERM, as XScreenSaver ends a display mode, ends the saver and the viewer within half a second"
kill -TERM "$SAVER_PID"
ended_within "SIGTERM" 500 "$SAVER_PID" "$VIEWER_PID"
wait_exit "$SAVER_PID" 1
[ "$EXIT_STATUS" = 0 ] || fail "the saver ended with status $EXIT_STATUS on SIGTERM"

note "SIGTERM with music playing ends everything at once, however long the sound device takes to close"
add_sound_module "$APP"
sox -q -n -r 44100 -c 2 -b 16 "$WORK/loop.wav" synth 1 sine 440 vol 0.5
music_settings "$APP/Velmoran.ini" 2 "$WORK/loop.wav"
SOUND=$WORK/sound.raw
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$SOUND LD_PRELOAD=$(helper libstuck_sound_close.so) hack -root
viewer_in_host "music"
for ((i = 0; i < 100; i++)); do [ "$(stat -c %s "$SOUND" 2>/dev/null || echo 0)" -gt 176400 ] && break; sleep 0.05; done
[ "$i" -lt 100 ] || fail "the looping WAV did not play"
kill -TERM "$SAVER_PID"
ended_within "SIGTERM with music" 500 "$SAVER_PID" "$VIEWER_PID"
wait_exit "$SAVER_PID" 1
[ "$EXIT_STATUS" = 0 ] || fail "the saver ended with status $EXIT_STATUS on SIGTERM with music"
rm -f "$APP/Velmoran-media.so" "$APP/Velmoran.ini"

note "Cycling: XScreenSaver starts the next hack as it ends the last; the next shows once the last has gone"
hack -root
viewer_in_host "the last"
LAST_SAVER=$SAVER_PID LAST_VIEWER=$VIEWER_PID
hack -root
# The next finds the last still there, as it may when the last's end is slow.
sleep 0.5
running "$SAVER_PID" || fail "the next hack gave up beside the last"
kill -TERM "$LAST_SAVER"
ended_within "the last" 500 "$LAST_SAVER" "$LAST_VIEWER"
viewer_in_host "the next"
kept_desktop_shown "the next"
kill -TERM "$SAVER_PID"
ended_within "the next" 500 "$SAVER_PID" "$VIEWER_PID"

note "A viewer whose saver was killed ends within a second"
hack --root
viewer_in_host "killed"
sleep 0.5
kill -KILL "$SAVER_PID"
ended_within "saver killed" 1000 "$VIEWER_PID"
host_stop

for odd in wrong-type gone none; do
  note "No usable picture kept ($odd): the screen as it is now is captured"
  host_start "$odd"
  screenshot "$WORK/before.png"
  rm -f "$CAPTURE"
  hack -root
  viewer_in_host "$odd"
  capture_is "$odd" "$WORK/before.png"
  kill -TERM "$SAVER_PID"
  ended_within "$odd" 500 "$SAVER_PID" "$VIEWER_PID"
  host_stop
done

note "-window-id of a small window (XScreenSaver's settings preview): the still preview"
host_start none 320 240
rm -f "$CAPTURE"
start "$APP/Velmoran.scr" --window-id "$(printf '0x%X' "$HOST")" 2>>"$OUT/programs.log" 8>&-
SAVER_PID=$LAST_PID
child_in_host "Preview Window" 20
[ "$CHILD_SIZE" = "320x240+0+0" ] || fail "the preview is $CHILD_SIZE in its 320 x 240 window"
sleep 0.5
[ -z "$(window_id Velmoran_VC)" ] || fail "the preview started a viewer"
[ ! -e "$CAPTURE" ] || fail "the preview took a capture"
host_stop
wait_exit "$SAVER_PID" 2

note "-window-id of a large window: a show in it"
host_start kept
start "$APP/Velmoran.scr" -window-id "$HOST" 2>>"$OUT/programs.log" 8>&-
SAVER_PID=$LAST_PID
viewer_in_host "given window"
kept_desktop_shown "given window"
kill -TERM "$SAVER_PID"
ended_within "given window" 500 "$SAVER_PID" "$VIEWER_PID"
host_stop

note "A hack without its viewer says so on the error output"
mkdir -p "$WORK/lone"
cp "$APP/Velmoran.scr" "$WORK/lone/"
host_start kept
start env XSCREENSAVER_WINDOW="$HOST" "$WORK/lone/Velmoran.scr" -root 2>"$WORK/lone.err" 8>&-
wait_exit "$LAST_PID" 5
grep -q "Velmoran.dll" "$WORK/lone.err" || fail "no word of the missing viewer: $(cat "$WORK/lone.err")"
[ -z "$(window_id Velmoran_Main)" ] || fail "a show ran without its viewer"
host_stop
note "all passed"
