# Shared by the scenarios of the saver as XScreenSaver's display mode, on top
# of lib.sh: the stand-in window (helpers/x11/hack_host.cpp) with its
# four-quadrant "desktop", and how a screenshot shows that desktop on the
# sphere.

at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

# hack_init: after e2e_init. SCREEN_W, SCREEN_H, and KEPT, the stand-in's
# desktop as a picture.
hack_init() {
  read -r SCREEN_W SCREEN_H < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
  KEPT=$WORK/kept.png
  local half_w=$((SCREEN_W / 2)) half_h=$((SCREEN_H / 2))
  convert -size "${SCREEN_W}x$SCREEN_H" xc:'rgb(200,30,30)' \
    -fill 'rgb(30,200,30)' -draw "rectangle $half_w,0 $((SCREEN_W - 1)),$((half_h - 1))" \
    -fill 'rgb(30,30,200)' -draw "rectangle 0,$half_h $((half_w - 1)),$((SCREEN_H - 1))" \
    -fill 'rgb(200,200,30)' -draw "rectangle $half_w,$half_h $((SCREEN_W - 1)),$((SCREEN_H - 1))" "$KEPT"
}

# host_start <mode> [<width> <height>]: the stand-in window (HOST, its id in
# decimal; HOST_PID); it goes when host_stop closes its input. Programs
# started meanwhile must leave that input alone (8>&-).
host_start() {
  local fifo="$WORK/host-in" out="$WORK/host-out" i
  rm -f "$fifo"
  : >"$out"
  mkfifo "$fifo"
  exec 8<>"$fifo"
  "$(helper hack_host)" "$@" <"$fifo" >"$out" 8>&- &
  HOST_PID=$!
  STARTED+=("$HOST_PID")
  for ((i = 0; i < 200; i++)); do
    HOST=$(head -n 1 "$out")
    [ -n "$HOST" ] && return 0
    sleep 0.05
  done
  fail "the host window did not come up"
}

host_stop() {
  exec 8>&-
  wait_exit "$HOST_PID" 5
}

# share <image> [<crop>]: the part (0 to 1) of the image's pixels that show one
# of the desktop's four colours.
share() {
  convert "$1" ${2:+-crop "$2" +repage} -alpha off -fill white \
    -opaque 'rgb(200,30,30)' -opaque 'rgb(30,200,30)' -opaque 'rgb(30,30,200)' -opaque 'rgb(200,200,30)' \
    -fill black +opaque white -format '%[fx:mean]' info:
}

# sphere_shows_desktop <image>: whether the screenshot is the sphere with the
# desktop on it over the whole screen: nine tenths of it in the desktop's
# colours, each corner at least half, and not the desktop as it lay. SHARE
# gets the whole screen's part.
sphere_shows_desktop() {
  SHARE=$(share "$1")
  at_least "$SHARE" 0.9 || return 1
  local corner
  for corner in 32x32+0+0 "32x32+$((SCREEN_W - 32))+0" "32x32+0+$((SCREEN_H - 32))" \
    "32x32+$((SCREEN_W - 32))+$((SCREEN_H - 32))"; do
    at_least "$(share "$1" "$corner")" 0.5 || return 1
  done
  local moved
  moved=$(compare -metric AE "$1" "$KEPT" null: 2>&1) || true
  [ "${moved%% *}" -ge 100000 ] 2>/dev/null
}

# kept_desktop_shown <label>: the screen comes to show the sphere with the
# kept desktop, corners and all (screenshot in $OUT/<label>.png).
kept_desktop_shown() {
  local shot="$OUT/$1.png" i
  for ((i = 0; i < 40; i++)); do
    screenshot "$shot"
    sphere_shows_desktop "$shot" && break
    sleep 0.1
  done
  sphere_shows_desktop "$shot" || fail "$1: the screen does not show the desktop on the sphere ($SHARE of it)"
  note "$1: $SHARE of the screen shows the kept desktop on the sphere"
}
