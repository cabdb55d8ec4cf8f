#!/usr/bin/env bash
# platforms: linux
# The saver under MATE's own screen saver daemon, as a plain user on a
# session bus of its own: mate-screensaver finds Velmoran through its
# desktop entry (applications/screensavers/velmoran.desktop) and runs
# "velmoran -root" in the full-screen window it made over the desktop (a
# pattern window), keeping no picture of it. Under a compositing manager
# (xcompmgr) the show's capture is the desktop under the daemon's window and
# the sphere shows it on screen; without one nothing holds the desktop any
# more, and the capture and the sphere are black. Deactivating the daemon
# ends every process of ours.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

plain_user
user_home "$WORK/home"
user_home "$WORK/run"
chmod 700 "$WORK/run"
# The daemon hands its display modes a few variables of its environment
# only, $HOME among them and not $XDG_RUNTIME_DIR: the capture goes to the
# user's cache.
CAPTURE=$WORK/home/.cache/Velmoran.bmp
APP=$WORK/app
mkdir -p "$APP" "$WORK/data/applications/screensavers"
cp "$(program Velmoran.scr)" "$(program Velmoran.dll)" "$APP/"
chmod -R o+rX "$APP" "$WORK/data"
# The package's entry, for this build. The daemon runs display modes only
# from XScreenSaver's and its own folders: the scenario lends the hack a name
# in XScreenSaver's for its run, as the package installs it there.
HACK=/usr/libexec/xscreensaver/velmoran-scenario-$$
mkdir -p /usr/libexec/xscreensaver
ln -s "$APP/Velmoran.scr" "$HACK"
at_exit 'rm -f "$HACK"'
sed "s|@VELMORAN_HACK@|$HACK|" "$ROOT/packaging/linux/velmoran.desktop.in" \
  >"$WORK/data/applications/screensavers/velmoran.desktop"
chmod 644 "$WORK/data/applications/screensavers/velmoran.desktop"
xhost "+si:localuser:$PLAIN_USER" >/dev/null
user_command "$WORK/home"
AS=("${USER_COMMAND[@]}" XDG_RUNTIME_DIR="$WORK/run" XDG_CURRENT_DESKTOP=MATE
  XDG_DATA_DIRS="$WORK/data:/usr/local/share:/usr/share" DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/run/bus")

"${AS[@]}" dbus-daemon --session --nofork --address="unix:path=$WORK/run/bus" >"$OUT/dbus.log" 2>&1 &
STARTED+=("$!")
for ((i = 0; i < 100; i++)); do [ -S "$WORK/run/bus" ] && break; sleep 0.05; done
"${AS[@]}" gsettings set org.mate.screensaver mode "'single'"
"${AS[@]}" gsettings set org.mate.screensaver themes "['screensavers-velmoran']"
"${AS[@]}" gsettings set org.mate.screensaver lock-enabled false
"${AS[@]}" mate-screensaver --debug >"$OUT/mate-screensaver.log" 2>&1 &
STARTED+=("$!")
for ((i = 0; i < 200; i++)); do "${AS[@]}" mate-screensaver-command --query >/dev/null 2>&1 && break; sleep 0.05; done
"${AS[@]}" mate-screensaver-command --query >/dev/null 2>&1 || fail "mate-screensaver did not start"

read -r SCREEN_W SCREEN_H < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
pattern_desktop "$WORK/desktop.png"

black_share() { convert "$1" -alpha off -fuzz 4% -fill white -opaque black -fill black +opaque white -format '%[fx:mean]' info:; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 >= b + 0) }'; }

# show_under_daemon <label> <screen test>: activates the daemon until the
# viewer's picture on screen passes the test, then deactivates it; the
# capture, top row first, in $WORK/capture.png.
show_under_daemon() {
  local label=$1 test=$2 viewer i
  rm -f "$CAPTURE"
  "${AS[@]}" mate-screensaver-command --activate >/dev/null
  viewer=$(wait_window Velmoran_VC 30) || fail "$label: no viewer"
  for ((i = 0; i < 60; i++)); do
    screenshot "$OUT/$label-screen.png"
    "$test" "$OUT/$label-screen.png" && break
    sleep 0.1
  done
  "$test" "$OUT/$label-screen.png" || fail "$label: the screen does not show what it should ($OUT/$label-screen.png)"
  "${AS[@]}" mate-screensaver-command --deactivate >/dev/null
  for ((i = 0; i < 100; i++)); do [ -z "$(pgrep -u "$PLAIN_USER" -f "$APP/Velmoran")" ] && break; sleep 0.05; done
  [ -z "$(pgrep -u "$PLAIN_USER" -f "$APP/Velmoran")" ] || fail "$label: still running after --deactivate"
  [ -f "$CAPTURE" ] || fail "$label: no capture"
  convert "$CAPTURE" -flip "$WORK/capture.png"
  cp "$WORK/capture.png" "$OUT/$label-capture.png"
}
differing() { compare -metric AE "$WORK/capture.png" "$1" null: 2>&1 || true; }
# The sphere with the desktop on it: little black, and not the desktop as it lay.
sphere_with_desktop() {
  at_least 0.1 "$(black_share "$1")" || return 1
  local moved
  moved=$(compare -metric AE "$1" "$WORK/desktop.png" null: 2>&1) || true
  at_least "${moved%% *}" $((SCREEN_W * SCREEN_H / 4)) 2>/dev/null
}
black_sphere() { at_least "$(black_share "$1")" 0.98; }

note "under xcompmgr: the desktop under the daemon's window, on the sphere"
start xcompmgr
COMPOSITOR=$LAST_PID
wait_window xcompmgr 10 >/dev/null || fail "xcompmgr did not start"
show_under_daemon compositor sphere_with_desktop
[ "$(differing "$WORK/desktop.png")" = 0 ] || fail "the capture differs from the desktop in $(differing "$WORK/desktop.png") pixels"

note "without a compositing manager: nothing holds the desktop, the sphere is black"
kill "$COMPOSITOR"
wait "$COMPOSITOR" 2>/dev/null || true
show_under_daemon plain black_sphere
convert -size "${SCREEN_W}x${SCREEN_H}" xc:black "$WORK/black.png"
[ "$(differing "$WORK/black.png")" = 0 ] || fail "the capture is not the daemon's black window"
note "all passed"
