#!/usr/bin/env bash
# The saver's capture of a Wayland desktop under a headless sway (as a plain
# user, no X display), through wlroots' screen copy: two outputs of different
# sizes, apart and at different heights, one with a picture for its
# background and one a solid colour, the second at scale 1 and then 2; the
# capture file against grim's picture of the whole layout in logical pixels,
# the show ended with Escape, nothing of it left; with
# VELMORAN_NO_SCREENCOPY the screen copy gives nothing.
# platforms: linux
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
unset DISPLAY

SOLID='#20a040'
APP=$WORK/app
mkdir -p "$APP"
cp "$(program Velmoran.scr)" "$(program Velmoran.dll)" "$APP/"
add_sound_module "$APP"
chmod -R o+rX "$APP"

# A background whose every pixel differs from its neighbours' and whose red
# and blue differ everywhere: a channel swapped, a row turned over or a
# picture moved by a pixel shows.
convert -size 1280x800 xc: -sparse-color bilinear '0,0 #ff2000 1279,0 #00ff40 0,799 #1040ff 1279,799 #f0f0a0' \
  -fill '#602080' -draw 'rectangle 100,100 300,250' -fill '#e0c020' -draw 'circle 900,500 1000,600' \
  -type TrueColor "$WORK/background.png"
chmod 644 "$WORK/background.png"
source "$(dirname "$0")/sway_lib.sh"
start_sway "output HEADLESS-1 mode 1280x800@60Hz position 0 0 bg $WORK/background.png fill" \
  "output HEADLESS-2 mode 1600x900@60Hz position 1280 100 bg $SOLID solid_color"
HOME_DIR=$SWAY_HOME
CAPTURE=$HOME_DIR/capture/Velmoran.bmp
msg create_output >/dev/null

# layout_as <file>: the whole layout in logical pixels, written by this
# user, without alpha.
layout_as() { "${AS[@]}" grim -s 1 - 2>"$OUT/grim.log" | convert - -alpha off "$1"; }
# pixel_of <image> <x> <y>: "r,g,b" of one pixel.
pixel_of() { pixel "$1" "$2" "$3"; }
# near <r,g,b> <r,g,b>: no channel apart by more than 2 (swaybg's painting
# of a picture may round).
near() {
  awk -F, -v a="$1" -v b="$2" 'BEGIN { split(a, x); split(b, y)
    for (i = 1; i <= 3; i++) if (x[i] - y[i] > 2 || y[i] - x[i] > 2) exit 1 }'
}
# painted <WxH> <x> <y>: grim copies the layout at that size with both
# backgrounds painted, the solid one seen at (x, y).
SOLID_RGB=$(convert xc:"$SOLID" -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:)
PICTURE_RGB=$(pixel_of "$WORK/background.png" 640 400)
painted() {
  layout_as "$OUT/desktop.png" 2>/dev/null || return 1
  [ "$(identify -format %wx%h "$OUT/desktop.png")" = "$1" ] &&
    near "$(pixel_of "$OUT/desktop.png" 640 400)" "$PICTURE_RGB" &&
    [ "$(pixel_of "$OUT/desktop.png" "$2" "$3")" = "$SOLID_RGB" ]
}
# wait_painted <WxH> <x> <y>
wait_painted() {
  local begun
  begun=$(now_ms)
  until painted "$@"; do
    [ $(($(now_ms) - begun)) -lt 20000 ] ||
      fail "the layout was never painted at $1: $(cat "$OUT/grim.log"); $(tail -n 5 "$OUT/sway.log")"
    sleep 0.05
  done
}

# start_show [env...]: the saver's show as the plain user, its viewer
# tracing frames; SAVER_PID.
start_show() {
  : >"$OUT/show.stderr"
  chmod 666 "$OUT/show.stderr"
  "${AS[@]}" VELMORAN_CAPTURE="$CAPTURE" VELMORAN_TRACE_FRAMES=1 "$@" "$APP/Velmoran.scr" /s \
    2>>"$OUT/show.stderr" &
  SAVER_PID=$!
  STARTED+=("$SAVER_PID")
}
# viewer_drawn: the viewer has drawn twice.
viewer_drawn() {
  for ((i = 0; i < 400; i++)); do
    [ "$(grep -c '^frame' "$OUT/show.stderr")" -ge 2 ] && return 0
    running "$SAVER_PID" || fail "the show ended before its viewer drew: $(tail -n 5 "$OUT/show.stderr")"
    sleep 0.05
  done
  fail "the viewer never drew: $(tail -n 5 "$OUT/show.stderr")"
}
ours() { pgrep -f "^$APP/" || true; }
# end_show <label>: Escape, held as a finger does, ends the viewer and the
# saver; nothing started from the scenario's programs is left.
end_show() {
  local viewer
  viewer=$(pgrep -P "$SAVER_PID" | head -n 1)
  [ -n "$viewer" ] || fail "$1: no viewer under the saver"
  press_escape
  ended_within "$1: the show after Escape" 500 "$SAVER_PID" "$viewer"
  [ -z "$(ours)" ] || fail "$1: left running: $(ps -o pid=,args= -p "$(ours | paste -sd,)")"
}

# differs <a> <b>: the largest difference of two pictures in a channel.
differs() {
  convert "$1" "$2" -compose difference -composite -separate -evaluate-sequence max \
    -format '%[fx:round(255*maxima)]' info:
}
# check_capture <WxH> <label> <part like grim's> <"x,y ..." in gaps>
# [<solid part>]: a show's capture against grim's picture of the layout
# ($OUT/desktop.png) within 1 in every channel, in that part of the layout
# (WxH+X+Y); black at those points; the solid background's colour exactly in
# the last part, where grim's own scaling rounds; then the show ended.
check_capture() {
  local label=$2 size largest
  start_show
  for ((i = 0; i < 200; i++)); do
    [ -s "$CAPTURE" ] && break
    running "$SAVER_PID" || fail "$label: the saver ended without a capture: $(cat "$OUT/show.stderr")"
    sleep 0.05
  done
  [ -s "$CAPTURE" ] || fail "$label: no capture at $CAPTURE"
  viewer_drawn
  cp "$CAPTURE" "$OUT/$label.bmp"
  # The capture's first stored row is the desktop's top: as the bottom-up
  # bitmap it claims to be, turned over.
  convert "$OUT/$label.bmp" -flip -alpha off "$OUT/$label-capture.png"
  size=$(identify -format %wx%h "$OUT/$label-capture.png")
  [ "$size" = "$1" ] || fail "$label: the capture is $size, the layout $1"
  convert "$OUT/$label-capture.png" -crop "$3" +repage "$WORK/ours.png"
  convert "$OUT/desktop.png" -crop "$3" +repage "$WORK/grim.png"
  largest=$(differs "$WORK/ours.png" "$WORK/grim.png")
  [ "$largest" -le 1 ] || fail "$label: the capture differs from the desktop by up to $largest in a channel"
  note "$label: the capture equals grim's picture of $3 (largest difference $largest)"
  if [ -n "${5:-}" ]; then
    convert "$OUT/$label-capture.png" -crop "$5" +repage "$WORK/ours.png"
    convert "$WORK/ours.png" -fill "$SOLID" -colorize 100 "$WORK/solid.png"
    [ "$(differs "$WORK/ours.png" "$WORK/solid.png")" = 0 ] || fail "$label: the scaled output is not $SOLID all over"
  fi
  # The gaps of the layout are black.
  local point
  for point in $4; do
    [ "$(pixel_of "$OUT/$label-capture.png" "${point%,*}" "${point#*,}")" = 0,0,0 ] ||
      fail "$label: the gap at $point is not black"
  done
  end_show "$label"
}

wait_painted 2880x1000 2000 500
check_capture 2880x1000 unscaled 2880x1000+0+0 "1300,50 2879,99 0,800 1279,999"
# The second output at scale 2: its 1600 x 900 pixels are 800 x 450 of the layout.
msg output HEADLESS-2 scale 2 >/dev/null
wait_painted 2080x800 1600 300
check_capture 2080x800 scaled 1280x800+0+0 "1280,99 2079,0 1280,550 2079,799" 800x450+1280+100

# Without screen copy, and no other way to the desktop here, the show goes on
# without a picture: the earlier capture is taken away and none is written.
start_show VELMORAN_NO_SCREENCOPY=1
viewer_drawn
[ ! -s "$CAPTURE" ] || fail "a capture was written without screen copy"
end_show "no screen copy"
note "passed"
