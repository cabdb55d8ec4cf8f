#!/usr/bin/env bash
# The viewer under a headless weston, which has no layer shell: a toplevel
# window titled "Velmoran_VC" with that app id, drawing at the compositor's
# frames; the saver's pipe told when its surface is up and when it has gone;
# SIGTERM ends it with status 0.
# platforms: linux
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

VIEWER=$(program Velmoran.dll)
plain_user
HOME_DIR=$WORK/home
user_home "$HOME_DIR"
RUNTIME=$WORK/run
user_home "$RUNTIME"
chmod 700 "$RUNTIME"
chmod o+rx "$BUILD" "$BUILD/bin" 2>/dev/null || true
convert -size 640x480 xc:red -type TrueColor "BMP3:$WORK/red.bmp"
chmod 644 "$WORK/red.bmp"

user_command "$HOME_DIR"
AS=("${USER_COMMAND[@]}" XDG_RUNTIME_DIR="$RUNTIME")
"${AS[@]}" weston --backend=headless-backend.so --use-pixman --socket=wayland-1 --width=1280 --height=800 \
  --idle-time=0 >"$OUT/weston.log" 2>&1 &
WESTON_PID=$!
at_exit "kill $WESTON_PID"
for ((i = 0; i < 200; i++)); do [ -S "$RUNTIME/wayland-1" ] && break; sleep 0.05; done
[ -S "$RUNTIME/wayland-1" ] || fail "weston did not start"

# The saver's pipe: the viewer writes to its end on descriptor 3.
mkfifo "$WORK/notice"
cat "$WORK/notice" >"$OUT/notices" &
READER=$!
: >"$OUT/viewer.stderr"
"${AS[@]}" WAYLAND_DISPLAY=wayland-1 WAYLAND_DEBUG=1 VELMORAN_CAPTURE="$WORK/red.bmp" VELMORAN_TRACE_FRAMES=1 \
  VELMORAN_SURFACE_FD=3 "$VIEWER" 2>>"$OUT/viewer.stderr" 3>"$WORK/notice" &
VIEWER_PID=$!
for ((i = 0; i < 600; i++)); do
  [ "$(grep -c '^frame' "$OUT/viewer.stderr")" -ge 3 ] && break
  kill -0 "$VIEWER_PID" 2>/dev/null || fail "the viewer ended before drawing"
  sleep 0.05
done
[ "$(grep -c '^frame' "$OUT/viewer.stderr")" -ge 3 ] || fail "the viewer never drew"
grep -q 'xdg_toplevel@[0-9]*\.set_title("Velmoran_VC")' "$OUT/viewer.stderr" || fail "no toplevel titled Velmoran_VC"
grep -q 'xdg_toplevel@[0-9]*\.set_app_id("Velmoran_VC")' "$OUT/viewer.stderr" || fail "no app id Velmoran_VC"
grep -q 'zwlr_layer' "$OUT/viewer.stderr" && fail "a layer surface where the compositor has no layer shell"
grep -q 'wl_callback@[0-9]*\.done' "$OUT/viewer.stderr" || fail "frames not paced by the compositor's callbacks"
for ((i = 0; i < 100; i++)); do [ -s "$OUT/notices" ] && break; sleep 0.05; done
[ "$(head -n 1 "$OUT/notices")" = up ] || fail "the saver was not told the surface is up"

kill -TERM "$VIEWER_PID"
wait "$VIEWER_PID" || fail "SIGTERM: status $?"
wait "$READER"
[ "$(cat "$OUT/notices")" = "$(printf 'up\ngone')" ] || fail "notices: $(cat "$OUT/notices")"
note passed
