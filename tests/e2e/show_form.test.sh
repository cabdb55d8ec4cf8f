#!/usr/bin/env bash
# platforms: linux windows
# The show's hidden form on the real platform, with a stand-in viewer and a
# music player that prints its calls: the capture written and handed over,
# the timers ticking, the end when the viewer goes (closed, crashed, slow to
# start or never started) and on a close request to "Velmoran_Main".
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

APP="$WORK/app"
mkdir -p "$APP" "$WORK/run"
cp "$(helper fake_viewer)" "$APP/Velmoran.dll"
export XDG_RUNTIME_DIR="$WORK/run"
export VELMORAN_FAKE_VIEWER_LOG
VELMORAN_FAKE_VIEWER_LOG=$(native_path "$WORK/viewer.log")
if [ "$PLATFORM" = windows ]; then
  CAPTURE="$WINEPREFIX/drive_c/Velmoran.bmp"
  CAPTURE_AS_GIVEN='C:\Velmoran.bmp'
else
  CAPTURE="$WORK/run/Velmoran.bmp"
  CAPTURE_AS_GIVEN=$CAPTURE
fi

# show <BgmKind> <BgmFile> <S|-> [cd-fails]: starts a show in the background;
# its music calls go to $WORK/calls.
show() {
  : >"$WORK/calls"
  : >"$WORK/viewer.log"
  start "$(helper show_probe)" "$(native_path "$APP")" "$@" >"$WORK/calls"
  SHOW_PID=$LAST_PID
}

# calls: what the music player was asked, runs of one call shown once with
# its count ("RepeatMp3 x3").
calls() { tr -d '\r' <"$WORK/calls" | uniq -c | awk '{ print ($1 > 1) ? $2 " x" $1 : $2 }' | paste -sd ' '; }

expect_calls() {
  local got
  got=$(calls)
  [[ "$got" =~ ^$1$ ]] || fail "$2: music calls '$got', expected '$1'"
}

viewer_gone() {
  local i
  for ((i = 0; i < 100; i++)); do
    [ -z "$(window_id Velmoran_VC)" ] && return 0
    sleep 0.05
  done
  fail "the stand-in viewer's window stayed"
}

note "MP3: started, repeated every second, closed when the viewer goes"
show 2 'C:\Music\song.Mp3' S
wait_window Velmoran_VC 20 >/dev/null
wait_window Velmoran_Main 5 >/dev/null
sleep 2.5
run "$(helper send_close)" Velmoran_VC
viewer_gone
wait_exit "$SHOW_PID" 3
expect_calls 'StartMp3 RepeatMp3 x[2-9] CloseMp3 show' "mp3"
tr -d '\r' <"$WORK/viewer.log" | grep -qxF "capture=$CAPTURE_AS_GIVEN" || fail "the viewer was told: $(cat "$WORK/viewer.log")"
[ "$(head -c 2 "$CAPTURE")" = BM ] || fail "no capture at $CAPTURE"
[ "$(od -An -t d4 -j 18 -N 8 "$CAPTURE" | xargs)" = "1280 1024" ] || fail "the capture is not of the whole screen"
touch -d 2000-01-01 "$CAPTURE"

note "A close request to Velmoran_Main ends the show; the viewer stays"
show 2 /music/loop.wav -
wait_window Velmoran_VC 20 >/dev/null
wait_window Velmoran_Main 5 >/dev/null
run "$(helper send_close)" Velmoran_Main
wait_exit "$SHOW_PID" 3
expect_calls 'StartWav StopWav show' "close request"
sleep 1
[ -n "$(window_id Velmoran_VC)" ] || fail "the viewer went with the show"
[ -n "$(find "$CAPTURE" -newermt 2001-01-01)" ] || fail "the second show did not overwrite the capture"
run "$(helper send_close)" Velmoran_VC
viewer_gone

note "A CD that fails stops its timer after one poll and is not closed"
show 1 '' S cd-fails
wait_window Velmoran_VC 20 >/dev/null
sleep 1
run "$(helper send_close)" Velmoran_VC
wait_exit "$SHOW_PID" 3
expect_calls 'OpenCdAudio PollCdAudio show' "failing CD"

note "A .mid file plays nothing"
show 2 /music/tune.mid S
wait_window Velmoran_VC 20 >/dev/null
sleep 1.5
run "$(helper send_close)" Velmoran_VC
wait_exit "$SHOW_PID" 3
expect_calls 'show' ".mid"

note "A viewer slow to show its window keeps the show going"
export VELMORAN_FAKE_VIEWER_DELAY_MS=3000
show 2 x.wav S
wait_window Velmoran_VC 20 >/dev/null
kill -0 "$SHOW_PID" 2>/dev/null || fail "the show ended before the slow viewer came up"
run "$(helper send_close)" Velmoran_VC
wait_exit "$SHOW_PID" 3
expect_calls 'StartWav StopWav show' "slow viewer"

note "A viewer that ends before its window shows ends the show soon after"
export VELMORAN_FAKE_VIEWER_DELAY_MS=60000 VELMORAN_FAKE_VIEWER_EXIT_S=1
show 0 '' S
wait_exit "$SHOW_PID" 6  # well short of the 10 s a starting viewer is given
unset VELMORAN_FAKE_VIEWER_DELAY_MS

note "A viewer that dies mid-show ends the show"
export VELMORAN_FAKE_VIEWER_EXIT_S=3
show 0 '' S
wait_window Velmoran_VC 20 >/dev/null
wait_exit "$SHOW_PID" 6
unset VELMORAN_FAKE_VIEWER_EXIT_S

note "A viewer that cannot start ends the show at the first watch tick"
echo "not a program" >"$APP/Velmoran.dll"
show 2 x.mp3 S
wait_exit "$SHOW_PID" 5
expect_calls 'StartMp3 (RepeatMp3 )?CloseMp3 show' "no viewer"

if [ "$PLATFORM" = windows ]; then
  note "Where C:\\Velmoran.bmp cannot be created the capture goes to the temporary folder"
  cp "$(helper fake_viewer)" "$APP/Velmoran.dll"
  rm -f "$CAPTURE"
  mkdir "$CAPTURE"  # a folder of that name: no file can be made there
  show 0 '' S
  wait_window Velmoran_VC 20 >/dev/null
  given=$(tr -d '\r' <"$WORK/viewer.log" | sed -n 's/^capture=//p')
  run "$(helper send_close)" Velmoran_VC
  wait_exit "$SHOW_PID" 3
  [[ "$given" == *'\Velmoran.bmp' && "$given" != 'C:\Velmoran.bmp' ]] || fail "the viewer was told '$given'"
  [ "$(head -c 2 "$(winepath -u "$given" 2>/dev/null)")" = BM ] || fail "no capture at $given"
  note "the capture went to $given"
  rmdir "$CAPTURE"
fi
