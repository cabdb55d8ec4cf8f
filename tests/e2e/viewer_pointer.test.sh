#!/usr/bin/env bash
# The viewer hides the pointer over its window at every frame and shows it
# once at Escape; the hides outnumber that show, so the pointer stays hidden
# until the window has gone. X11 has no query for a hidden pointer, so the
# scenario reads the pointer pictures the viewer gives its window, in its X
# requests seen through xtrace. (Windows counts by itself: Linux only.)
# platforms: linux
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

n=$((300 + RANDOM % 600))
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
TRACE=$WORK/trace.log
VELMORAN_CAPTURE=$WORK/no-capture.bmp start xtrace -n -d "$DISPLAY" -D ":$n" -o "$TRACE" -- \
  "$(program Velmoran.dll)" >"$OUT/xtrace.log" 2>&1
TRACER_PID=$LAST_PID
at_exit 'rm -f "/tmp/.X11-unix/X$n"'
WINDOW=$(printf '0x%08x' "$(wait_window Velmoran_VC 60)")

# cursor_sets: the pointer pictures given to the window, in order, until the
# window is unmapped or destroyed.
cursor_sets() {
  awk -v w="$WINDOW" '
    index($0, "UnmapWindow window=" w) || index($0, "DestroyWindow window=" w) { exit }
    index($0, "ChangeWindowAttributes window=" w) && match($0, /cursor=[^},]*/) { print substr($0, RSTART + 7, RLENGTH - 7) }
  ' "$TRACE"
}

note "frames hide the pointer"
for ((i = 0; i < 600; i++)); do [ -n "$(cursor_sets)" ] && break; sleep 0.1; done
[ -n "$(cursor_sets)" ] || fail "the viewer never gave its window a pointer picture"
HIDDEN=$(cursor_sets | head -n 1)
[ "${HIDDEN:0:4}" != None ] || fail "the first pointer picture is the parent's, not a hidden one"
xdotool mousemove 512 384
sleep 1  # frames go on hiding it

note "Escape ends the viewer with the pointer hidden until its window goes"
xdotool keydown Escape
wait_exit "$TRACER_PID" 30
xdotool keyup Escape
cp "$TRACE" "$OUT/trace.log"
grep -q "UnmapWindow window=$WINDOW\|DestroyWindow window=$WINDOW" "$TRACE" || fail "the trace does not show the window go"
shown=$(cursor_sets | grep -v -x -F "$HIDDEN" | head -n 1 || true)
[ -z "$shown" ] || fail "the pointer picture became $shown while the window was still there"
note "passed"
