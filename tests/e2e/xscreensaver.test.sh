#!/usr/bin/env bash
# platforms: linux
# Velmoran installed (cmake --install into a temporary prefix) and run by the
# real XScreenSaver daemon as its display mode, as a plain user (the daemon
# refuses root), with the user's own settings file since the installed
# program's folder is not the user's to write: "xscreensaver-command
# -activate" shows the sphere with the desktop over the whole screen, its
# corners too, and the music plays (SDL's disk driver);
# "-deactivate" leaves none of our programs within a second, and the music
# stops; the preview pane of xscreensaver-settings, which starts the hack with
# --window-id, gets the still preview.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hack_lib.sh"
e2e_init "$@"
hack_init
plain_user

PREFIX=$WORK/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >"$OUT/install.log" || fail "cmake --install failed"
HACK=$PREFIX/libexec/xscreensaver/velmoran
[ -L "$HACK" ] || fail "no hack installed at $HACK"

USER_HOME=$WORK/home
user_home "$USER_HOME"
MUSIC=$USER_HOME/music.raw
SETTINGS=$USER_HOME/.config/velmoran/Velmoran.ini
mkdir -p "$(dirname "$SETTINGS")" "$USER_HOME/run"
sox -q -n -r 44100 -c 2 -b 16 "$USER_HOME/tone.wav" synth 1 sine 440 vol 0.5
music_settings "$SETTINGS" 2 "$USER_HOME/tone.wav"
cat >"$USER_HOME/.xscreensaver" <<EOF
mode: one
selected: 0
timeout: 1:00:00
cycle: 0:00:00
lock: False
fade: False
unfade: False
splash: False
dpmsEnabled: False
grabDesktopImages: True
programs: GL: $HACK -root \\n
EOF
chown -R "$PLAIN_USER:" "$USER_HOME"

# ours: the processes of the installed programs (a zombie has ended).
ours() {
  local process
  for process in /proc/[0-9]*; do
    case "$(readlink "$process/exe" 2>/dev/null)" in "$PREFIX"/*) echo "${process#/proc/}" ;; esac
  done
}

saver_command() { as_user "$USER_HOME" xscreensaver-command "$@" >>"$OUT/xscreensaver-command.log" 2>&1; }

# The desktop: the stand-in's four quadrants over the whole screen.
host_start desktop
DESKTOP_PID=$HOST_PID

note "the daemon, as $PLAIN_USER"
user_command "$USER_HOME"
start "${USER_COMMAND[@]}" XDG_RUNTIME_DIR="$USER_HOME/run" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$MUSIC" \
  xscreensaver -no-splash -verbose >"$OUT/xscreensaver.log" 2>&1 8>&-
DAEMON_PID=$LAST_PID
at_exit 'kill -TERM "$DAEMON_PID" 2>/dev/null; wait "$DAEMON_PID" 2>/dev/null'
for ((i = 0; i < 100; i++)); do saver_command -time && break; sleep 0.1; done
[ "$i" -lt 100 ] || fail "the daemon does not answer (see xscreensaver.log)"

note "-activate: the sphere with the desktop over the whole screen"
# How soon is the benchmarks' business (bench/vs-xscreensaver); here the
# show must come, and the bound only stops a show that never does.
activated=$(now_ms)
saver_command -activate
shown=""
while [ $(($(now_ms) - activated)) -lt 15000 ]; do
  screenshot "$WORK/now.ppm"
  if sphere_shows_desktop "$WORK/now.ppm"; then
    shown=$(($(now_ms) - activated))
    break
  fi
done
convert "$WORK/now.ppm" "$OUT/shown.png"
if [ -z "$shown" ]; then
  tail -n 12 "$OUT/xscreensaver.log" >&2
  fail "the screen never showed the desktop on the sphere (shown.png; the daemon's log ends above)"
fi
note "the sphere with $SHARE of the screen in the desktop's colours by $shown ms after -activate"
read -r -d '' -a OURS < <(ours) || true
[ "${#OURS[@]}" = 2 ] || fail "${#OURS[@]} of our programs run during the show"

note "the music plays as the user's settings say"
for ((i = 0; i < 60; i++)); do [ "$(stat -c %s "$MUSIC" 2>/dev/null || echo 0)" -ge 176400 ] && break; sleep 0.05; done
loudest=$(od -An -v -t d2 -w2 "$MUSIC" | awk '{ a = $1 < 0 ? -$1 : $1; if (a > m) m = a } END { print m + 0 }')
[ "$loudest" -gt 1000 ] || fail "no sound in the music file (loudest sample $loudest)"

note "-deactivate: within a second none of our programs is left, and the music stops"
saver_command -deactivate &
ended_within "-deactivate" 1000 "${OURS[@]}"
wait $!
[ -z "$(ours)" ] || fail "programs of ours run after the show: $(ours)"
size=$(stat -c %s "$MUSIC")
sleep 0.5
[ "$(stat -c %s "$MUSIC")" = "$size" ] || fail "the music went on after the show"
grep -q "X Error" "$OUT/xscreensaver.log" && fail "X errors in the daemon's log"
note "xscreensaver-settings' preview pane gets the still preview"
"${USER_COMMAND[@]}" xscreensaver-settings >"$OUT/xscreensaver-settings.log" 2>&1 8>&- &
SETTINGS_PID=$!
STARTED+=("$SETTINGS_PID")
PREVIEW=$(wait_window "Preview Window" 30)
pane=$(xwininfo -children -id "$PREVIEW" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
[ -n "$pane" ] && xwininfo -id "$pane" | grep -q '"XScreenSaver Settings Preview"' ||
  fail "the preview is not in the settings' pane"
size() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }
[ "$(size "$PREVIEW")" = "$(size "$pane")" ] || fail "the preview is $(size "$PREVIEW") in a $(size "$pane") pane"
[ -z "$(window_id Velmoran_VC)" ] || fail "the preview started a show"
screenshot "$OUT/xscreensaver-settings.png"
kill "$SETTINGS_PID"
for ((i = 0; i < 100; i++)); do [ -z "$(ours)" ] && break; sleep 0.05; done
[ -z "$(ours)" ] || fail "the preview outlived the settings program"
kill "$DESKTOP_PID"
note "all passed"
