#!/usr/bin/env bash
# platforms: linux windows
# The screen capture of a show: a pattern of distinct colours on the screen,
# photographed and written as the capture file, must come back pixel for
# pixel, top row first, under a header of exactly the capture format - on a
# usual screen and on one whose rows need padding.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

# field <file> <offset> <bytes>: a little-endian number from the file.
field() { od -An -t "u$3" -j "$2" -N "$3" "$1" | tr -d ' '; }

# stop <pid>: ends a program begun with start (the pid is its shell's).
stop() {
  pkill -P "$1" 2>/dev/null || true
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# show_pattern [plain]: the pattern helper's blocks of distinct colours over
# the whole screen; returns once they are on screen (block 0 in the corner).
show_pattern() {
  local corner=9,3,250 i
  [ "${1:-}" = plain ] && corner=255,0,0
  start "$(helper pattern_window)" "$@" 2>/dev/null  # it complains when its display goes
  PATTERN_PID=$LAST_PID
  for ((i = 0; i < 200; i++)); do
    screenshot "$WORK/now.png"
    [ "$(pixel "$WORK/now.png" 2 2)" = "$corner" ] && return 0
    sleep 0.05
  done
  fail "the pattern did not come up"
}

# check_capture <WxH> <label>: the pattern now on screen against the capture.
check_capture() {
  local size=$1 label=$2 w h file="$WORK/$2.bmp"
  w=${size%x*} h=${size#*x}
  run "$(helper capture_probe)" "$(native_path "$file")" || fail "$label: the probe wrote no capture"
  screenshot "$OUT/$label-screen.png"

  local row=$(( (w * 3 + 3) / 4 * 4 ))
  [ "$(head -c 2 "$file")" = BM ] || fail "$label: no BM signature"
  [ "$(field "$file" 2 4)" = $((54 + row * h)) ] || fail "$label: file size field"
  [ "$(stat -c %s "$file")" = $((54 + row * h)) ] || fail "$label: file length"
  [ "$(field "$file" 10 4)" = 54 ] || fail "$label: pixel data offset"
  [ "$(field "$file" 14 4)" = 40 ] || fail "$label: information header size"
  [ "$(field "$file" 18 4)" = "$w" ] || fail "$label: width $(field "$file" 18 4), screen $w"
  [ "$(field "$file" 22 4)" = "$h" ] || fail "$label: height $(field "$file" 22 4), screen $h"
  [ "$(field "$file" 26 2)" = 1 ] || fail "$label: planes"
  [ "$(field "$file" 28 2)" = 24 ] || fail "$label: bits per pixel"
  [ "$(field "$file" 30 4)" = 0 ] || fail "$label: compression"
  [ "$(field "$file" 34 4)" = $((row * h)) ] || fail "$label: image size"

  # The first stored row is the screen's top row: its first pixel, blue,
  # green, red, is the top-left block's colour.
  local first expected
  first=$(od -An -t u1 -j 54 -N 3 "$file" | awk '{print $3 "," $2 "," $1}')
  expected=$(pixel "$OUT/$label-screen.png" 0 0)
  [ "$first" = "$expected" ] || fail "$label: first stored pixel $first, top-left of the screen $expected"

  # Not a blank screen: every block of the pattern is there.
  local colours
  colours=$(convert "$OUT/$label-screen.png" -unique-colors -format '%w' info:)
  [ "$colours" -ge 8 ] || fail "$label: only $colours colours on the screen"

  # Every pixel: the file read as the bottom-up bitmap it claims to be, turned
  # over, is the screen.
  convert "$file" -flip "$OUT/$label-capture.png"
  local differing
  differing=$(compare -metric AE "$OUT/$label-capture.png" "$OUT/$label-screen.png" null: 2>&1) || true
  [ "$differing" = 0 ] || fail "$label: $differing pixels differ from the screen"
  note "$label: $w x $h capture equals the screen"
}

show_pattern
check_capture 1280x1024 usual

# A width whose rows need padding, and for Linux a 16-bit screen whose pixels
# the capture has to widen to eight bits a primary.
stop "$PATTERN_PID"
if [ "$PLATFORM" = windows ]; then
  wineserver -k 2>/dev/null || true
fi
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
rm -f "$WORK/displayfd"
if [ "$PLATFORM" = windows ]; then
  start_display 1366x768x24
  show_pattern
else
  start_display 1366x768x16
  show_pattern plain
fi
check_capture 1366x768 padded
