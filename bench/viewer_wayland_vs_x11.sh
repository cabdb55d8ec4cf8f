#!/usr/bin/env bash
# The viewer's start and its share of a core during a show, on Wayland
# (headless sway, as the plain user velmoran-test, no Xwayland) against X11
# (Xvfb), same machine, same picture, runs alternating.
#   bench/viewer_wayland_vs_x11.sh [build dir] [runs]
# Start: from the launch to the first frame presented (Wayland: the shell's
# frame trace) or to the window being viewable (X11: xdotool --sync, which
# polls). Share: user and system time of the viewer over 5 s of the show.
set -euo pipefail
BUILD=$(cd "${1:-build/linux}" && pwd)
RUNS=${2:-5}
VIEWER=$BUILD/bin/Velmoran.dll
USER_NAME=velmoran-test
WORK=$(mktemp -d)
chmod 755 "$WORK"
trap 'kill $SWAY $XVFB 2>/dev/null; rm -rf "$WORK"' EXIT
id -u "$USER_NAME" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$USER_NAME"
chmod o+rx "$BUILD" "$BUILD/bin"
convert -size 1280x1024 plasma:fractal -type TrueColor "BMP3:$WORK/picture.bmp"
chmod 644 "$WORK/picture.bmp"
mkdir -m 700 "$WORK/run"
chown "$USER_NAME:" "$WORK/run"
printf 'xwayland disable\n' >"$WORK/sway.config"
chmod 644 "$WORK/sway.config"
AS=(setpriv --reuid="$USER_NAME" --regid="$USER_NAME" --clear-groups env HOME="$WORK" XDG_RUNTIME_DIR="$WORK/run")
"${AS[@]}" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway -c "$WORK/sway.config" \
  >/dev/null 2>&1 &
SWAY=$!
Xvfb :77 -screen 0 1280x1024x24 >/dev/null 2>&1 &
XVFB=$!
until [ -S "$WORK/run/wayland-1" ]; do sleep 0.05; done
until xdpyinfo -display :77 >/dev/null 2>&1; do sleep 0.05; done

ms() { echo $(($(date +%s%N) / 1000000)); }
share() {  # share <pid>: percent of a core over 5 s
  local tick a b
  tick=$(getconf CLK_TCK)
  a=$(awk '{ print $14 + $15 }' "/proc/$1/stat")
  sleep 5
  b=$(awk '{ print $14 + $15 }' "/proc/$1/stat")
  awk -v a="$a" -v b="$b" -v t="$tick" 'BEGIN { printf "%.1f", (b - a) * 100 / t / 5 }'
}
wayland_run() {
  local start pid
  : >"$WORK/trace"
  chmod 666 "$WORK/trace"
  start=$(ms)
  "${AS[@]}" WAYLAND_DISPLAY=wayland-1 VELMORAN_CAPTURE="$WORK/picture.bmp" VELMORAN_TRACE_FRAMES=1 \
    "$VIEWER" 2>"$WORK/trace" &
  pid=$!
  until grep -q '^frame' "$WORK/trace"; do sleep 0.002; done
  echo "wayland start $(($(ms) - start)) ms, share $(share $pid) %"
  kill -TERM $pid
  wait $pid
}
x11_run() {
  local start pid
  start=$(ms)
  env -u WAYLAND_DISPLAY DISPLAY=:77 VELMORAN_CAPTURE="$WORK/picture.bmp" "$VIEWER" &
  pid=$!
  DISPLAY=:77 xdotool search --sync --onlyvisible --name '^Velmoran_VC$' >/dev/null
  echo "x11     start $(($(ms) - start)) ms, share $(share $pid) %"
  kill -TERM $pid
  wait $pid
}
for ((i = 0; i < RUNS; i++)); do
  wayland_run
  x11_run
done
