#!/usr/bin/env bash
# platforms: linux windows
# The settings dialog's buttons under a pointer that jumps: after a click on a
# source's label or mark, the pointer goes onto "設定" or "ｷｬﾝｾﾙ" in one motion
# event and is pressed and released at once, as a touch screen, a pen tablet
# or a remote-desktop client delivers it. The first such click must count.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"
e2e_init "$@"

SAVER_DIR=$WORK/saver
mkdir -p "$SAVER_DIR"
cp "$(program Velmoran.scr)" "$SAVER_DIR/"
echo "stand-in viewer" >"$SAVER_DIR/Velmoran.dll"  # only its presence is checked
INI=$SAVER_DIR/Velmoran.ini

# jump_click <x> <y>: one motion event at the place, then at once the press
# and the release.
jump_click() { xdotool mousemove $((OX + $1)) $((OY + $2)) click 1; }

# chosen <index>: waits until the source's mark shows selected.
chosen() {
  local try
  for ((try = 0; try < 50; try++)); do
    screenshot "$WORK/marks.png"
    [ "$(mark "$WORK/marks.png" "$1")" = on ] && return 0
    sleep 0.1
  done
  fail "the mark of source $1 does not show selected"
}

# source_then_jump <step> <panel x> <panel y>: clicks a source there, then
# jumps onto "設定"; the dialog must close, storing the music CD.
source_then_jump() {
  write_ini 0 7
  open_dialog
  jump_click $((PANEL_X + $2)) $((PANEL_Y + $3))
  chosen 1
  jump_click 362 212
  closed "$1"
  expect_ini "$1" 1 7 ""
}

note "the label 音楽CD, then one jump onto 設定"
source_then_jump "label" 60 62
note "the mark of 音楽CD, then one jump onto 設定"
source_then_jump "mark" 33 60

note "the label MP3、WAV, then one jump onto ｷｬﾝｾﾙ: closed, nothing written"
write_ini 1 7
cp "$INI" "$WORK/before.ini"
open_dialog
jump_click $((PANEL_X + 50)) $((PANEL_Y + 100))
chosen 2
jump_click 442 212
closed "ｷｬﾝｾﾙ"
cmp -s "$INI" "$WORK/before.ini" || fail "ｷｬﾝｾﾙ changed the settings file"
