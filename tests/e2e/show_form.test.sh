#!/usr/bin/env bash
# platforms: linux windows
# The show's hidden form on the real platform with the real music player,
# whose media commands the probe prints, and a stand-in viewer whose timing
# the scenario sets: what each music setting sends and when its timer ticks,
# how long the show waits for a viewer that is slow to show its window, and
# how the end of the session ends the show.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

APP="$WORK/app"
mkdir -p "$APP" "$WORK/run"
cp "$(helper fake_viewer)" "$APP/Velmoran.dll"
# The probe, as the saver, finds the sound module beside itself.
PROBE=$APP/$(basename "$(helper show_probe)")
cp "$(helper show_probe)" "$PROBE"
add_sound_module "$APP"
export XDG_RUNTIME_DIR="$WORK/run"
# Sound goes into a file, and the CD drive is an image that is not there.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/heard.raw"
export VELMORAN_CDROM="$WORK/no-such-disc.cue"

# show <BgmKind> <BgmFile> <S|->: starts a show in the background; the media
# commands go to $WORK/calls.
show() {
  start "$PROBE" "$(native_path "$APP")" "$@" >"$WORK/calls" 2>>"$OUT/probe.log"
  SHOW_PID=$LAST_PID
}

# calls: the commands sent, separated by "|", runs of one command shown
# once with its count ("status MP3Play mode x3").
calls() {
  tr -d '\r' <"$WORK/calls" | uniq -c |
    sed -E 's/^ *1 (.*)$/\1/; s/^ *([0-9]+) (.*)$/\2 x\1/' | paste -sd '|'
}

expect_calls() {
  local got
  got=$(calls)
  [[ "$got" =~ ^$1$ ]] || fail "$2: media commands '$got', expected '$1'"
}

# end_show: closes the stand-in viewer; the show must end within a second
# and a half of it (three watch ticks).
end_show() {
  run "$(helper send_close)" Velmoran_VC
  wait_exit "$SHOW_PID" 2
}

note "MP3 in any case: opened and played, restarted every second, closed at the end"
show 2 'C:\Music\song.Mp3' S
wait_window Velmoran_VC 20 >/dev/null
sleep 3.2
end_show
# The file is not there: open fails, so each tick finds it not playing.
repeat='status MP3Play mode\|stop MP3Play\|play MP3Play from 0'
expect_calls "open \"C:\\\\Music\\\\song.Mp3\" type MPEGVideo Alias MP3Play(\\|$repeat){2,8}\\|stop MP3Play\\|close MP3Play\\|show ended" "mp3"

note "An audio CD without a disc: one poll, then the timer is off; nothing is sent at the end"
show 1 '' S
wait_window Velmoran_VC 20 >/dev/null
sleep 1.5
end_show
expect_calls 'open cdaudio\|set cdaudio time format tmsf\|status cdaudio current track\|show ended' "no disc"

note "A .mid file starts no music and no timer"
show 2 /music/tune.mid S
wait_window Velmoran_VC 20 >/dev/null
sleep 1.5
end_show
expect_calls 'show ended' ".mid"

note "A viewer slow to show its window keeps the show and its music going"
export VELMORAN_FAKE_VIEWER_DELAY_MS=3000
show 2 /music/loop.WAV S
sleep 2
running "$SHOW_PID" || fail "the show ended before the slow viewer came up"
wait_window Velmoran_VC 20 >/dev/null
sleep 1
running "$SHOW_PID" || fail "the show ended after the slow viewer came up"
end_show
# Wine here has no wave output device, and without one no wave is started.
started='wave /music/loop.WAV\|'
[ "$PLATFORM" = windows ] && started=''
expect_calls "${started}wave stop\\|show ended" "slow viewer"

note "A viewer that ends before its window shows ends the show soon after"
export VELMORAN_FAKE_VIEWER_DELAY_MS=60000 VELMORAN_FAKE_VIEWER_EXIT_S=1
show 0 '' S
wait_exit "$SHOW_PID" 6  # well short of the 10 s a starting viewer is given
expect_calls 'show ended' "viewer gone early"

# end_session: what the system does when the session ends: SIGTERM (or
# SIGHUP, given) on Linux, WM_QUERYENDSESSION and WM_ENDSESSION on Windows.
end_session() {
  if [ "$PLATFORM" = windows ]; then
    [ "$(run "$(helper end_session)" Velmoran_Main | tr -d '\r')" = allowed ] || fail "the show held the log-off up"
  else
    kill "-${1:-TERM}" "$SHOW_PID"
  fi
  wait_exit "$SHOW_PID" 2
  local i
  for ((i = 0; i < 20; i++)); do [ -z "$(window_id Velmoran_VC)" ] && return 0; sleep 0.05; done
  fail "the viewer outlived the session's end"
}

unset VELMORAN_FAKE_VIEWER_DELAY_MS VELMORAN_FAKE_VIEWER_EXIT_S
note "The session's end stops the music and ends the viewer with the show"
show 2 'C:\Music\song.Mp3' S
wait_window Velmoran_VC 20 >/dev/null
sleep 1.2
end_session
expect_calls "open \"C:\\\\Music\\\\song.Mp3\" type MPEGVideo Alias MP3Play(\\|$repeat){0,4}\\|stop MP3Play\\|close MP3Play\\|show ended" "session end"
if [ "$PLATFORM" = linux ]; then
  note "SIGHUP ends it the same way"
  show 2 /music/loop.WAV S
  wait_window Velmoran_VC 20 >/dev/null
  sleep 0.5
  end_session HUP
  expect_calls 'wave /music/loop.WAV\|wave stop\|show ended' "hang-up"
fi
