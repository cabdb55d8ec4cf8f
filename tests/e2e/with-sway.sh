#!/usr/bin/env bash
# with-sway.sh <program> [args...]: runs a test program as a plain user on a
# fresh headless sway without Xwayland (no X display named, so the program
# takes the Wayland path) and returns its status.
source "$(dirname "$0")/lib.sh"
unset DISPLAY

plain_user
HOME_DIR=$WORK/home
RUNTIME=$WORK/run
user_home "$HOME_DIR"
user_home "$RUNTIME"
chmod 700 "$RUNTIME"
# The plain user reaches the program through the folders above it.
dir=$(dirname "$(realpath "$1")")
while [ "$dir" != / ]; do chmod o+x "$dir" 2>/dev/null || true; dir=$(dirname "$dir"); done
printf 'xwayland disable\noutput * bg #000000 solid_color\n' >"$WORK/sway.config"
chmod 644 "$WORK/sway.config"

user_command "$HOME_DIR"
AS=("${USER_COMMAND[@]}" XDG_RUNTIME_DIR="$RUNTIME" WAYLAND_DISPLAY=wayland-1)
"${USER_COMMAND[@]}" XDG_RUNTIME_DIR="$RUNTIME" WLR_BACKENDS=headless WLR_RENDERER=pixman \
  WLR_LIBINPUT_NO_DEVICES=1 sway -c "$WORK/sway.config" >"$WORK/sway.log" 2>&1 &
SWAY_PID=$!
at_exit "kill $SWAY_PID"
for ((i = 0; i < 200; i++)); do
  [ -S "$RUNTIME/wayland-1" ] && "${AS[@]}" swaymsg -s "$(ls "$RUNTIME"/sway-ipc.*.sock 2>/dev/null | head -n 1)" \
    -t get_outputs 2>/dev/null | grep -q '"current_mode"' && break
  kill -0 "$SWAY_PID" 2>/dev/null || { cat "$WORK/sway.log" >&2; fail "sway ended"; }
  sleep 0.05
done
[ -S "$RUNTIME/wayland-1" ] || { cat "$WORK/sway.log" >&2; fail "sway never came up"; }
"${AS[@]}" "$@"
