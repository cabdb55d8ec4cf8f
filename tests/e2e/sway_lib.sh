# A headless sway of the scenario's own, run as the plain user without
# Xwayland (no X display named, so the programs take their Wayland paths).
# After lib.sh: start_sway <config lines...>; then AS runs a command as that
# user in the session (without the X display the scenario may have), msg
# talks to sway, grim_as takes a picture.

# start_sway <config lines...>: sway with these lines (xwayland disabled
# first), up once its outputs are configured and it copies them (a newly
# configured output refuses copies for a moment). SWAY_RUNTIME is the
# session's runtime folder, SWAY_HOME the user's home.
start_sway() {
  plain_user
  SWAY_HOME=$WORK/home
  SWAY_RUNTIME=$WORK/run
  user_home "$SWAY_HOME"
  rm -rf "$SWAY_RUNTIME"  # an earlier sway's sockets
  user_home "$SWAY_RUNTIME"
  chmod 700 "$SWAY_RUNTIME"
  { echo 'xwayland disable'; printf '%s\n' "$@"; } >"$WORK/sway.config"
  chmod 644 "$WORK/sway.config"
  user_command "$SWAY_HOME"
  AS=(env -u DISPLAY "${USER_COMMAND[@]}" XDG_RUNTIME_DIR="$SWAY_RUNTIME" WAYLAND_DISPLAY=wayland-1)
  env -u DISPLAY "${USER_COMMAND[@]}" XDG_RUNTIME_DIR="$SWAY_RUNTIME" WLR_BACKENDS=headless WLR_RENDERER=pixman \
    WLR_LIBINPUT_NO_DEVICES=1 sway -c "$WORK/sway.config" >"$WORK/sway.log" 2>&1 &
  SWAY_PID=$!
  at_exit "kill $SWAY_PID"
  local i
  for ((i = 0; i < 200; i++)); do
    IPC=$(ls "$SWAY_RUNTIME"/sway-ipc.*.sock 2>/dev/null | head -n 1 || true)
    [ -n "$IPC" ] && msg -t get_outputs 2>/dev/null | grep -q '"current_mode"' && break
    kill -0 "$SWAY_PID" 2>/dev/null || fail "sway ended: $(tail -n 5 "$WORK/sway.log")"
    sleep 0.05
  done
  [ -n "$IPC" ] || fail "sway never came up: $(tail -n 5 "$WORK/sway.log")"
  sway_copies
}

# block_desktop <picture> <WxH>: a desktop of red, lime, blue and yellow
# blocks of 64 pixels, for the compositor's background, readable by the user.
block_desktop() {
  convert -size 2x2 xc:black -fill red -draw 'point 0,0' -fill lime -draw 'point 1,0' \
    -fill blue -draw 'point 0,1' -fill yellow -draw 'point 1,1' -scale 6400% "$WORK/block.png"
  convert -size "$2" "tile:$WORK/block.png" "$1"
  chmod 644 "$1"
}

msg() { "${AS[@]}" swaymsg -s "$IPC" "$@"; }

# sway_copies: waits until the compositor copies the whole layout (after an
# output has been made or changed).
sway_copies() {
  local i
  for ((i = 0; i < 200; i++)); do
    "${AS[@]}" grim - >/dev/null 2>"$WORK/grim.log" && return 0
    sleep 0.05
  done
  fail "the compositor never copied its outputs: $(cat "$WORK/grim.log"); $(tail -n 5 "$WORK/sway.log")"
}

# grim_as <grim options...> <file>: the picture, written by this user.
grim_as() { "${AS[@]}" grim "${@:1:$#-1}" - >"${!#}"; }

# press_escape: Escape from a virtual keyboard, held for 100 ms as a finger
# does (the viewer looks at its keys when it paints a frame), once the
# compositor has had time to take the new keyboard's keymap to the surface.
press_escape() { "${AS[@]}" wtype -s 300 -P Escape -s 100 -p Escape; }

# ours_left: the processes of ours still there (not counting zombies).
ours_left() { ps -u "$PLAIN_USER" -o stat=,comm= | awk '$1 !~ /^Z/ && $2 ~ /^Velmoran/ { print $2 }'; }
