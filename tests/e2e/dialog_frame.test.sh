#!/usr/bin/env bash
# platforms: linux
# The settings dialog's opening on X11, without a window manager and under
# one (JWM): the window is placed by its outer rectangle - centred across the
# screen, a third of the free height down - which is its inner area where no
# manager frames it and takes the frame the manager announces in
# _NET_FRAME_EXTENTS where one does; the caption zoom runs from the pointer
# to that outer rectangle before the window is mapped, as on Windows, so no
# unpainted window shows while it runs. The saver's X requests are read
# through xtrace: the zoom's outlines, drawn with the server grabbed, and the
# window's mapping.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

SAVER_DIR=$WORK/saver
mkdir -p "$SAVER_DIR"
cp "$(program Velmoran.scr)" "$SAVER_DIR/"
echo "stand-in viewer" >"$SAVER_DIR/Velmoran.dll"  # only its presence is checked
read -r SCREEN_W SCREEN_H < <(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*\)x\([0-9]*\) .*/\1 \2/p')
INNER_W=496
INNER_H=243

TRACE=$WORK/trace.log
TRACE_DISPLAY=""
at_exit '[ -z "$TRACE_DISPLAY" ] || rm -f "/tmp/.X11-unix/X$TRACE_DISPLAY"'

# open_dialog: the saver with /c through xtrace, the pointer at 640, 380;
# waits until the dialog is mapped. Sets SAVER_PID, DIALOG (hex) and the
# inner area's place IX, IY.
open_dialog() {
  local n=$((300 + RANDOM % 600)) i id=""
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  TRACE_DISPLAY=$n
  rm -f "$TRACE"
  xdotool mousemove 640 380
  start xtrace -n -d "$DISPLAY" -D ":$n" -o "$TRACE" -- "$SAVER_DIR/Velmoran.scr" /c >>"$OUT/xtrace.log" 2>&1
  SAVER_PID=$LAST_PID
  id=$(wait_window "<Velmoran>" 60)
  for ((i = 0; i < 600; i++)); do
    xwininfo -id "$id" | grep -q 'Map State: IsViewable' && break
    sleep 0.1
  done
  [ "$i" -lt 600 ] || fail "the dialog is never shown"
  DIALOG=$(printf '0x%08x' "$id")
  read -r IX IY < <(xwininfo -id "$id" | sed -n 's/^ *Absolute upper-left [XY]: *//p' | paste -s -d ' ')
}

close_dialog() {
  run "$(helper send_close)" "<Velmoran>" || fail "$1: no dialog to close"
  wait_exit "$SAVER_PID" 30
  [ "$EXIT_STATUS" -eq 0 ] || fail "$1: the saver ended with status $EXIT_STATUS"
  rm -f "/tmp/.X11-unix/X$TRACE_DISPLAY"
  TRACE_DISPLAY=""
}

# placed <step> <left> <top> <right> <bottom>: the window's frame extents;
# its outer rectangle is centred across and a third of the free height down.
placed() {
  local outer_w=$((INNER_W + $2 + $3)) outer_h=$((INNER_H + $4 + $5))
  OUTER_X=$((IX - $2)) OUTER_Y=$((IY - $4)) OUTER_W=$outer_w OUTER_H=$outer_h
  [ "$OUTER_X" = $(((SCREEN_W - outer_w) / 2)) ] ||
    fail "$1: the outer rectangle ${outer_w}x$outer_h starts at x $OUTER_X, not centred"
  [ "$OUTER_Y" = $(((SCREEN_H - outer_h) / 3)) ] ||
    fail "$1: the outer rectangle ${outer_w}x$outer_h starts at y $OUTER_Y, not a third down"
}

# zoomed_before_mapped <step>: in the trace, the opening zoom's outlines on
# the root window end on the outer rectangle, and the server is let go
# before the dialog's window is first mapped.
zoomed_before_mapped() {
  cp "$TRACE" "$OUT/$2-trace.log"
  local ungrab map last
  ungrab=$(grep -n -m 1 'UngrabServer' "$TRACE" | cut -d: -f1)
  map=$(grep -n -m 1 "MapWindow window=$DIALOG\$" "$TRACE" | cut -d: -f1)
  [ -n "$ungrab" ] || fail "$1: no zoom in the trace"
  [ -n "$map" ] || fail "$1: the trace does not show the dialog mapped"
  [ "$map" -gt "$ungrab" ] || fail "$1: the dialog was mapped (line $map) before its zoom ended (line $ungrab)"
  last=$(head -n "$ungrab" "$TRACE" | grep 'PolyRectangle' | tail -n 1 | sed -n 's/.*rectangles={\(.*\)};.*/\1/p')
  [ "$last" = "x=$OUTER_X y=$OUTER_Y w=$((OUTER_W - 1)) h=$((OUTER_H - 1))" ] ||
    fail "$1: the zoom ends on '$last', not on the outer rectangle ${OUTER_W}x$OUTER_H+$OUTER_X+$OUTER_Y"
}

note "without a window manager: the inner area placed, zoomed to before it is mapped"
open_dialog
placed "no manager" 0 0 0 0
zoomed_before_mapped "no manager" bare
close_dialog "no manager"

note "under a window manager: the frame it announces counts in the placement and the zoom"
cat >"$WORK/jwmrc" <<'XML'
<?xml version="1.0"?>
<JWM>
    <WindowStyle><Font>Sans-10</Font><Width>4</Width></WindowStyle>
    <FocusModel>click</FocusModel>
</JWM>
XML
start jwm -f "$WORK/jwmrc"
for ((i = 0; i < 100; i++)); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
[ "$i" -lt 100 ] || fail "the window manager did not start"
open_dialog
for ((i = 0; i < 100; i++)); do
  read -r left right top bottom < <(xprop -id "$DIALOG" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',') && break
  sleep 0.1
done
[ "${top:-0}" -gt 0 ] || fail "the window manager put no frame around the dialog"
screenshot "$OUT/framed.png"
placed "framed" "$left" "$right" "$top" "$bottom"
zoomed_before_mapped "framed" framed
close_dialog "framed"
note "all passed"
