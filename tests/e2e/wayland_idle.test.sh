#!/usr/bin/env bash
# A show on a Wayland desktop started as its users start savers: swayidle
# runs the saver once the session has been idle for its time, under a
# headless sway without Xwayland. The show comes up within 3 s of that
# time, its MP3 plays (into SDL's disk driver) and stops when Escape ends
# the show, and nothing of ours is left.
# platforms: linux
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
source "$(dirname "$0")/sway_lib.sh"

block_desktop "$WORK/desktop.png" 1280x800
start_sway "output * bg $WORK/desktop.png fill" 'output HEADLESS-1 mode 1280x800@60Hz position 0 0'

# The saver with its settings beside it, in a folder of the user's, so that
# it reads them there: an MP3 file as the music.
APP=$SWAY_HOME/app
mkdir -p "$APP"
cp "$(program Velmoran.scr)" "$(program Velmoran.dll)" "$APP/"
add_sound_module "$APP"
sox -q -n -r 44100 -c 2 "$APP/tone.mp3" synth 1 sine 440 vol 0.5
music_settings "$APP/Velmoran.ini" 2 "$APP/tone.mp3"
chown -R "$PLAIN_USER:" "$APP"
SOUND=$SWAY_HOME/heard.raw

# The top-left part the viewer's surface covers, against the desktop there:
# a quarter of its pixels changed.
grim_as -g '0,0 1024x768' "$WORK/desktop-part.png"
region_changed() {
  grim_as -g '0,0 1024x768' "$WORK/now.png" 2>/dev/null || return 1
  local differing
  differing=$(compare -metric AE -fuzz 10% "$WORK/now.png" "$WORK/desktop-part.png" null: 2>&1 || true)
  [[ "$differing" =~ ^[0-9]+$ ]] && [ "$differing" -gt $((1024 * 768 / 4)) ]
}

note "swayidle starts the saver after two idle seconds"
# The viewer's first frame, as it tells it (VELMORAN_TRACE_FRAMES: a line a
# frame, in milliseconds of the system's uptime clock), is the show's start.
uptime_ms() { awk '{ printf "%d\n", $1 * 1000 }' /proc/uptime; }
begun=$(uptime_ms)
"${AS[@]}" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$SOUND" VELMORAN_TRACE_FRAMES=1 \
  swayidle -w timeout 2 "$APP/Velmoran.scr /s" >"$OUT/swayidle.log" 2>&1 &
IDLE_PID=$!
STARTED+=("$IDLE_PID")
for ((i = 0; i < 200; i++)); do
  grep -q '^frame' "$OUT/swayidle.log" && break
  sleep 0.05
done
first=$(awk '/^frame/ { print $2; exit }' "$OUT/swayidle.log")
[ -n "$first" ] || fail "no show in 10 s of idleness: $(tail -n 3 "$OUT/swayidle.log")"
# The session is idle two seconds after swayidle began to count.
took=$((first - begun - 2000))
note "the show's first frame came $took ms after the session became idle"
[ "$took" -le 3000 ] || fail "the show came $took ms after the session became idle, more than 3 s"
for ((i = 0; i < 40; i++)); do region_changed && break; sleep 0.05; done
cp "$WORK/now.png" "$OUT/show.png"
region_changed || fail "the show's surface is not on screen (show.png)"

note "its music plays"
for ((i = 0; i < 100; i++)); do [ "$(stat -c %s "$SOUND" 2>/dev/null || echo 0)" -gt $((44100 * 4)) ] && break; sleep 0.05; done
size=$(stat -c %s "$SOUND" 2>/dev/null || echo 0)
[ "$size" -gt $((44100 * 4)) ] || fail "a second of the show played only $size bytes of music"
[ "$(od -An -v -t d2 -w2 "$SOUND" | awk '{ a = $1 < 0 ? -$1 : $1; if (a > m) m = a } END { print m + 0 }')" -gt 1000 ] ||
  fail "the music played is silent"

note "Escape ends the show, its music and every process of ours"
press_escape
for ((i = 0; i < 100; i++)); do [ -z "$(ours_left)" ] && break; sleep 0.05; done
[ -z "$(ours_left)" ] || fail "still running after Escape: $(ours_left | xargs)"
kill "$IDLE_PID"
size=$(stat -c %s "$SOUND")
sleep 0.5
[ "$(stat -c %s "$SOUND")" = "$size" ] || fail "the music went on after the show"
note "all passed"
