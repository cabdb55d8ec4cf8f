#!/usr/bin/env bash
# platforms: linux windows
# The settings of a saver installed where its user may not write (a system
# folder), for a plain user (root may write any folder): the dialog reads the
# file an installation left beside the saver, and "設定" writes the user's
# own file instead ($XDG_CONFIG_HOME/velmoran, by default ~/.config/velmoran,
# on Linux; %APPDATA%\Velmoran on Windows), the program's folder left as it
# was; the next show plays as the user's file says (Linux, where the sound
# can be heard); where nothing can be written, a message says so, the dialog
# stays open, and a later "設定" saves the choice made before.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"
e2e_init "$@"
plain_user

USER_HOME=$WORK/home
user_home "$USER_HOME"
user_command "$USER_HOME"
RUN_AS=("${USER_COMMAND[@]}")

# The program's folder: the system's, readable by all, writable by root alone.
SAVER_DIR=$WORK/saver
mkdir -p "$SAVER_DIR"
cp "$(program Velmoran.scr)" "$(program Velmoran.dll)" "$SAVER_DIR/"
add_sound_module "$SAVER_DIR"
sox -q -n -r 44100 -c 2 -b 16 "$WORK/tone.wav" synth 1 sine 440 vol 0.5

if [ "$PLATFORM" = windows ]; then
  # The user's own Wine, which Wine wants the user to own.
  export WINEPREFIX=$USER_HOME/wine
  as_user "$USER_HOME" wineboot -i >/dev/null 2>&1
  at_exit 'as_user "$USER_HOME" wineserver -k 2>/dev/null'
  keep_wine_server
  USER_FOLDER=$WINEPREFIX/drive_c/users/$PLAIN_USER/AppData/Roaming
  OWN_INI=$USER_FOLDER/Velmoran/Velmoran.ini
else
  unset XDG_CONFIG_HOME
  USER_FOLDER=$USER_HOME/.config
  OWN_INI=$USER_FOLDER/velmoran/Velmoran.ini
fi
TONE=$(native_path "$WORK/tone.wav")
INI=$SAVER_DIR/Velmoran.ini
write_ini 0 0 "$TONE"

# The program's folder, every file's bytes and times and the folder's own.
folder_state() { find "$SAVER_DIR" -printf '%p %s %T@ %C@ %m\n' | sort; md5sum "$SAVER_DIR"/*; }
BEFORE=$(folder_state)

note "the file beside the saver is read; 設定 writes the user's own file, and the folder stays as it was"
open_dialog
screenshot "$WORK/read.png"
expect_marks "read from beside the saver" "$WORK/read.png" 0
press_in_panel 50 100  # the label "MP3、WAV"
press 362 212          # 設定
closed "設定"
INI=$OWN_INI expect_ini "the user's own file" 2 0 "$TONE"
[ "$(folder_state)" = "$BEFORE" ] || fail "the program's folder changed"

if [ "$PLATFORM" = linux ]; then
  note "the next show plays as the user's own file says"
  mkdir -p "$USER_HOME/run"
  chown "$PLAIN_USER:" "$USER_HOME/run"
  XDG_RUNTIME_DIR=$USER_HOME/run SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$USER_HOME/music.raw \
    start "$SAVER_DIR/Velmoran.scr" /s 2>>"$OUT/programs.log"
  SHOW_PID=$LAST_PID
  wait_window Velmoran_VC 30 >/dev/null
  for ((i = 0; i < 100; i++)); do
    [ "$(stat -c %s "$USER_HOME/music.raw" 2>/dev/null || echo 0)" -ge 176400 ] && break
    sleep 0.05
  done
  [ "$i" -lt 100 ] || fail "the show played no music"
  xdotool keydown Escape sleep 0.3 keyup Escape
  wait_exit "$SHOW_PID" 5
fi

note "nowhere to write: a message, the dialog stays open, and a later 設定 saves the choice"
if [ "$PLATFORM" = windows ]; then
  rm -rf "$USER_FOLDER/Velmoran"
  LOCKED=$USER_FOLDER
else
  LOCKED=$WORK/locked
  mkdir -p "$LOCKED"
  export XDG_CONFIG_HOME=$LOCKED
  OWN_INI=$LOCKED/velmoran/Velmoran.ini
fi
chown root: "$LOCKED"
chmod 755 "$LOCKED"
open_dialog
screenshot "$WORK/again.png"
expect_marks "read from beside the saver again" "$WORK/again.png" 0
press_in_panel 50 60  # the label "音楽CD"
press 362 212
MESSAGE=$(wait_window Velmoran 20)
screenshot "$OUT/message.png"
still_open "with the message"
run "$(helper send_close)" Velmoran
for ((i = 0; i < 100; i++)); do [ -z "$(window_id Velmoran)" ] && break; sleep 0.05; done
[ -z "$(window_id Velmoran)" ] || fail "the message stayed"
sleep 0.5
still_open "after the message"
[ ! -e "$OWN_INI" ] || fail "a file appeared where nothing could be written"
[ "$(folder_state)" = "$BEFORE" ] || fail "the program's folder changed"
chown "$PLAIN_USER:" "$LOCKED"
press 362 212
closed "設定 again"
INI=$OWN_INI expect_ini "the choice made before the message" 1 0 "$TONE"
note "all passed (message window $MESSAGE)"
