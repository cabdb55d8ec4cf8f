#!/usr/bin/env bash
# The saver on a Wayland desktop without any X display (headless sway, as a
# plain user, no Xwayland): the settings dialog and the preview say that they
# need one and fail; a show runs, holds its mark in the session's runtime
# folder, and a second show or a dialog started beside it ends at once; the
# show ends with Escape and its mark with it.
# platforms: linux
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
unset DISPLAY XAUTHORITY

SAVER=$(program Velmoran.scr)

source "$(dirname "$0")/sway_lib.sh"
dir=$(dirname "$(realpath "$SAVER")")
while [ "$dir" != / ]; do chmod o+x "$dir" 2>/dev/null || true; dir=$(dirname "$dir"); done
chmod o+rx "$BUILD/bin"
start_sway 'output * bg #204080 solid_color'
RUNTIME=$SWAY_RUNTIME
MARKS=$RUNTIME/velmoran-wayland-1

# saver_alone <args...>: runs the saver to its end (at most 10 s); its status
# in STATUS, its error output in $OUT/saver.stderr.
saver_alone() {
  STATUS=0
  timeout 10 "${AS[@]}" "$SAVER" "$@" >"$OUT/saver.stdout" 2>"$OUT/saver.stderr" || STATUS=$?
  [ "$STATUS" != 124 ] || fail "Velmoran.scr $* still runs after 10 s"
}

# Without an X display the dialog and the preview cannot open: one line on the
# error output says so, and the status is not 0.
saver_alone /c
[ "$STATUS" != 0 ] || fail "/c without an X display ended with status 0"
[ "$(wc -l <"$OUT/saver.stderr")" = 1 ] || fail "/c wrote $(wc -l <"$OUT/saver.stderr") lines: $(cat "$OUT/saver.stderr")"
grep -q 'settings dialog needs an X display' "$OUT/saver.stderr" ||
  fail "/c did not say that it needs an X display: $(cat "$OUT/saver.stderr")"
saver_alone /p 0
[ "$STATUS" != 0 ] || fail "/p without an X display ended with status 0"
grep -q 'preview needs an X display' "$OUT/saver.stderr" || fail "/p: $(cat "$OUT/saver.stderr")"

# The first show, until its viewer draws (the viewer inherits the tracing).
: >"$OUT/show.stderr"
chmod 666 "$OUT/show.stderr"
"${AS[@]}" VELMORAN_TRACE_FRAMES=1 "$SAVER" /s 2>>"$OUT/show.stderr" &
SHOW_PID=$!
STARTED+=("$SHOW_PID")
for ((i = 0; i < 400; i++)); do
  [ "$(grep -c '^frame' "$OUT/show.stderr")" -ge 2 ] && break
  running "$SHOW_PID" || fail "the show ended before its viewer drew: $(tail -n 5 "$OUT/show.stderr")"
  sleep 0.05
done
[ "$(grep -c '^frame' "$OUT/show.stderr")" -ge 2 ] || fail "the show's viewer never drew"
marks() { find "$MARKS" -mindepth 1 -name "$1" -printf '%f %m %u\n' 2>/dev/null; }
[ "$(stat -c '%a %U' "$MARKS")" = "700 $PLAIN_USER" ] || fail "the marks' folder: $(stat -c '%a %U' "$MARKS")"
[[ "$(marks '*')" =~ ^Velmoran_Main\.$SHOW_PID\.[0-9]+\ 600\ $PLAIN_USER$ ]] ||
  fail "the show's mark: $(marks '*')"
# ours <program>: the processes of this build's program (other scenarios may
# run the plain user's programs at the same time).
ours() { pgrep -u "$PLAIN_USER" -f "^$BUILD/bin/$1( |\$)"; }
[ "$(ours Velmoran.dll | wc -l)" = 1 ] || fail "viewers: $(ours Velmoran.dll)"

# A second show beside it ends at once, starting nothing, and the first goes
# on; so does a dialog, silently.
"${AS[@]}" "$SAVER" /s 2>"$OUT/second.stderr" &
SECOND_PID=$!
STARTED+=("$SECOND_PID")
ended_within "a second show beside the first" 1000 "$SECOND_PID"
wait "$SECOND_PID" || fail "the second show ended with status $?"
running "$SHOW_PID" || fail "the first show ended with the second"
[ "$(ours Velmoran.dll | wc -l)" = 1 ] || fail "the second show started a viewer"
[ "$(ours Velmoran.scr)" = "$SHOW_PID" ] || fail "saver processes: $(ours Velmoran.scr)"
saver_alone /c
[ "$STATUS" = 0 ] && [ ! -s "$OUT/saver.stderr" ] || fail "/c beside the show: status $STATUS, $(cat "$OUT/saver.stderr")"
running "$SHOW_PID" || fail "the first show ended with the dialog's start"

# Escape from a virtual keyboard, held as a finger holds it, ends the show,
# and its mark goes with it.
press_escape
wait_exit "$SHOW_PID" 5
[ "$EXIT_STATUS" = 0 ] || fail "the show ended with status $EXIT_STATUS"
[ -z "$(marks '*')" ] || fail "marks left after the show: $(marks '*')"
note "passed"
