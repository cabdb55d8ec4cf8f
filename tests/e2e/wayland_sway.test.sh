#!/usr/bin/env bash
# The viewer on Wayland under a headless sway (as a plain user, without
# Xwayland) with two outputs of different sizes: its overlay surface at the
# layout's top-left corner, frames no faster than the output's refresh,
# Escape from a virtual keyboard, a full-screen run on every output, and the
# pointer hidden over the surface (from a virtual pointer).
# platforms: linux
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

VIEWER=$(program Velmoran.dll)
# Cyan: no blend of the pattern's four colours (what the sphere's filtering
# draws at the blocks' edges) comes near it, so a pixel of it on the surface
# is the desktop showing through.
BACKGROUND='#00ffff'
COLOURS=(red lime blue yellow)

at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }
share() { convert "$1" -alpha off -fuzz 8% +transparent "$2" -alpha extract -format '%[fx:mean]' info:; }
shows_pattern() {
  local c
  for c in "${COLOURS[@]}"; do at_least "$(share "$1" "$c")" 0.005 || return 1; done
}

source "$(dirname "$0")/sway_lib.sh"
chmod o+rx "$BUILD" "$BUILD/bin" 2>/dev/null || true

convert -size 2x2 xc:black -fill red -draw 'point 0,0' -fill lime -draw 'point 1,0' \
  -fill blue -draw 'point 0,1' -fill yellow -draw 'point 1,1' -scale 8000% "$WORK/block.png"
convert -size 1280x1024 "tile:$WORK/block.png" -type TrueColor "BMP3:$WORK/pattern.bmp"
chmod 644 "$WORK/pattern.bmp"

start_sway "output * bg $BACKGROUND solid_color" 'output HEADLESS-1 mode 1280x800@60Hz position 0 0'
msg create_output >/dev/null
msg output HEADLESS-2 mode 1600x900@60Hz position 1280 0 >/dev/null
msg -t get_outputs | grep -q '"current_mode"' || fail "no outputs"
sway_copies

# start_viewer [env...]: the viewer, tracing its frames, until its first frame.
start_viewer() {
  : >"$OUT/viewer.stderr"
  chmod 666 "$OUT/viewer.stderr"
  "${AS[@]}" VELMORAN_CAPTURE="$WORK/pattern.bmp" VELMORAN_TRACE_FRAMES=1 "$@" "$VIEWER" 2>>"$OUT/viewer.stderr" &
  VIEWER_PID=$!
  for ((i = 0; i < 600; i++)); do
    [ "$(grep -c '^frame' "$OUT/viewer.stderr")" -ge 2 ] && return 0
    kill -0 "$VIEWER_PID" 2>/dev/null || fail "the viewer ended before its first frame"
    sleep 0.05
  done
  fail "the viewer never drew"
}

# The surface at the layout's top-left, 1024 x 768; the desktop beside and below.
start_viewer
grim_as -g "0,0 1024x768" "$OUT/surface.png"
shows_pattern "$OUT/surface.png" || fail "the surface does not show the picture on the sphere"
grim_as -g "1024,0 256x800" "$OUT/right.png"
grim_as -g "0,768 1024x32" "$OUT/below.png"
at_least "$(share "$OUT/right.png" "$BACKGROUND")" 0.999 || fail "the surface reaches past 1024 pixels"
at_least "$(share "$OUT/below.png" "$BACKGROUND")" 0.999 || fail "the surface reaches past 768 pixels"
grim_as -o HEADLESS-2 "$OUT/second.png"
at_least "$(share "$OUT/second.png" "$BACKGROUND")" 0.999 || fail "the second output is not left alone"

# Frames: no more than the output's 60 a second over a stretch of the show.
first=$(grep -m1 '^frame' "$OUT/viewer.stderr" | cut -d' ' -f2)
while :; do
  last=$(grep '^frame' "$OUT/viewer.stderr" | tail -n 1 | cut -d' ' -f2)
  [ $((last - first)) -ge 2000 ] && break
  sleep 0.1
done
count=$(awk -v a="$first" -v b="$last" '$1 == "frame" && $2 >= a && $2 <= b' "$OUT/viewer.stderr" | wc -l)
note "$count frames in $((last - first)) ms"
at_least "$(awk -v ms=$((last - first)) 'BEGIN { print ms * 60 / 1000 + 2 }')" "$count" ||
  fail "$count frames in $((last - first)) ms: faster than the output's refresh"

# Escape from a virtual keyboard, which the viewer gains as it appears; held
# for 100 ms as a finger does (a key is looked at when a frame is painted).
"${AS[@]}" wtype -s 300 -P Escape -s 100 -p Escape
start=$EPOCHREALTIME
while kill -0 "$VIEWER_PID" 2>/dev/null; do
  at_least 0.5 "$(awk -v s="$start" -v n="$EPOCHREALTIME" 'BEGIN { print n - s }')" ||
    fail "the viewer still runs 0.5 s after Escape"
  sleep 0.01
done
wait "$VIEWER_PID" || fail "the viewer ended with status $?"

# A full-screen run covers every output at its own size.
start_viewer VELMORAN_ALL_OUTPUTS=1
grim_as -o HEADLESS-1 "$OUT/root-1.png"
grim_as -o HEADLESS-2 "$OUT/root-2.png"
for shot in "$OUT/root-1.png" "$OUT/root-2.png"; do
  shows_pattern "$shot" || fail "$shot does not show the sphere"
  at_least 0.001 "$(share "$shot" "$BACKGROUND")" || fail "$shot leaves the desktop showing"
done
[ "$(identify -format %wx%h "$OUT/root-2.png")" = 1600x900 ] || fail "the second output is not 1600 x 900"
kill -TERM "$VIEWER_PID"
wait "$VIEWER_PID" || fail "SIGTERM: status $?"

# The pointer, from a virtual device (the headless seat has none), jumps in
# one step onto the desktop beside the surface, where its black arrow shows in
# the output's picture, then onto the surface, which hides it: after the
# pointer enters, the viewer sets no cursor image, and no black shows there
# (the test picture on the sphere has no black, even where mipmaps blend it).
POINTER=$(helper virtual_pointer)
# point_at <x> <y>: the pointer there, held by a helper until the next move.
point_at() {
  [ -n "${POINTER_PID:-}" ] && kill "$POINTER_PID" && wait "$POINTER_PID" 2>/dev/null
  : >"$OUT/pointer.out"
  chmod 666 "$OUT/pointer.out"
  "${AS[@]}" "$POINTER" "$1" "$2" 2880 900 >"$OUT/pointer.out" &
  POINTER_PID=$!
  STARTED+=("$POINTER_PID")
  for ((i = 0; i < 200; i++)); do
    grep -q '^moved' "$OUT/pointer.out" && return 0
    kill -0 "$POINTER_PID" 2>/dev/null || fail "the virtual pointer helper failed"
    sleep 0.05
  done
  fail "the virtual pointer never moved"
}
# dark <file>: its share of near-black pixels (the arrow's fill and its
# anti-aliased edge).
dark() { convert "$1" -alpha off -fuzz 25% +transparent black -alpha extract -format '%[fx:mean]' info:; }
# cursor_share <x> <y> <file>: the share of near-black around (x, y) of the layout.
cursor_share() {
  grim_as -c -g "$(($1 - 10)),$(($2 - 10)) 40x40" "$3"
  dark "$3"
}
start_viewer WAYLAND_DEBUG=1
point_at 1150 400
for ((i = 0; i < 100; i++)); do
  at_least "$(cursor_share 1150 400 "$OUT/cursor-desktop.png")" 0.02 && break
  sleep 0.05
done
at_least "$(dark "$OUT/cursor-desktop.png")" 0.02 || fail "no cursor shows over the desktop"
point_at 500 400
hidden() {
  awk '/wl_pointer@[0-9]+\.enter\(/ { entered = 1 }
       entered && /-> wl_pointer@[0-9]+\.set_cursor\([0-9]+, nil,/ { found = 1 }
       END { exit !found }' "$OUT/viewer.stderr"
}
for ((i = 0; i < 200; i++)); do
  hidden && break
  sleep 0.05
done
hidden || fail "the pointer over the surface is not hidden"
if grep -E -- '-> wl_pointer@[0-9]+\.set_cursor\([0-9]+, wl_surface' "$OUT/viewer.stderr"; then
  fail "the viewer gave the pointer an image"
fi
for ((i = 0; i < 100; i++)); do
  at_least 0 "$(cursor_share 500 400 "$OUT/cursor-surface.png")" && break
  sleep 0.05
done
at_least 0 "$(dark "$OUT/cursor-surface.png")" || fail "the cursor shows over the surface"
at_least 0.001 "$(share "$OUT/cursor-surface.png" "$BACKGROUND")" || fail "the surface under the pointer shows the desktop"
kill -TERM "$VIEWER_PID"
wait "$VIEWER_PID" || fail "SIGTERM: status $?"
note "passed"
