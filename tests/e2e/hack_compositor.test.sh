#!/usr/bin/env bash
# platforms: linux
# The saver as a display mode of a screen saver that covers the screen first
# and keeps no picture of the desktop (as MATE's does), in a stand-in for its
# black window over a known desktop (a pattern window): under a compositing
# manager (xcompmgr) the capture is the desktop under the black window,
# rebuilt from the windows' redirected pixmaps; without one nothing holds the
# desktop and the capture is what the screen shows, the black window.
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

pattern_desktop "$WORK/desktop.png"

# capture_of <label>: runs -root in a black host without a kept desktop until
# the viewer shows, ends it, and leaves the capture flipped to top row first
# in $WORK/capture.png.
capture_of() {
  host_start none
  rm -f "$CAPTURE"
  start env XSCREENSAVER_WINDOW="$(printf '0x%x' "$HOST")" "$APP/Velmoran.scr" -root 2>>"$OUT/programs.log" 8>&-
  local saver=$LAST_PID
  wait_window Velmoran_VC 30 >/dev/null || fail "$1: no viewer"
  kill -TERM "$saver"
  ended_within "$1: SIGTERM" 500 "$saver"
  host_stop
  [ -f "$CAPTURE" ] || fail "$1: no capture"
  convert "$CAPTURE" -flip "$WORK/capture.png"
  cp "$WORK/capture.png" "$OUT/$1.png"
}

differing() { compare -metric AE "$WORK/capture.png" "$1" null: 2>&1 || true; }

note "under xcompmgr: the capture is the desktop under the black window"
start xcompmgr
COMPOSITOR=$LAST_PID
# xcompmgr names the window that holds its selection after itself.
wait_window xcompmgr 10 >/dev/null || fail "xcompmgr did not start"
capture_of compositor
[ "$(differing "$WORK/desktop.png")" = 0 ] || fail "the capture differs from the desktop in $(differing "$WORK/desktop.png") pixels"

note "without a compositing manager: the capture holds the black window, as the screen does"
kill "$COMPOSITOR"
wait "$COMPOSITOR" 2>/dev/null || true
convert -size "${SCREEN_W}x${SCREEN_H}" xc:black "$WORK/black.png"
capture_of plain
[ "$(differing "$WORK/black.png")" = 0 ] || fail "the capture is not the black window"
note "all passed"
