# Shared by the scenarios that drive the settings dialog "<Velmoran>", on top
# of lib.sh: its settings file ($INI, set by the scenario), the places of its
# design, relative to the window's inner area, and its opening and closing.

# The keys as stored: code page 932 bytes.
KIND=$'BGM\x8b\xe6\x95\xaa'
REPEAT=$'BGM\xd8\xcb\xdf\xb0\xc4'
MUSIC=$'BGM\xcc\xa7\xb2\xd9'

write_ini() { # <kind> <repeat> [<music file>]
  printf '[Section]\r\n%s=%s\r\n%s=%s\r\n' "$KIND" "$1" "$REPEAT" "$2" >"$INI"
  [ -n "${3:-}" ] && printf '%s=%s\r\n' "$MUSIC" "$3" >>"$INI"
  return 0
}

# ini_value <key>: the value stored under the key, as bytes.
ini_value() { LC_ALL=C sed -n "s/^$1=\\(.*\\)\$/\\1/p" "$INI" | tr -d '\r'; }

expect_ini() { # <step> <kind> <repeat> <music file>
  local key want got
  for key in KIND REPEAT MUSIC; do
    case $key in KIND) want=$2 ;; REPEAT) want=$3 ;; MUSIC) want=$4 ;; esac
    got=$(ini_value "${!key}")
    [ "$got" = "$want" ] || fail "$1: $key holds '$got', expected '$want'"
    [ "$(LC_ALL=C grep -c "^${!key}=" "$INI")" = 1 ] || fail "$1: $key is not stored exactly once"
  done
}

# level <y> <height>: the gradient's brightness on line y of a surface that
# high, |sin(y / (height / 3.142))| x 220 rounded half to even.
level() { awk -v y="$1" -v h="$2" 'BEGIN { v = sin(y / (h / 3.142)); if (v < 0) v = -v; printf "%.0f", v * 220 }'; }

# Inner-area places of the form and of the panel Pic_C(0) (at 12, 16).
PANEL_X=12
PANEL_Y=16
at() { xdotool mousemove $((OX + $1)) $((OY + $2)); }
in_panel() { at $((PANEL_X + $1)) $((PANEL_Y + $2)); }

# Moves in two small steps, as a hand would, so that a push button sees the
# pointer come, then clicks.
press() { # <x> <y> [mouse button]
  at "$1" "$2"
  sleep 0.1
  at $(($1 + 1)) "$2"
  sleep 0.3
  xdotool click "${3:-1}"
}
press_in_panel() { press $((PANEL_X + $1)) $((PANEL_Y + $2)) "${3:-1}"; }

FORM_PROBE_X=490  # right of the panel and of the buttons: nothing but the gradient
form_colour() { local v; v=$(level "$1" 243); echo "$v,$v,$((v + 30))"; }

# Face colours of a push button at its ring: the left frame column halfway
# down, and halfway across two pixels inside the top and the bottom edge.
declare -A FACES=(
  [normal]="0,60,116 243,243,238 214,208,197"
  [selected]="0,60,116 206,231,255 105,130,238"
  [disable]="201,199,186 245,244,234 245,244,234"
)
# face_places <x> <y> <w> <h>: the screen places of those pixels of the button
# there (inner-area place).
face_places() {
  local x=$((OX + $1)) y=$((OY + $2)) w=$3 h=$4
  echo $((x + 1)) $((y + h / 2)) $((x + w / 2)) $((y + 2)) $((x + w / 2)) $((y + h - 3))
}
# face_named <three colours>: the face they make, or unknown(<colours>).
face_named() {
  local name
  for name in "${!FACES[@]}"; do
    [ "${FACES[$name]}" = "$1" ] && { echo "$name"; return; }
  done
  echo "unknown($1)"
}
face() { # <shot> <x> <y> <w> <h> (inner-area place)
  face_named "$(pixels "$1" $(face_places "$2" "$3" "$4" "$5"))"
}

# The buttons "...", "設定" and "ｷｬﾝｾﾙ": inner-area place and size.
DOTS_BUTTON="40 132 41 21"
SET_BUTTON="324 200 77 25"
CANCEL_BUTTON="404 200 77 25"

# open_dialog: starts the saver in $SAVER_DIR with /c, the pointer where the
# dialog will be, and waits until the dialog has painted its gradient, each
# of the marks and each of the buttons' faces (they come after the
# gradient). Sets SAVER_PID, DIALOG and the inner area's origin OX, OY.
open_dialog() {
  xdotool mousemove 640 380
  start "$SAVER_DIR/Velmoran.scr" /c
  SAVER_PID=$LAST_PID
  wait_window "<Velmoran>" 60 >/dev/null
  local shot="$WORK/painted.png" i places got
  for ((i = 0; i < 100; i++)); do
    # Asked afresh each time: Wine may give a window another X window as it
    # shows it, and place it off the screen (a negative place) at first.
    DIALOG=$(window_id "<Velmoran>") || DIALOG=""
    OX=""
    [ -z "$DIALOG" ] || read -r OX OY < <(xdotool getwindowgeometry "$DIALOG" 2>/dev/null |
      sed -n 's/.*Position: \(-\{0,1\}[0-9]*\),\(-\{0,1\}[0-9]*\).*/\1 \2/p') || OX=""
    if [ -n "$OX" ]; then
      screenshot "$shot"
      places="$((OX + FORM_PROBE_X)) $((OY + 121)) $(mark_place 0) $(mark_place 1) $(mark_place 2)
        $(face_places $DOTS_BUTTON) $(face_places $SET_BUTTON) $(face_places $CANCEL_BUTTON)"
      read -r -a got < <(pixels "$shot" $places)
      [ "${got[0]}" = "$(form_colour 121)" ] && painted "${got[@]:1}" && break
    fi
    sleep 0.2
  done
  [ "$i" -lt 100 ] || fail "the dialog did not paint its gradient, marks and buttons"
}

# painted <three marks' colours> <nine buttons' colours>: each mark shows on
# or off, each button a face of its own.
painted() {
  local colour
  for colour in "$1" "$2" "$3"; do [[ "$(mark_named "$colour")" != unknown* ]] || return 1; done
  shift 3
  while [ $# -ge 3 ]; do
    [[ "$(face_named "$1 $2 $3")" != unknown* ]] || return 1
    shift 3
  done
}

# closed <step>: the dialog has gone and the saver has ended by itself.
closed() {
  wait_exit "$SAVER_PID" 30
  [ "$EXIT_STATUS" -eq 0 ] || fail "$1: the saver ended with status $EXIT_STATUS"
  [ -z "$(window_id "<Velmoran>")" ] || fail "$1: the dialog is still there"
}

still_open() {
  kill -0 "$SAVER_PID" 2>/dev/null && [ -n "$(window_id "<Velmoran>")" ] || fail "$1: the dialog closed"
}

# Which option mark shows the selected picture: its middle is blue, the
# unselected one's white.
mark_place() { # <index>: its middle on the screen
  local top
  case $1 in 0) top=76 ;; 1) top=56 ;; 2) top=96 ;; esac
  echo $((OX + PANEL_X + 28 + 5)) $((OY + PANEL_Y + top + 5))
}
mark_named() { # <its middle's colour>
  local r g b
  IFS=, read -r r g b <<<"$1"
  if [ "$b" -gt $((r + 80)) ]; then echo on
  elif [ "$r" -gt 225 ] && [ "$g" -gt 225 ] && [ "$b" -gt 225 ]; then echo off
  else echo "unknown($r,$g,$b)"; fi
}
mark() { mark_named "$(pixels "$1" $(mark_place "$2"))"; } # <shot> <index>

expect_marks() { # <step> <shot> <selected index>
  local i want got
  for i in 0 1 2; do
    want=off
    [ "$i" = "$3" ] && want=on
    got=$(mark "$2" "$i")
    [ "$got" = "$want" ] || fail "$1: mark $i shows $got, expected $want"
  done
}
