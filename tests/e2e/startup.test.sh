#!/usr/bin/env bash
# The saver's start: a running show or an open settings dialog makes every
# mode end at once; a missing viewer is reported for every mode but the
# preview; an unknown switch ends silently (XScreenSaver's on Windows too);
# /S hides the pointer, /c does not.
# platforms: linux windows
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

# The saver alone in one folder, and beside a stand-in viewer in another.
LONE=$WORK/lone
BESIDE_VIEWER=$WORK/beside-viewer
mkdir -p "$LONE" "$BESIDE_VIEWER"
cp "$(program Velmoran.scr)" "$LONE/"
cp "$(program Velmoran.scr)" "$BESIDE_VIEWER/"
echo "stand-in viewer" >"$BESIDE_VIEWER/Velmoran.dll"

# Command lines as the system gives them; "" is the empty one.
ALL_MODES=("/s" "/S" "/c" "/p 1234" "/a" "")

# saver <folder> <command line>: starts that folder's saver in the background.
saver() {
  local -a args
  read -r -a args <<<"$2"
  start "$1/Velmoran.scr" "${args[@]}"
}

# ends_silently <folder> <command line> <why>: the saver ends by itself, with
# no message box on the way.
ends_silently() {
  saver "$1" "$2"
  local pid=$LAST_PID i
  for ((i = 0; i < 600; i++)); do
    [ -z "$(window_id Velmoran)" ] || fail "'$2' ($3) showed a message"
    running "$pid" || break
    sleep 0.05
  done
  wait_exit "$pid" 1
  [ "$EXIT_STATUS" -eq 0 ] || fail "'$2' ($3) ended with status $EXIT_STATUS"
}

# start_marker <title> [how]: a helper holding a hidden window of that title.
start_marker() {
  local ready="$WORK/marker-ready"
  rm -f "$ready"
  start "$(helper marker_window)" "$@" >"$ready"
  MARKER_PID=$LAST_PID
  local i
  for ((i = 0; i < 400; i++)); do
    grep -q ready "$ready" 2>/dev/null && return 0
    sleep 0.05
  done
  fail "the marker window '$1' did not appear"
}

stop_marker() {
  kill -9 "$MARKER_PID" 2>/dev/null || true
  wait "$MARKER_PID" 2>/dev/null || true
}

note "a running show or an open settings dialog ends every mode at once"
markers=("Velmoran_Main" "<Velmoran>")
hows=("")
[ "$PLATFORM" = linux ] && hows=(wm-name net-wm-name framed)
for title in "${markers[@]}"; do
  for how in "${hows[@]}"; do
    start_marker "$title" ${how:+"$how"}
    for line in "${ALL_MODES[@]}"; do
      ends_silently "$LONE" "$line" "beside '$title' $how"
    done
    stop_marker
  done
done

note "the missing viewer is reported, after which the saver ends"
message_shown() {
  saver "$LONE" "$1"
  local pid=$LAST_PID id
  id=$(wait_window Velmoran 30)
  kill -0 "$pid" 2>/dev/null || fail "'$1': the saver did not wait for the message to close"
  local name=${1//[^a-zA-Z]/_}
  local shot="$OUT/message-${name:-empty}.png"
  screenshot "$shot"
  if [ "$PLATFORM" = windows ]; then
    local text
    text=$(run "$(helper message_text)" Velmoran)
    [ "$text" = "Velmoran.dll が同じﾌｫﾙﾀﾞに見つかりません！" ] || fail "'$1': message reads '$text'"
  fi
  xdotool windowfocus "$id" 2>/dev/null || true
  xdotool key Return
  wait_exit "$pid" 30
  [ -z "$(window_id Velmoran)" ] || fail "'$1': the message stayed after OK"
}
for line in "/s" "/c" "/a" ""; do
  message_shown "$line"
done
ends_silently "$LONE" "/p 1234" "the preview does not look for the viewer"

note "an unknown switch ends silently when the viewer is there"
ends_silently "$BESIDE_VIEWER" "/a" "unknown switch"
ends_silently "$BESIDE_VIEWER" "/" "one character"
if [ "$PLATFORM" = windows ]; then
  # XScreenSaver's switches (hack.test.sh) are none on Windows.
  ends_silently "$BESIDE_VIEWER" "-root" "XScreenSaver's -root"
  ends_silently "$BESIDE_VIEWER" "--window-id 0x1234" "XScreenSaver's --window-id"
fi

note "/S hides the pointer, /c does not"
# closing_dialog <command...>: runs it; the settings dialog that /c opens is
# closed as soon as it shows, as its close box would.
closing_dialog() {
  "$@" &
  local pid=$! i
  for ((i = 0; i < 600; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    if [ -n "$(window_id "<Velmoran>")" ]; then WINEDEBUG=-all run "$(helper send_close)" "<Velmoran>" || true; fi
    sleep 0.1
  done
  wait "$pid" || true
}

# A hidden pointer cannot be seen from outside the saver (X11 has no query
# for it, and Windows keeps the count per input queue), so the check watches
# the saver make the call: its X protocol requests on X11, Wine's trace of
# the show-cursor call on Windows.
hide_calls() {
  local log="$WORK/trace.log"
  rm -f "$log"
  if [ "$PLATFORM" = windows ]; then
    local -a args
    read -r -a args <<<"$1"
    WINEDEBUG=-all,trace+cursor closing_dialog wine "$BESIDE_VIEWER/Velmoran.scr" "${args[@]}" 2>"$log" >/dev/null
    grep -c "NtUserShowCursor 0," "$log" || true
  else
    local n=$((300 + RANDOM % 600))
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    # shellcheck disable=SC2086
    closing_dialog xtrace -n -d "$DISPLAY" -D ":$n" -o "$log" -- "$BESIDE_VIEWER/Velmoran.scr" $1 >/dev/null 2>&1
    rm -f "/tmp/.X11-unix/X$n"
    grep -q "QueryExtension name='XFIXES'\|Request(98)" "$log" || fail "the trace of '$1' saw no request at all"
    grep -c "XFIXES-Request([0-9]*,29): HideCursor" "$log" || true
  fi
}
# /s and the empty command line, during and after a show: show.test.sh.
[ "$(hide_calls "/S")" -ge 1 ] || fail "'/S' did not hide the pointer"
[ "$(hide_calls "/c")" -eq 0 ] || fail "/c hid the pointer"

note "all passed"
