#!/usr/bin/env bash
# platforms: linux windows
# The settings dialog "<Velmoran>" of the real saver (/c), driven with the
# pointer at the places its design gives, relative to the window's inner
# area: its look (gradients, marks, buttons' faces, Japanese captions, icon,
# link pointer), what "設定" writes into the settings file, that "ｷｬﾝｾﾙ", the
# close box and the keys write nothing, that the link goes to the desktop's
# opener, and that the saver ends as the dialog closes.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"
e2e_init "$@"

SAVER_DIR=$WORK/saver
mkdir -p "$SAVER_DIR" "$WORK/bin" "$WORK/music"
cp "$(program Velmoran.scr)" "$SAVER_DIR/"
echo "stand-in viewer" >"$SAVER_DIR/Velmoran.dll"  # only its presence is checked
INI=$SAVER_DIR/Velmoran.ini
echo "not really music" >"$WORK/music/song one.mp3"
echo "not really music" >"$WORK/music/other.wav"

# The pointer's picture belongs to the X server, whichever program set it,
# so the native probe reads it for both platforms.
POINTER_SHAPE=$ROOT/build/linux/tests/helpers/pointer_shape
[ -x "$POINTER_SHAPE" ] || fail "the native build's helper pointer_shape is missing"

# The desktop's opener, standing in: it notes the address it was given. Wine
# hands web addresses to the same program.
OPENED=$WORK/opened
cat >"$WORK/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >>"$OPENED"
EOF
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"

# Wine's prefix has no "ＭＳ Ｐゴシック"; IPAPGothic, which Wine finds among
# the system's fonts, stands in for it as on Linux.
if [ "$PLATFORM" = windows ]; then
  {
    printf '\xff\xfe'
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
      '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
      '"ＭＳ Ｐゴシック"="IPAPGothic"' '"MS PGothic"="IPAPGothic"' | iconv -f UTF-8 -t UTF-16LE
  } >"$WORK/fonts.reg"
  wine regedit /S "$(native_path "$WORK/fonts.reg")"
fi

# expect_faces <step> <face of ...> <face of 設定> <face of ｷｬﾝｾﾙ>: photographs
# the dialog until its buttons show these faces (a busy machine may paint late).
expect_faces() {
  local shot="$WORK/$1.png" try got
  for ((try = 0; try < 30; try++)); do
    screenshot "$shot"
    got="$(face "$shot" $DOTS_BUTTON) $(face "$shot" $SET_BUTTON) $(face "$shot" $CANCEL_BUTTON)"
    [ "$got" = "$2 $3 $4" ] && return 0
    sleep 0.1
  done
  fail "$1: the buttons show $got, expected $2 $3 $4"
}

# glyphs_differ <shot> <x> <y> <w> <h> <characters> <what>: the dark text in
# that box (inner-area place), cut into as many equal parts across its ink as
# it has characters, differs from part to part, as drawn characters do and
# the boxes of a missing font do not.
glyphs_differ() {
  local area="$WORK/glyphs.png" w h i n=$6
  convert "$1" -crop "$4x$5+$((OX + $2))+$((OY + $3))" +repage -colorspace Gray -threshold 25% -trim +repage "$area"
  read -r w h < <(identify -format "%w %h\n" "$area")
  [ "$w" -ge $((n * 4)) ] && [ "$h" -ge 8 ] || fail "$7: no text drawn (${w}x$h of ink)"
  local tile=$((w / n)) diff
  for ((i = 0; i < n; i++)); do
    convert "$area" -crop "${tile}x$h+$((i * tile))+0" +repage "$WORK/glyph-$i.png"
  done
  for ((i = 0; i + 1 < n; i++)); do
    diff=$(compare -metric AE "$WORK/glyph-$i.png" "$WORK/glyph-$((i + 1)).png" null: 2>&1 || true)
    [ "${diff%%.*}" -ge 16 ] || fail "$7: characters $i and $((i + 1)) look alike ($diff pixels differ)"
  done
}

# ink_box <shot> <x> <y> <w> <h>: "<width> <height> <left> <top>" of the dark
# text in that box (inner-area place), relative to the box; zeros for none.
ink_box() {
  convert "$1" -crop "$4x$5+$((OX + $2))+$((OY + $3))" +repage -colorspace Gray -threshold 25% \
    -format '%@\n' info: 2>/dev/null | sed -E 's/^0x0\+.*/0x0+0+0/; s/[x+]/ /g'
}

# marks_become <step> <shot> <selected index> [<face of "..." that it may not show>]:
# photographs the dialog until its marks show that source selected (and
# "..." has left that face), then checks them.
marks_become() {
  local try want="" i
  for i in 0 1 2; do if [ "$i" = "$3" ]; then want+=" on"; else want+=" off"; fi; done
  for ((try = 0; try < 30; try++)); do
    screenshot "$2"
    [ " $(mark "$2" 0) $(mark "$2" 1) $(mark "$2" 2)" = "$want" ] &&
      { [ -z "${4:-}" ] || [ "$(face "$2" $DOTS_BUTTON)" != "$4" ]; } && break
    sleep 0.1
  done
  expect_marks "$1" "$2" "$3"
}

# pointer_becomes <x> <y> <picture> [not]: moves the pointer there in two
# steps and waits until its picture is that one (or, with "not", another);
# POINTER is the last one read.
pointer_becomes() {
  local i
  at "$1" "$2"
  sleep 0.2
  at $(($1 + 1)) "$2"
  for ((i = 0; i < 50; i++)); do
    POINTER=$("$POINTER_SHAPE" | cut -d' ' -f1-4)
    if [ "${4:-}" = not ]; then [ "$POINTER" != "$3" ] && return 0
    else [ "$POINTER" = "$3" ] && return 0; fi
    sleep 0.1
  done
  return 1
}

# ---------------------------------------------------------------------------
note "opening over a file holding 1.9 and 7: the dialog as designed"
write_ini 1.9 7
open_dialog
SHOT="$WORK/screen.png"
screenshot "$SHOT"
convert "$SHOT" -crop "520x270+$((OX - 12))+$((OY - 12))" +repage "$OUT/dialog.png"  # for a person to look at

# Centred across the screen; on Linux, without a frame, a third of the free
# height above.
[ $((OX + 248)) = 640 ] || fail "the dialog is not centred across the screen (inner area at $OX)"
if [ "$PLATFORM" = linux ]; then
  [ "$OY" = 260 ] || fail "the dialog is not a third down the screen (inner area at $OY)"
fi
read -r _ width height < <(xdotool getwindowgeometry "$DIALOG" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/x \1 \2/p')
[ "${width}x$height" = 496x243 ] || fail "the inner area is ${width}x$height"
xprop -id "$DIALOG" WM_NORMAL_HINTS | grep -q "minimum size: 496 by 243" || fail "the dialog can be resized"
xprop -id "$DIALOG" WM_NORMAL_HINTS | grep -q "maximum size: 496 by 243" || fail "the dialog can be resized"
xprop -id "$DIALOG" _NET_WM_ICON | grep -q "Icon (32 x 32)" || fail "the dialog has no 32 x 32 icon"

FORM_LINES=(0 30 60 121 180 220 242)
places=()
for y in "${FORM_LINES[@]}"; do places+=($((OX + FORM_PROBE_X)) $((OY + y))); done
read -r -a got < <(pixels "$SHOT" "${places[@]}")
for i in "${!FORM_LINES[@]}"; do
  y=${FORM_LINES[$i]}
  [ "${got[$i]}" = "$(form_colour "$y")" ] || fail "form gradient line $y is ${got[$i]}, expected $(form_colour "$y")"
done
PANEL_LINES=(0 10 30 50 82 110 155 164)
places=()
for y in "${PANEL_LINES[@]}"; do places+=($((OX + PANEL_X + 400)) $((OY + PANEL_Y + y))); done
read -r -a got < <(pixels "$SHOT" "${places[@]}")
for i in "${!PANEL_LINES[@]}"; do
  y=${PANEL_LINES[$i]}
  v=$(($(level "$y" 165) + 30))
  [ "${got[$i]}" = "$v,$v,$v" ] || fail "panel gradient line $y is ${got[$i]}, expected $v,$v,$v"
done
expect_marks "at load" "$SHOT" 1
[ "$(face "$SHOT" 324 200 77 25)" = normal ] || fail "設定 shows $(face "$SHOT" 324 200 77 25)"
[ "$(face "$SHOT" 404 200 77 25)" = normal ] || fail "ｷｬﾝｾﾙ shows $(face "$SHOT" 404 200 77 25)"
[ "$(face "$SHOT" 40 132 41 21)" = disable ] || fail "... shows $(face "$SHOT" 40 132 41 21) for the music CD"
glyphs_differ "$SHOT" $((PANEL_X + 22)) $((PANEL_Y + 22)) 108 17 3 "BGM"
glyphs_differ "$SHOT" $((PANEL_X + 44)) $((PANEL_Y + 55)) 50 16 4 "音楽CD"
glyphs_differ "$SHOT" $((PANEL_X + 44)) $((PANEL_Y + 75)) 30 16 2 "なし"
glyphs_differ "$SHOT" 330 205 65 15 2 "設定"

note "the link: its own pointer, and the address to the desktop's opener"
pointer_becomes 40 214 "32 32 12 10" || fail "the pointer over the link is $POINTER"
pointer_becomes 300 230 "32 32 12 10" not || fail "the link's pointer shows away from the link"
rm -f "$OPENED"
press 40 214
for ((i = 0; i < 100; i++)); do [ -s "$OPENED" ] && break; sleep 0.1; done
[ "$(cat "$OPENED" 2>/dev/null)" = "https://velmoran.example.org/" ] ||
  fail "the opener was given '$(cat "$OPENED" 2>/dev/null)'"
still_open "after the link"

note "設定 stores the source and the track as they are shown"
press 362 212
closed "設定"
expect_ini "設定" 1 7 ""
LC_ALL=C grep -q $'^\\[Section\\]\r\\?$' "$INI" || fail "the section header changed"

note "MP3、WAV chosen, then keys and ｷｬﾝｾﾙ: nothing is written"
write_ini 1 7
cp "$INI" "$WORK/before.ini"
open_dialog
press_in_panel 50 100  # the label "MP3、WAV"
marks_become "MP3、WAV chosen" "$WORK/mp3.png" 2 disable
[ "$(face "$WORK/mp3.png" 40 132 41 21)" != disable ] || fail "... stays disabled for MP3、WAV"
at 250 150
# The focus starts on the panel; Tab passes the combo box, disabled for a
# music file, on to "..." and the buttons. No key clicks a button.
xdotool key Tab
expect_faces tab-1 selected normal normal
xdotool key Tab
expect_faces tab-2 normal selected normal
xdotool key shift+Tab
expect_faces shift-tab selected normal normal
xdotool key Return
xdotool key Escape
xdotool key space
sleep 1
still_open "keys"
cmp -s "$INI" "$WORK/before.ini" || fail "a key wrote the settings file"
press 442 212
closed "ｷｬﾝｾﾙ"
cmp -s "$INI" "$WORK/before.ini" || fail "ｷｬﾝｾﾙ changed the settings file"

note "the music CD chosen with the right button, 12 typed into the combo box: 12 stored"
write_ini 0 7
open_dialog
screenshot "$WORK/none.png"
expect_marks "none at load" "$WORK/none.png" 0
press_in_panel 33 60 3  # the mark of "音楽CD", with the right button
marks_become "music CD chosen" "$WORK/cd.png" 1
press_in_panel 125 61
xdotool key End BackSpace BackSpace BackSpace
xdotool type --delay 80 12
sleep 0.3
press 362 212
closed "12 typed"
expect_ini "12 typed" 1 12 ""

note "the combo box: 3.5 shows whole; its list drops down a few entries tall and scrolls; 30 chosen, Up steps to 29"
write_ini 1 7
open_dialog
# BGM_Repeat: 41 x 20 at 112, 52 in the panel; a two-pixel border, the text,
# the button at the right.
press_in_panel 125 61
xdotool key End BackSpace BackSpace BackSpace
xdotool type --delay 80 3.5
xdotool key Tab  # the text without the caret
sleep 0.5
screenshot "$WORK/combo.png"
convert "$WORK/combo.png" -crop "60x30+$((OX + PANEL_X + 106))+$((OY + PANEL_Y + 47))" +repage "$OUT/combo.png"
read -r width _ left _ < <(ink_box "$WORK/combo.png" $((PANEL_X + 114)) $((PANEL_Y + 55)) 20 14)
[ "$left" -ge 1 ] && [ "$width" -ge 12 ] && [ $((left + width)) -le 20 ] ||
  fail "the combo box's text 3.5 is not whole: ${width} wide from $left (combo.png)"
# The list lies just below the box, as wide as it.
press_in_panel 145 62
list_x=$((OX + PANEL_X + 112)) list_y=$((OY + PANEL_Y + 72))
LIST=""
for ((i = 0; i < 50; i++)); do
  for id in $(xwininfo -root -children | sed -n "s/^ *\(0x[0-9a-f]*\) .* 41x[0-9]*+$list_x+$list_y .*/\1/p"); do
    xwininfo -id "$id" | grep -q 'IsViewable' && LIST=$id
  done
  [ -n "$LIST" ] && break
  sleep 0.1
done
screenshot "$OUT/combo-list.png"
[ -n "$LIST" ] || fail "no list dropped down below the combo box (combo-list.png)"
list_height=$(xwininfo -id "$LIST" | sed -n 's/^ *Height: //p')
[ "$list_height" -ge 60 ] && [ "$list_height" -le 220 ] || fail "the dropped list is $list_height pixels tall"
xdotool mousemove $((list_x + 12)) $((list_y + list_height / 2))
sleep 0.2
for ((i = 0; i < 12; i++)); do xdotool click 5; sleep 0.05; done  # the wheel, down to the end
sleep 0.3
xdotool mousemove $((list_x + 12)) $((list_y + list_height - 7))
sleep 0.3
xdotool click 1
for ((i = 0; i < 50; i++)); do xwininfo -id "$LIST" 2>/dev/null | grep -q 'IsViewable' || break; sleep 0.1; done
[ "$i" -lt 50 ] || fail "the list stayed down after the click on 30"
press_in_panel 125 61
xdotool key Up
sleep 0.3
press 362 212
closed "30 chosen"
expect_ini "30 chosen, then Up" 1 29 ""

# system_text <path>: the path as the settings file keeps it: in code page
# 932 for Windows in a Japanese locale, as it is otherwise.
system_text() {
  if [ "$PLATFORM" = windows ] && [[ "${LC_ALL:-${LANG:-}}" == ja_JP* ]]; then
    printf '%s' "$1" | iconv -f UTF-8 -t CP932
  else
    printf '%s' "$1"
  fi
}

# choose_file <which> [<folder> <stored file>]: the file dialog, opened in the
# folder of the stored file (by default other.wav in $WORK/music), chooses
# "song one.mp3" there; the choice is shown and stored.
choose_file() {
  local folder=${2:-$WORK/music} stored=${3:-other.wav}
  note "a music file chosen with the file dialog ($1) is stored as chosen"
  write_ini 2 0 "$(system_text "$(native_path "$folder/$stored")")"
  open_dialog
  press_in_panel 48 126
  CHOOSER=$(wait_window "ﾌｧｲﾙを開く" 60)
  read -r CX CY < <(xdotool getwindowgeometry "$CHOOSER" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
  xdotool mousemove $((CX + 150)) $((CY + 100))
  sleep 1
  # It opens in the folder of the stored file; whatever the name field offers
  # after the typed name goes.
  xdotool type --delay 80 "song one.mp3"
  sleep 0.5
  xdotool key shift+End Delete
  sleep 0.3
  xdotool key Return
  for ((i = 0; i < 100; i++)); do
    [ -z "$(xdotool search --onlyvisible --name "^ﾌｧｲﾙを開く\$" 2>/dev/null)" ] && break
    sleep 0.1
  done
  if [ "$i" -ge 100 ]; then
    screenshot "$OUT/file-dialog.png"
    fail "the file dialog did not close (see file-dialog.png)"
  fi
  at 250 150
  sleep 0.5
  screenshot "$WORK/file.png"
  glyphs_differ "$WORK/file.png" $((PANEL_X + 72)) $((PANEL_Y + 115)) 200 16 4 "the file's name"
  press 362 212
  closed "file chosen"
  expect_ini "file chosen" 2 0 "$(system_text "$(native_path "$folder/song one.mp3")")"
}

choose_file "the system's own"
# FLTK's own dialog serves where GTK's is missing; FLTK's preferences can
# ask for it where GTK is there.
if [ "$PLATFORM" = linux ] && ldconfig -p | grep -q 'libgtk-\(x11-2\.0\|3\)\.so'; then
  mkdir -p "$WORK/fltk-home/.fltk/fltk.org"
  printf '[.]\n\n[./options]\n\nFNFCUsesGTK:0\n' >"$WORK/fltk-home/.fltk/fltk.org/fltk.prefs"
  HOME="$WORK/fltk-home" choose_file "FLTK's own"
fi
# In code page 932 the second byte of 表 and ソ is the same byte as '\': the
# folder of ...\表\ソ.wav is ...\表, whatever bytes the names hold.
mkdir -p "$WORK/music/表"
cp "$WORK/music/other.wav" "$WORK/music/表/ソ.wav"
cp "$WORK/music/song one.mp3" "$WORK/music/表/"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 choose_file "a Japanese locale, a path of 表 and ソ" "$WORK/music/表" ソ.wav

# ink_lines <shot> <x> <y> <w> <h>: the lines of dark text in that box
# (inner-area place), top to bottom, one "<left> <width>" each, relative to
# the box: rows with ink, separated by rows without, make a line.
ink_lines() {
  local area="$WORK/ink-area.png" top height
  convert "$1" -crop "$4x$5+$((OX + $2))+$((OY + $3))" +repage -colorspace Gray -threshold 25% "$area"
  convert "$area" -scale "1x$5!" -depth 8 txt:- |
    sed -n -E 's/^0,([0-9]+):.*gray\(([0-9]+)\).*/\1 \2/p' |
    awk '$2 < 255 && !on { on = 1; top = $1 } $2 == 255 && on { on = 0; print top, $1 - top }
         END { if (on) print top, NR - top }' |
    while read -r top height; do
      convert "$area" -crop "$4x$height+0+$top" +repage -format '%@\n' info: 2>/dev/null |
        sed -E 's/^([0-9]+)x[0-9]+\+([0-9]+)\+.*/\2 \1/'
    done
}

# The system's own labels lay the text out on Windows (and Wine's follow
# rules of their own, breaking before a backslash and after a hyphen); this
# is the Linux label's breaking.
if [ "$PLATFORM" = linux ]; then
  note "a long path without spaces breaks inside its words, over the field's two lines"
  LONG_NAME=alongnamewithoutanyspacethatrunspasttheendofonelineofthefield.mp3
  echo "not really music" >"$WORK/music/$LONG_NAME"
  write_ini 2 0 "$WORK/music/$LONG_NAME"
  open_dialog
  screenshot "$WORK/long-path.png"
  convert "$WORK/long-path.png" -crop "380x40+$((OX + PANEL_X + 68))+$((OY + PANEL_Y + 112))" +repage "$OUT/long-path.png"
  # The field lbl_Fname(0): 373 x 33 at 72, 116 in the panel. The first line
  # is filled up to the character that would overflow; the second begins at
  # the left edge.
  mapfile -t lines < <(ink_lines "$WORK/long-path.png" $((PANEL_X + 72)) $((PANEL_Y + 116)) 373 33)
  [ "${#lines[@]}" -eq 2 ] || fail "the long path shows on ${#lines[@]} lines, not 2 (long-path.png)"
  read -r left width <<<"${lines[0]}"
  [ $((left + width)) -ge 359 ] || fail "the long path's first line ends at $((left + width)) of 373 (long-path.png)"
  read -r left width <<<"${lines[1]}"
  [ "$width" -gt 100 ] && [ "$left" -le 3 ] || fail "the long path's second line is ${width} wide from $left (long-path.png)"
  press 442 212
  closed "long path"
fi

note "the close box cancels"
write_ini 1 5
cp "$INI" "$WORK/before.ini"
open_dialog
press_in_panel 50 80  # the label "なし"
marks_become "なし chosen" "$WORK/nothing.png" 0
run "$(helper send_close)" "<Velmoran>" || fail "no dialog to close"
closed "close box"
cmp -s "$INI" "$WORK/before.ini" || fail "the close box changed the settings file"
note "all passed"
