#!/usr/bin/env bash
# platforms: linux windows
# A show with the real saver and the real viewer, side by side in one folder:
# the capture file against the screen it photographed, the viewer showing it,
# Escape ending both, a close request to the hidden form, the pointer, the
# music heard through SDL's disk driver (Linux), the session's end (SIGTERM,
# SIGHUP on Linux), a viewer that cannot start or dies, and the capture of a
# screen whose rows need padding.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

APP="$WORK/app"
mkdir -p "$APP" "$WORK/run"
cp "$(program Velmoran.scr)" "$(program Velmoran.dll)" "$APP/"
add_sound_module "$APP"
unset VELMORAN_CAPTURE
export XDG_RUNTIME_DIR="$WORK/run"
if [ "$PLATFORM" = windows ]; then
  CAPTURE="$WINEPREFIX/drive_c/Velmoran.bmp"
else
  CAPTURE="$WORK/run/Velmoran.bmp"
fi
rm -rf "$CAPTURE"

# settings [<BgmKind> <BgmFile>]: the settings file beside the saver, its keys
# in code page 932; none at all without arguments.
settings() {
  if [ $# -eq 0 ]; then
    rm -f "$APP/Velmoran.ini"
    return
  fi
  music_settings "$APP/Velmoran.ini" "$1" "$(native_path "$2")"
}

# saver <args...>: starts the saver in the background (SAVER_PID).
saver() {
  start "$APP/Velmoran.scr" "$@" 2>>"$OUT/programs.log"
  SAVER_PID=$LAST_PID
}

# viewer_up: waits for the viewer's window; on Linux VIEWER_PID is the
# saver's child.
viewer_up() {
  wait_window Velmoran_VC 30 >/dev/null
  VIEWER_PID=""
  if [ "$PLATFORM" = linux ]; then VIEWER_PID=$(pgrep -P "$SAVER_PID" | head -n 1); fi
}

viewer_running() {
  [ -n "$(window_id Velmoran_VC)" ] && { [ -z "$VIEWER_PID" ] || running "$VIEWER_PID"; }
}

escape() { xdotool keydown Escape sleep 0.3 keyup Escape; }

# escape_ends_both <label>: Escape held in the viewer ends it, and the saver
# ends within a second of it.
escape_ends_both() {
  escape
  local viewer_end="" saver_end="" i
  for ((i = 0; i < 200; i++)); do
    [ -n "$viewer_end" ] || viewer_running || viewer_end=$(now_ms)
    [ -n "$saver_end" ] || running "$SAVER_PID" || saver_end=$(now_ms)
    [ -n "$viewer_end" ] && [ -n "$saver_end" ] && break
    sleep 0.05
  done
  [ -n "$viewer_end" ] || fail "$1: Escape did not end the viewer"
  [ -n "$saver_end" ] || fail "$1: the saver did not end with the viewer"
  local gap=$((saver_end - viewer_end))
  [ "${gap#-}" -le 1000 ] || fail "$1: the saver ended ${gap} ms after the viewer"
  wait_exit "$SAVER_PID" 1
  [ "$EXIT_STATUS" -eq 0 ] || fail "$1: the saver ended with status $EXIT_STATUS"
}

# stop <pid>: ends a helper begun with start.
stop() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# pattern_colour <block> [plain]: "r,g,b" of that block of the pattern helper.
pattern_colour() {
  if [ "${2:-}" = plain ]; then
    local k=$((($1 * 5 + $1 / 8 + 1) % 8))
    echo "$(((k & 1) * 255)),$(((k >> 1 & 1) * 255)),$(((k >> 2 & 1) * 255))"
  else
    echo "$((9 + 34 * ($1 % 8))),$((3 + 41 * ($1 / 8))),$((250 - 5 * $1))"
  fi
}

# show_pattern [plain]: the pattern helper's blocks of distinct colours over
# the whole screen; returns once every block is on screen (the corner can
# show before the rest of the window is painted), with a screenshot of them
# in $OUT/pattern.png and of what lies under the viewer's window in
# $WORK/beneath.png.
show_pattern() {
  local w h i block middles=() colours=""
  read -r w h < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
  for ((block = 0; block < 48; block++)); do
    middles+=($((((block % 8) * w / 8 + (block % 8 + 1) * w / 8) / 2))
      $((((block / 8) * h / 6 + (block / 8 + 1) * h / 6) / 2)))
    colours+=" $(pattern_colour "$block" "$@")"
  done
  start "$(helper pattern_window)" "$@" 2>/dev/null  # it complains when its display goes
  PATTERN_PID=$LAST_PID
  for ((i = 0; i < 200; i++)); do
    screenshot "$OUT/pattern.png"
    if [ "$(pixels "$OUT/pattern.png" "${middles[@]}")" = "${colours# }" ]; then
      convert "$OUT/pattern.png" -crop 1024x768+0+0 +repage "$WORK/beneath.png"
      return 0
    fi
    sleep 0.05
  done
  fail "the pattern did not come up"
}

# field <file> <offset> <bytes>: a little-endian number from the file.
field() { od -An -t "u$3" -j "$2" -N "$3" "$1" | tr -d ' '; }

# check_capture <WxH> <label>: the capture file against the screen before the
# show ($OUT/pattern.png): exactly the capture format's header, and pixel for
# pixel the screen, top row first.
check_capture() {
  local w=${1%x*} h=${1#*x} label=$2 file="$OUT/$2.bmp"
  [ -f "$CAPTURE" ] || fail "$label: no capture at $CAPTURE"
  cp "$CAPTURE" "$file"
  local row=$(((w * 3 + 3) / 4 * 4))
  [ "$(head -c 2 "$file")" = BM ] || fail "$label: no BM signature"
  [ "$(field "$file" 2 4)" = $((54 + row * h)) ] || fail "$label: file size field"
  [ "$(stat -c %s "$file")" = $((54 + row * h)) ] || fail "$label: file length"
  [ "$(field "$file" 10 4)" = 54 ] || fail "$label: pixel data offset"
  [ "$(field "$file" 14 4)" = 40 ] || fail "$label: information header size"
  [ "$(field "$file" 18 4)" = "$w" ] || fail "$label: width $(field "$file" 18 4), screen $w"
  [ "$(field "$file" 22 4)" = "$h" ] || fail "$label: height $(field "$file" 22 4), screen $h"
  [ "$(field "$file" 26 2)" = 1 ] || fail "$label: planes"
  [ "$(field "$file" 28 2)" = 24 ] || fail "$label: bits per pixel"
  [ "$(field "$file" 30 4)" = 0 ] || fail "$label: compression"
  [ "$(field "$file" 34 4)" = $((row * h)) ] || fail "$label: image size"

  # The first stored row is the screen's top row: its first pixel, blue,
  # green, red, is the top-left block's colour.
  local first expected
  first=$(od -An -t u1 -j 54 -N 3 "$file" | awk '{print $3 "," $2 "," $1}')
  expected=$(pixel "$OUT/pattern.png" 0 0)
  [ "$first" = "$expected" ] || fail "$label: first stored pixel $first, top-left of the screen $expected"

  # Every pixel: the file read as the bottom-up bitmap it claims to be, turned
  # over, is the screen.
  convert "$file" -flip "$OUT/$label-capture.png"
  local differing
  differing=$(compare -metric AE "$OUT/$label-capture.png" "$OUT/pattern.png" null: 2>&1) || true
  [ "$differing" = 0 ] || fail "$label: $differing pixels differ from the screen"
  note "$label: the $w x $h capture equals the screen"
}

# pattern_in_show <label>: waits until a screenshot of the show shows its
# viewer window (1024 x 768 at the top left) covered by the pattern's
# colours, at least six of its blocks, and not as they lay on the screen:
# the sphere's first frames are drawn, and from then on the viewer reads the
# keyboard. Fails, saying which of these is missing, when 30 s go by first.
pattern_in_show() {
  local shot="$OUT/$1-show.png" found blocks pixels moved missing deadline
  convert "$OUT/pattern.png" -unique-colors -depth 8 txt:- | awk 'NR > 1 {print $2}' >"$WORK/pattern-colours"
  deadline=$(($(now_ms) + 30000))
  while :; do
    screenshot "$shot"
    convert "$shot" -crop 1024x768+0+0 +repage "$WORK/viewer.png"
    # The histogram's lines: "<count>: (r,g,b) #RRGGBB ...".
    found=$(convert "$WORK/viewer.png" -depth 8 -format %c histogram:info:- |
      awk 'NR == FNR {pattern[$1] = 1; next} ($2 in pattern) && $1 + 0 >= 200 {blocks++; pixels += $1}
           END {print blocks + 0, pixels + 0}' "$WORK/pattern-colours" -)
    blocks=${found% *} pixels=${found#* }
    moved=$(compare -metric AE "$WORK/viewer.png" "$WORK/beneath.png" null: 2>&1) || true
    if [ "$blocks" -lt 6 ]; then
      missing="$blocks of the pattern's colours in the show"
    elif [ "$pixels" -lt $((1024 * 768 * 3 / 4)) ]; then
      missing="the pattern covers only $pixels pixels of the viewer"
    elif ! [ "${moved%% *}" -ge 100000 ] 2>/dev/null; then
      missing="the viewer's window shows the screen as it was ($moved)"
    else
      break
    fi
    [ "$(now_ms)" -lt "$deadline" ] || fail "$1: $missing"
    sleep 0.1
  done
  note "$1: $blocks of the pattern's colours cover the viewer's window"
}

# heard <bytes> <label>: waits until the show's music has written that much
# to SDL's disk driver's file.
heard() {
  local i
  for ((i = 0; i < 200; i++)); do
    [ "$(stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null || echo 0)" -ge "$1" ] && return 0
    sleep 0.05
  done
  fail "$2: the music wrote only $(stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null || echo 0) bytes in 10 s"
}

note "A show photographs the screen, the viewer shows it, Escape ends both"
show_pattern
settings
saver /s
viewer_up
check_capture 1280x1024 usual
pattern_in_show usual
escape_ends_both "first show"
[ -f "$CAPTURE" ] || fail "the capture went with the show"

note "A close request to Velmoran_Main ends the saver, and its music; the viewer stays"
touch -d 2000-01-01 "$CAPTURE"
if [ "$PLATFORM" = linux ]; then
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/closed.raw"
  sox -q -n -r 44100 -c 2 -b 16 "$WORK/tone.wav" synth 1 sine 440 vol 0.5
  settings 2 "$WORK/tone.wav"
fi
saver /s
viewer_up
pattern_in_show closing  # the viewer left alone must still take its Escape
[ "$PLATFORM" = windows ] || heard $((44100 * 4)) "before the close request"
run "$(helper send_close)" Velmoran_Main
wait_exit "$SAVER_PID" 2
[ "$PLATFORM" = windows ] || size=$(stat -c %s "$SDL_DISKAUDIOFILE")
# What must not happen, for a second after the saver's end: the viewer going
# too.
sleep 1
viewer_running || fail "the viewer went with the saver"
[ -n "$(find "$CAPTURE" -newermt 2001-01-01)" ] || fail "the second show did not overwrite the capture"
if [ "$PLATFORM" = linux ]; then
  [ "$size" -ge $((44100 * 4)) ] || fail "the music before the close request lasted only $size bytes"
fi
escape
for ((i = 0; i < 60; i++)); do viewer_running || break; sleep 0.05; done
viewer_running && fail "Escape did not end the viewer left alone"
settings

note "The pointer: /s hides it for the show and shows it after; no switch leaves it"
# Nothing outside the saver can ask whether the pointer is hidden (X11 has no
# query for it, and Windows keeps the count per input queue), so the scenario
# watches the calls that hide and show it, as the show runs: the X protocol
# requests of every client on X11, through xtrace; Wine's trace of the saver
# process's show-cursor calls on Windows.
# pointer_show <args...>: starts a show, traced, in the background.
pointer_show() {
  TRACE="$WORK/trace.log"
  rm -f "$TRACE"
  if [ "$PLATFORM" = windows ]; then
    WINEDEBUG=-all,trace+cursor,trace+process,+pid start "$APP/Velmoran.scr" "$@" 2>"$TRACE"
    SAVER_PID=$LAST_PID
    return
  fi
  local n=$((300 + RANDOM % 600))
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  TRACE_DISPLAY=$n
  start xtrace -n -d "$DISPLAY" -D ":$n" -o "$TRACE" -- "$APP/Velmoran.scr" "$@" >>"$OUT/programs.log" 2>&1
  SAVER_PID=$LAST_PID
}

# pointer_calls: "<hides> <shows>" so far.
pointer_calls() {
  if [ "$PLATFORM" = windows ]; then
    # The saver is the process that started the viewer; the viewer hides the
    # pointer in its own window at every frame.
    local pid
    pid=$(grep -a 'trace:process:NtCreateUserProcess.*Velmoran\.dll' "$TRACE" | head -n 1 | cut -d: -f1)
    [ -n "$pid" ] || fail "the trace shows no viewer started"
    echo "$(grep -ac "^$pid:[0-9a-f]*:trace:cursor:NtUserShowCursor 0," "$TRACE")" \
      "$(grep -ac "^$pid:[0-9a-f]*:trace:cursor:NtUserShowCursor 1," "$TRACE")"
  else
    echo "$(grep -c 'XFIXES-Request([0-9]*,29): HideCursor' "$TRACE")" \
      "$(grep -c 'XFIXES-Request([0-9]*,30): ShowCursor' "$TRACE")"
  fi
}

# pointer_case <expected during> <expected after> <args...>: the calls during
# the show once it is drawn (those after it count all the show's).
pointer_case() {
  local during=$1 after=$2 i
  shift 2
  pointer_show "$@"
  wait_window Velmoran_VC 30 >/dev/null
  VIEWER_PID=""
  pattern_in_show "pointer${1:+-${1#/}}"
  for ((i = 0; i < 100; i++)); do [ "$(pointer_calls)" = "$during" ] && break; sleep 0.1; done
  [ "$(pointer_calls)" = "$during" ] || fail "'$*': hides and shows $(pointer_calls) during the show, expected $during"
  escape
  wait_exit "$SAVER_PID" 10
  [ "$(pointer_calls)" = "$after" ] || fail "'$*': hides and shows $(pointer_calls) after the show, expected $after"
  [ "$PLATFORM" = windows ] || rm -f "/tmp/.X11-unix/X$TRACE_DISPLAY"
}
pointer_case "1 0" "1 1" /s
pointer_case "0 0" "0 0"

if [ "$PLATFORM" = linux ]; then
  note "Music during a show, heard through SDL's disk driver"
  sox -q -n -r 44100 -c 2 "$WORK/tone.mp3" synth 1 sine 660 vol 0.5
  printf 'MThd\0\0\0\6\0\0\0\1\0\140MTrk\0\0\0\4\0\377\57\0' >"$WORK/tune.mid"

  # music_show <label> <seconds>: a show of that length with the settings in
  # place, ended by Escape; its sound in $WORK/<label>.raw. SHOW_MS: from the
  # start to Escape; LOADED: the files the saver had loaded then.
  music_show() {
    export SDL_DISKAUDIOFILE="$WORK/$1.raw"
    local started
    started=$(now_ms)
    saver /s
    viewer_up
    sleep "$2"
    SHOW_MS=$(($(now_ms) - started))
    LOADED=$(awk '{ print $6 }' "/proc/$SAVER_PID/maps" | sort -u)
    escape_ends_both "$1"
  }
  # The sound module, and the sound libraries it brings, come with the music.
  sound_libraries() { grep -E '/Velmoran-media\.so$|/libSDL2|/libcdio' <<<"$LOADED" || true; }

  # sound_map <label>: one character per 50 ms of the recording, "#" where
  # it sounds, "." where it is silent.
  sound_map() {
    od -An -v -t d2 -w4 "$WORK/$1.raw" |
      awk '{ a = $1 < 0 ? -$1 : $1; if (a > m) m = a
             if (++n == 2205) { printf "%s", (m > 1000 ? "#" : "."); n = 0; m = 0 } } END { print "" }'
  }

  settings 2 "$WORK/tone.wav"
  music_show wav 3
  map=$(sound_map wav)
  [[ "$map" =~ ^\.{0,10}#+\.{0,6}$ ]] || fail "wav: not one stretch of sound from start to end: $map"
  # What was played reaches the Escape: the recording, which never runs ahead
  # of the clock, lasts as long as the show less its first second.
  [ $((${#map} * 50)) -ge $((SHOW_MS - 1000)) ] ||
    fail "wav: $((${#map} * 50)) ms of sound in a show of $SHOW_MS ms"
  note "wav: $map"
  grep -qx "$APP/Velmoran-media.so" <<<"$LOADED" || fail "wav: the sound module was not loaded from beside the saver"

  settings 2 "$WORK/tone.mp3"
  music_show mp3 4
  map=$(sound_map mp3)
  [[ "$map" =~ ^\.*#{15,}\.{1,24}#{5,} ]] || fail "mp3: the one-second file did not start again after it ended: $map"
  note "mp3: $map"

  settings 2 "$WORK/tune.mid"
  music_show mid 1.5
  [ ! -e "$WORK/mid.raw" ] || fail "mid: the sound output was opened"
  [ -z "$(sound_libraries)" ] || fail "mid: a show without music loaded $(sound_libraries)"

  note "Without its sound module beside it the saver's show goes on, silent"
  mv "$APP/Velmoran-media.so" "$WORK/"
  settings 2 "$WORK/tone.wav"
  music_show no-module 1.5
  [ ! -e "$WORK/no-module.raw" ] || fail "no module: the sound output was opened"
  [ -z "$(sound_libraries)" ] || fail "no module: the saver loaded $(sound_libraries)"
  mv "$WORK/Velmoran-media.so" "$APP/"

  note "SIGTERM or SIGHUP, as the session ends, during a show with music: all ends within half a second"
  settings 2 "$WORK/tone.wav"
  for signal in TERM HUP; do
    export SDL_DISKAUDIOFILE="$WORK/$signal.raw"
    saver /s
    viewer_up
    heard $((44100 * 4)) "SIG$signal"
    kill "-$signal" "$SAVER_PID"
    ended_within "SIG$signal" 500 "$SAVER_PID" "$VIEWER_PID"
    [ -z "$(window_id Velmoran_VC)" ] || fail "SIG$signal: the viewer's window stayed"
    size=$(stat -c %s "$SDL_DISKAUDIOFILE")
    [ "$size" -ge $((44100 * 4)) ] || fail "SIG$signal: the music before the signal lasted only $size bytes"
  done

  settings 1 ""
  export VELMORAN_CDROM="$WORK/no-such-disc.cue"
  music_show cd 1.5
  map=$(sound_map cd)
  [[ "$map" =~ ^\.*$ ]] || fail "cd: sound without a disc: $map"
  unset VELMORAN_CDROM SDL_AUDIODRIVER SDL_DISKAUDIOFILE
  settings
fi

note "A viewer that cannot start ends the show at the first watch tick"
mv "$APP/Velmoran.dll" "$APP/viewer"
echo "not a program" >"$APP/Velmoran.dll"
started=$(now_ms)
saver /s
wait_exit "$SAVER_PID" 5
took=$(($(now_ms) - started))
note "the saver ended $took ms after it was started"
[ "$took" -le 2500 ] || fail "the saver ran $took ms without a viewer"
mv -f "$APP/viewer" "$APP/Velmoran.dll"

note "A viewer that dies mid-show ends the show within a watch tick"
saver /s
viewer_up
pattern_in_show dying
if [ "$PLATFORM" = windows ]; then
  VIEWER_PID=$(pgrep -f "${APP//\//.}.Velmoran\.dll" | head -n 1)
fi
[ -n "$VIEWER_PID" ] || fail "no viewer process found"
kill -9 "$VIEWER_PID"
killed=$(now_ms)
for ((i = 0; i < 60; i++)); do running "$SAVER_PID" || break; sleep 0.05; done
took=$(($(now_ms) - killed))
running "$SAVER_PID" && fail "the saver runs on after its viewer died"
note "the saver ended $took ms after the viewer died"
[ "$took" -le 1000 ] || fail "the saver ended $took ms after the viewer died"
wait_exit "$SAVER_PID" 1

if [ "$PLATFORM" = windows ]; then
  note "Where C:\\Velmoran.bmp cannot be made the capture goes to the temporary folder"
  rm -f "$CAPTURE"
  mkdir "$CAPTURE"  # a folder of that name: no file can be made there
  saver /s
  viewer_up
  pattern_in_show fallback
  escape_ends_both "temporary folder"
  fallback=$(find "$WINEPREFIX/drive_c/users" -path '*/Temp/Velmoran.bmp' | head -n 1)
  [ -n "$fallback" ] || fail "no capture in the temporary folder"
  CAPTURE=$fallback check_capture 1280x1024 fallback
  rmdir "$WINEPREFIX/drive_c/Velmoran.bmp"
  rm -f "$fallback"
  CAPTURE="$WINEPREFIX/drive_c/Velmoran.bmp"
fi

note "A screen whose rows need padding (on Linux 16 bits deep) is captured whole"
stop "$PATTERN_PID"
if [ "$PLATFORM" = windows ]; then
  wineserver -k 2>/dev/null || true
fi
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
rm -f "$WORK/displayfd"
if [ "$PLATFORM" = windows ]; then
  start_display 1366x768x24
  keep_wine_server
  show_pattern
else
  start_display 1366x768x16
  show_pattern plain
fi
saver /s
viewer_up
check_capture 1366x768 padded
pattern_in_show padded
escape_ends_both "padded"
stop "$PATTERN_PID"
