#!/usr/bin/env bash
# The sphere viewer on its own: its window, the picture on the turning sphere,
# plain white without a picture, and the ways it ends.
# platforms: linux windows
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

VIEWER=$(program Velmoran.dll)
TITLE=Velmoran_VC
WINDOW_AREA=1024x768+0+0
COLOURS=(red lime blue yellow)

# A test pattern of four pure colours in tiles of 80 x 64 pixels; every two
# by two tiles hold all four, so any view of the sphere shows each colour.
make_pattern() {
  convert -size 2x2 xc:black -fill red -draw 'point 0,0' -fill lime -draw 'point 1,0' \
    -fill blue -draw 'point 0,1' -fill yellow -draw 'point 1,1' -scale 8000% "$WORK/block.png"
  convert -size 1280x1024 "tile:$WORK/block.png" -type TrueColor "BMP3:$1"
}

# share <image> <colour>: the part (0-1) of the image's pixels of about that colour.
share() {
  convert "$1" -alpha off -fuzz 8% +transparent "$2" -alpha extract -format '%[fx:mean]' info:
}

# differing <image> <image>: the part of pixels that changed between them.
differing() {
  local n
  n=$(compare -metric AE -fuzz 5% "$1" "$2" null: 2>&1 || true)
  awk -v n="${n%% *}" 'BEGIN { printf "%.4f", n / (1024 * 768) }'
}

at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

# start_viewer <capture path>: the viewer reading that capture; stderr kept.
start_viewer() {
  VELMORAN_CAPTURE=$(native_path "$1") WINEDEBUG=-all,+debugstr start "$VIEWER" 2>>"$OUT/viewer.stderr"
  VIEWER_PID=$LAST_PID
  WINDOW=$(wait_window "$TITLE" 60)
  local i
  for ((i = 0; i < 600; i++)); do
    xwininfo -id "$WINDOW" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
    sleep 0.1
  done
  fail "the window is never shown"
}

# shows_pattern <image>: every colour of the pattern covers a visible part.
shows_pattern() {
  local c
  for c in "${COLOURS[@]}"; do at_least "$(share "$1" "$c")" 0.005 || return 1; done
}

# wait_picture <file> <test> <seconds>: screenshots of the window until one
# passes the test; the last one stays in <file>.
wait_picture() {
  local i
  for ((i = 0; i < $3 * 2; i++)); do
    screenshot "$1" "$WINDOW_AREA"
    "$2" "$1" && return 0
    sleep 0.5
  done
  return 1
}

all_white() { at_least "$(share "$1" white)" 1; }

seconds_since() { awk -v s="$1" -v n="$EPOCHREALTIME" 'BEGIN { printf "%.2f", n - s }'; }

# ends <what> <window limit> <exit limit>: the viewer's window goes and its
# process ends with status 0, each within its limit in seconds from now.
ends() {
  local start=$EPOCHREALTIME
  while [ -n "$(window_id "$TITLE")" ]; do
    at_least "$2" "$(seconds_since "$start")" || fail "$1: the window is still there after $2 s"
    sleep 0.02
  done
  note "$1: window gone after $(seconds_since "$start") s"
  while kill -0 "$VIEWER_PID" 2>/dev/null; do
    at_least "$3" "$(seconds_since "$start")" || fail "$1: the viewer still runs after $3 s"
    sleep 0.02
  done
  note "$1: viewer ended after $(seconds_since "$start") s"
  EXIT_STATUS=0
  wait "$VIEWER_PID" || EXIT_STATUS=$?
  [ "$EXIT_STATUS" -eq 0 ] || fail "$1: exit status $EXIT_STATUS"
}

make_pattern "$WORK/pattern.bmp"

note "window: title, size, position"
start_viewer "$WORK/pattern.bmp"
geometry=$(xwininfo -id "$WINDOW")
echo "$geometry" >"$OUT/xwininfo.txt"
grep -q 'Absolute upper-left X: *0$' <<<"$geometry" || fail "window not at x 0"
grep -q 'Absolute upper-left Y: *0$' <<<"$geometry" || fail "window not at y 0"
grep -q 'Width: 1024$' <<<"$geometry" || fail "window not 1024 wide"
grep -q 'Height: 768$' <<<"$geometry" || fail "window not 768 high"
if [ "$PLATFORM" = linux ]; then
  xprop -id "$WINDOW" WM_CLASS | grep -q '"Velmoran_VC", "Velmoran_VC"' || fail "WM_CLASS is not Velmoran_VC"
fi

note "the picture on the sphere, turning"
wait_picture "$OUT/picture-1.png" shows_pattern 60 || fail "the pattern's colours are not on screen (picture-1.png)"
sleep 1
screenshot "$OUT/picture-2.png" "$WINDOW_AREA"
shows_pattern "$OUT/picture-2.png" || fail "the pattern's colours are gone a second later (picture-2.png)"
moved=$(differing "$OUT/picture-1.png" "$OUT/picture-2.png")
note "changed a second later: $moved of the pixels"
at_least "$moved" 0.05 || fail "the sphere does not turn"
grep -q 'PixelFormat Selected: [0-9]' "$OUT/viewer.stderr" || fail "no pixel format line"
grep -q 'BPP: [0-9]' "$OUT/viewer.stderr" || fail "no bits-per-pixel line"

note "another key or a click does nothing"
xdotool mousemove 512 384 click 1 click 3 key a key space key Return key F1
sleep 1
[ -n "$(window_id "$TITLE")" ] || fail "the window went away after a key or click"
screenshot "$OUT/after-input.png" "$WINDOW_AREA"
shows_pattern "$OUT/after-input.png" || fail "the picture is gone after a key or click"
sleep 1
screenshot "$OUT/after-input-2.png" "$WINDOW_AREA"
at_least "$(differing "$OUT/after-input.png" "$OUT/after-input-2.png")" 0.05 || fail "the sphere stopped turning"

note "Escape held down ends the viewer"
xdotool keydown Escape
ends Escape 1 1
xdotool keyup Escape

note "without a picture the window is white"
start_viewer "$WORK/no-such-capture.bmp"
wait_picture "$OUT/white.png" all_white 60 || fail "the window is not plain white (white.png)"
sleep 1
screenshot "$OUT/white-2.png" "$WINDOW_AREA"
all_white "$OUT/white-2.png" || fail "the window did not stay white (white-2.png)"

note "a capture claiming 32768 x 21845 pixels (2 GB, all there) is refused at once: white"
# The rows are zeros in a sparse file; memory for them is never taken.
printf 'BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\0\x80\0\0\x55\x55\0\0\x01\0\x18\0' >"$WORK/huge.bmp"
truncate -s $((54 + 32768 * 3 * 21845)) "$WORK/huge.bmp"
run "$(helper close_window)" "$TITLE" || fail "could not ask the window to close"
ends "close before the huge capture" 5 5
start_viewer "$WORK/huge.bmp"
wait_picture "$OUT/huge.png" all_white 10 || fail "the window is not plain white (huge.png)"
run "$(helper close_window)" "$TITLE" || fail "could not ask the window to close"
ends "close after the huge capture" 5 5

if [ "$PLATFORM" = linux ]; then
  note "a named pipe as the capture is not waited on: white, and Escape ends the viewer"
  mkfifo "$WORK/pipe.bmp"
  start_viewer "$WORK/pipe.bmp"
  wait_picture "$OUT/pipe.png" all_white 10 || fail "the window is not plain white (pipe.png)"
  xdotool keydown Escape
  ends "Escape with a pipe" 1 1
  xdotool keyup Escape
fi
start_viewer "$WORK/no-such-capture.bmp"

note "closing the window from outside ends the viewer"
run "$(helper close_window)" "$TITLE" || fail "could not ask the window to close"
# Wine, hiding a window before destroying it, waits up to 2 s for a window
# manager that a bare virtual display does not have.
ends close 5 5
note "passed"
