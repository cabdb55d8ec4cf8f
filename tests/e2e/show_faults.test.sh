#!/usr/bin/env bash
# platforms: linux windows
# A show among faults: a window of another program titled Velmoran_VC, while
# the show's viewer runs and while it never shows its window; and on Linux
# the capture's privacy, and an earlier capture that a show cannot replace.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

APP=$WORK/app
SLOW=$WORK/slow  # the saver with a stand-in viewer that never shows its window
mkdir -p "$APP" "$SLOW" "$WORK/home"
cp "$(program Velmoran.scr)" "$(program Velmoran.dll)" "$APP/"
cp "$(program Velmoran.scr)" "$SLOW/"
cp "$(helper fake_viewer)" "$SLOW/Velmoran.dll"
unset VELMORAN_CAPTURE XDG_RUNTIME_DIR
export HOME=$WORK/home  # the capture goes to ~/.cache, made by the show

# viewers: how many windows are titled Velmoran_VC.
viewers() { xdotool search --name '^Velmoran_VC$' 2>/dev/null | wc -l; }

wait_viewers() { # <count> <seconds>
  local i
  for ((i = 0; i < $2 * 20; i++)); do
    [ "$(viewers)" -eq "$1" ] && return 0
    sleep 0.05
  done
  fail "$(viewers) windows titled Velmoran_VC, expected $1"
}

# lone_window: a stand-in viewer of its own, outside any show: a 320 x 240
# window titled Velmoran_VC in the top-left corner (LONE_PID).
lone_window() {
  VELMORAN_FAKE_VIEWER_DELAY_MS=0 start "$(helper fake_viewer)"
  LONE_PID=$LAST_PID
  wait_viewers 1 30
}

note "A window of another program titled Velmoran_VC holds no show after its viewer ends"
lone_window
start "$APP/Velmoran.scr" /s 2>>"$OUT/programs.log"
SAVER_PID=$LAST_PID
wait_viewers 2 60
sleep 1  # the viewer's first frames
# Escape where the show's viewer lies and the other window does not.
xdotool mousemove 700 500 keydown Escape sleep 0.3 keyup Escape
wait_viewers 1 5
wait_exit "$SAVER_PID" 3
[ "$EXIT_STATUS" -eq 0 ] || fail "the saver ended with status $EXIT_STATUS"
running "$LONE_PID" || fail "the other program's window went with the show"

if [ "$PLATFORM" = linux ]; then
  note "The capture and the folder made for it are the user's alone"
  [ "$(stat -c %a "$HOME/.cache/Velmoran.bmp")" = 600 ] ||
    fail "the capture is $(stat -c %a "$HOME/.cache/Velmoran.bmp"), not 600"
  [ "$(stat -c %a "$HOME/.cache")" = 700 ] || fail "the folder made for it is $(stat -c %a "$HOME/.cache"), not 700"
fi

note "A viewer that never shows its window is ended with the show; the other window stays"
VELMORAN_FAKE_VIEWER_DELAY_MS=60000 start "$SLOW/Velmoran.scr" /s 2>>"$OUT/programs.log"
SAVER_PID=$LAST_PID
sleep 1
# The stand-in started by the show: the only process of that program.
SLOW_PID=$(pgrep -f "${SLOW//\//.}.Velmoran\.dll" | head -n 1)
[ -n "$SLOW_PID" ] || fail "the show started no viewer"
wait_exit "$SAVER_PID" 15
for ((i = 0; i < 40; i++)); do running "$SLOW_PID" || break; sleep 0.05; done
running "$SLOW_PID" && fail "the viewer that never showed its window runs on after the show"
running "$LONE_PID" || fail "the other program's window went with the show"
kill "$LONE_PID"

if [ "$PLATFORM" = linux ]; then
  note "An earlier capture that a show cannot replace is not shown: the sphere is plain white"
  # A plain user's runtime folder that the user may not change, holding an
  # earlier show's capture (plain red).
  user=65534  # nobody
  chmod o+x "$WORK"
  run_dir=$WORK/user-run
  mkdir -p "$run_dir"
  convert -size 64x64 xc:red -type TrueColor "BMP3:$run_dir/Velmoran.bmp"
  chown -R "$user:$user" "$run_dir" "$APP"
  chmod 600 "$run_dir/Velmoran.bmp"
  chmod 500 "$run_dir"
  XDG_RUNTIME_DIR=$run_dir HOME=$run_dir start setpriv --reuid="$user" --regid="$user" --clear-groups \
    "$APP/Velmoran.scr" /s 2>>"$OUT/programs.log"
  SAVER_PID=$LAST_PID
  wait_viewers 1 60
  shot=$OUT/unreplaceable.png
  for ((i = 0; i < 100; i++)); do
    screenshot "$shot" 1024x768+0+0
    white=$(convert "$shot" -alpha off -fuzz 8% +transparent white -alpha extract -format '%[fx:mean]' info:)
    [ "$white" = 1 ] && break
    sleep 0.2
  done
  [ "$white" = 1 ] || fail "the viewer's window is not plain white ($shot)"
  xdotool mousemove 700 500 keydown Escape sleep 0.3 keyup Escape
  wait_exit "$SAVER_PID" 5
fi
note "passed"
