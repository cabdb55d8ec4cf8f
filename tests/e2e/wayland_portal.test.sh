#!/usr/bin/env bash
# The saver's capture on a Wayland desktop through the desktop portal's
# Screenshot call (what GNOME and KDE offer, where no client may copy the
# outputs), here xdg-desktop-portal with its wlroots back end under a headless
# sway, both started by activation (beside a PipeWire server, which the
# wlroots portal needs) on a private session bus, screencopy
# turned off: the capture equals the compositor's own picture of the layout,
# the portal's file goes, Escape ends the show and nothing of it is left. On
# a bus without a portal the show goes on at once without a capture, plain
# white.
# platforms: linux
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

source "$(dirname "$0")/sway_lib.sh"
chmod o+rx "$BUILD" "$BUILD/bin" 2>/dev/null || true

# A background whose corners differ in every channel, so that a picture
# mirrored, turned or with its channels swapped never matches.
convert -size 320x200 xc: -sparse-color bilinear '0,0 #ff2000 319,0 #f0f010 0,199 #1030ff 319,199 #20e0a0' \
  "$WORK/background.png"
chmod 644 "$WORK/background.png"
# The saver's environment names no X display: the Wayland driver alone.
start_sway "output * bg $WORK/background.png fill" 'output HEADLESS-1 mode 1280x800@60Hz position 0 0'
HOME_DIR=$SWAY_HOME
RUNTIME=$SWAY_RUNTIME
CAPTURE=$RUNTIME/Velmoran.bmp
msg create_output >/dev/null
msg output HEADLESS-2 mode 1600x900@60Hz position 1280 0 >/dev/null
sway_copies
"${AS[@]}" grim - >"$OUT/layout.png"
[ "$(identify -format %wx%h "$OUT/layout.png")" = 2880x900 ] || fail "the layout is not 2880 x 900"

# The wlroots portal will not run without a PipeWire server (its screen casts
# go through one); PipeWire needs no bus for that.
"${AS[@]}" pipewire >"$OUT/pipewire.log" 2>&1 &
PIPEWIRE_PID=$!
at_exit "kill $PIPEWIRE_PID"
for ((i = 0; i < 200; i++)); do
  [ -S "$RUNTIME/pipewire-0" ] && break
  sleep 0.05
done
[ -S "$RUNTIME/pipewire-0" ] || fail "PipeWire did not start: $(tail -n 5 "$OUT/pipewire.log")"

# session_bus <config>: a bus of the plain user's own (BUS_PID, BUS) whose
# activated services see the compositor and know the desktop as sway's.
session_bus() {
  local fifo=$WORK/bus.$RANDOM
  mkfifo "$fifo"
  "${AS[@]}" dbus-daemon --nofork --nopidfile --print-address=3 "$@" 3>"$fifo" 2>>"$OUT/bus.log" &
  BUS_PID=$!
  STARTED+=("$BUS_PID")
  read -r BUS <"$fifo"
  [ -n "$BUS" ] || fail "the session bus did not start"
  "${AS[@]}" DBUS_SESSION_BUS_ADDRESS="$BUS" dbus-update-activation-environment \
    WAYLAND_DISPLAY XDG_RUNTIME_DIR XDG_CURRENT_DESKTOP=sway HOME NO_AT_BRIDGE=1
}
# on_bus: the plain user's processes that were started on the bus BUS.
on_bus() {
  local pid
  for pid in $(pgrep -u "$PLAIN_USER"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qF "DBUS_SESSION_BUS_ADDRESS=${BUS%%,*}" && echo "$pid"
  done
  return 0
}
# end_bus <label>: the bus and every service it started end; nothing that
# ran on it is left.
end_bus() {
  local services
  services=$(pgrep -P "$BUS_PID" || true)
  kill "$BUS_PID" $services 2>/dev/null || true
  ended_within "$1: the bus and its services" 2000 "$BUS_PID" $services
  wait "$BUS_PID" 2>/dev/null || true
  services=$(on_bus)
  [ -z "$services" ] || fail "$1: left on the bus: $(ps -o pid=,cmd= -p "${services//$'\n'/,}")"
}

# show: starts "Velmoran.scr /s" (SAVER_PID, SAVER_START) on the bus BUS,
# the viewer tracing its frames into the saver's error output.
show() {
  rm -f "$CAPTURE"
  : >"$OUT/saver.stderr"
  chmod 666 "$OUT/saver.stderr"
  SAVER_START=$(now_ms)
  "${AS[@]}" DBUS_SESSION_BUS_ADDRESS="$BUS" VELMORAN_NO_SCREENCOPY=1 VELMORAN_TRACE_FRAMES=1 \
    "$(program Velmoran.scr)" /s 2>>"$OUT/saver.stderr" &
  SAVER_PID=$!
  STARTED+=("$SAVER_PID")
}
# viewer_drew <label>: waits for the viewer's first frames; VIEWER_PID,
# FIRST_FRAME, VIEWER_STARTED and CAPTURED (when the capture file was seen,
# if at all), in ms after the saver's start.
viewer_drew() {
  CAPTURED=""
  for ((i = 0; i < 400; i++)); do
    [ -z "$CAPTURED" ] && [ -f "$CAPTURE" ] && CAPTURED=$(($(now_ms) - SAVER_START))
    [ "$(grep -c '^frame' "$OUT/saver.stderr")" -ge 2 ] && break
    running "$SAVER_PID" || fail "$1: the saver ended before the viewer drew: $(tail -n 5 "$OUT/saver.stderr")"
    sleep 0.05
  done
  [ "$(grep -c '^frame' "$OUT/saver.stderr")" -ge 2 ] || fail "$1: the viewer never drew"
  FIRST_FRAME=$(($(now_ms) - SAVER_START))
  VIEWER_PID=$(pgrep -P "$SAVER_PID" | head -n 1)
  [ -n "$VIEWER_PID" ] || fail "$1: no viewer under the saver"
  # The saver starts the viewer once its capture is done: the time between
  # the two processes' starts is the saver's start and its capture.
  local saver viewer
  saver=$(awk '{print $22}' "/proc/$SAVER_PID/stat")
  viewer=$(awk '{print $22}' "/proc/$VIEWER_PID/stat")
  VIEWER_STARTED=$(((viewer - saver) * 1000 / $(getconf CLK_TCK)))
}
# escape_ends_show <label>: Escape ends the viewer and the saver, which
# leave no process of theirs behind.
escape_ends_show() {
  local left
  left=$(pgrep -P "$VIEWER_PID" || true)
  "${AS[@]}" wtype -s 300 -P Escape -s 100 -p Escape
  ended_within "$1: the show after Escape" 1500 "$VIEWER_PID" "$SAVER_PID"
  wait_exit "$SAVER_PID" 1
  [ "$EXIT_STATUS" -eq 0 ] || fail "$1: the saver ended with status $EXIT_STATUS"
  for pid in $left; do running "$pid" && fail "$1: the viewer's process $pid is left"; done
  return 0
}
# max_difference <a> <b>: the largest difference of any channel, 0-255.
max_difference() {
  convert "$1" -alpha off "$2" -alpha off -compose difference -composite -separate \
    -format '%[fx:round(255*maxima)]\n' info: | sort -n | tail -n 1
}
# white_share <file>: its share of white pixels (the viewer without a picture
# is plain white).
white_share() { convert "$1" -alpha off -fuzz 10% +transparent white -alpha extract -format '%[fx:mean]' info:; }

# The portal, started by activation as the first program of a session that
# asks for it would start it, and up before the show as on a desktop where it
# runs from the session's start (its first start, with the back ends it
# activates in turn, may take longer than a show waits): the capture is the
# layout as the compositor copies it, and the portal's own file is gone.
session_bus --session
portal_up() {
  "${AS[@]}" DBUS_SESSION_BUS_ADDRESS="$BUS" gdbus introspect --session -d org.freedesktop.portal.Desktop \
    -o /org/freedesktop/portal/desktop 2>/dev/null | grep -q 'interface org.freedesktop.portal.Screenshot '
}
for ((i = 0; i < 300; i++)); do
  portal_up && break
  sleep 0.05
done
portal_up || fail "the portal offers no Screenshot: $(tail -n 20 "$OUT/bus.log")"
show
viewer_drew "portal"
note "capture written by $CAPTURED ms, viewer started at $VIEWER_STARTED ms, first frame $FIRST_FRAME ms after the start"
"${AS[@]}" grim -g "0,0 1024x768" - >"$OUT/sphere.png"
share=$(white_share "$OUT/sphere.png")
awk -v s="$share" 'BEGIN { exit !(s < 0.5) }' || fail "the sphere does not show the capture (white share $share)"
[ -f "$CAPTURE" ] || fail "no capture at $CAPTURE: $(cat "$OUT/saver.stderr" "$OUT/bus.log" | tail -n 20)"
cp "$CAPTURE" "$OUT/capture.bmp"
[ "$(identify -format %wx%h "$OUT/capture.bmp")" = 2880x900 ] || fail "the capture is not the layout's size"
# The first stored row is the layout's top row: the file read as the
# bottom-up bitmap it claims to be, turned over, is the layout.
convert "$OUT/capture.bmp" -flip "$OUT/capture.png"
difference=$(max_difference "$OUT/capture.png" "$OUT/layout.png")
note "largest difference to the compositor's picture: $difference"
[ "$difference" -le 1 ] || fail "the capture differs from the compositor's picture by $difference"
# bus_call <method> <name>: the bus daemon's answer about that name, "(value,)".
bus_call() {
  "${AS[@]}" DBUS_SESSION_BUS_ADDRESS="$BUS" gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m "org.freedesktop.DBus.$1" "$2" 2>/dev/null
}
[ "$(bus_call NameHasOwner org.freedesktop.impl.portal.desktop.wlr)" = "(true,)" ] ||
  fail "the wlroots portal, the only one with a Screenshot, is not on the bus"
[ ! -e /tmp/out.png ] || fail "the portal's file /tmp/out.png is left"
PORTAL_PID=$(bus_call GetConnectionUnixProcessID org.freedesktop.portal.Desktop | sed -n 's/^(uint32 \([0-9]*\),)$/\1/p')
running_on_bus=$(on_bus)
for pid in "$SAVER_PID" "$VIEWER_PID" "$PORTAL_PID"; do
  grep -qx "$pid" <<<"$running_on_bus" || fail "process $pid of the show is not seen on the bus"
done
escape_ends_show "portal"
end_bus "portal"

# A bus without a portal: nothing to activate, so the call fails at once; the
# show runs without a capture, plain white.
cat >"$WORK/bare-bus.conf" <<CONFIG
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$RUNTIME</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONFIG
chmod 644 "$WORK/bare-bus.conf"
session_bus --config-file="$WORK/bare-bus.conf"
show
viewer_drew "no portal"
note "viewer started at $VIEWER_STARTED ms, first frame $FIRST_FRAME ms after the start"
[ "$VIEWER_STARTED" -lt 3000 ] || fail "without a portal the saver waited $VIEWER_STARTED ms, its whole bound"
[ ! -e "$CAPTURE" ] || fail "a capture without a portal"
"${AS[@]}" grim -g "0,0 1024x768" - >"$OUT/white-sphere.png"
[ "$(white_share "$OUT/white-sphere.png")" = 1 ] || fail "the viewer's surface is not plain white without a capture"
escape_ends_show "no portal"
end_bus "no portal"
note "passed"
