#!/usr/bin/env bash
# platforms: linux windows
# The skinned push button on screen: a host window with two buttons, driven
# with the pointer. The frame ring of a button shows which face it draws:
# hover (orange), focused (blue), pressed, idle and disabled (grey); every
# click is counted on the host's output.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

# Face colours at three places of a 25-pixel-high button: the left frame
# column halfway down, and halfway across the rows two pixels inside the top
# and the bottom edge (the ring, or the frame of the pressed face).
declare -A FACES=(
  [normal]="0,60,116 243,243,238 214,208,197"
  [highlight]="0,60,116 255,240,207 229,151,0"
  [selected]="0,60,116 206,231,255 105,130,238"
  [pressed]="226,222,203 0,60,116 0,60,116"
  [disable]="201,199,186 245,244,234 245,244,234"
)

HOST_OUT=""

# The host's output lines (a Windows console writes CR LF).
host_lines() { tr -d '\r' <"$HOST_OUT"; }

# start_host [--disabled]: starts the host and reads where its buttons are.
start_host() {
  HOST_OUT="$WORK/host-$RANDOM.out"
  start "$(helper button_host)" "$@" >"$HOST_OUT"
  HOST_PID=$LAST_PID
  local i
  for ((i = 0; i < 200; i++)); do
    grep -q '^B ' "$HOST_OUT" 2>/dev/null && break
    sleep 0.05
  done
  read -r _ AX AY AW AH < <(host_lines | grep '^A ') || fail "host told no place for A"
  read -r _ BX BY BW BH < <(host_lines | grep '^B ') || fail "host told no place for B"
  note "A at $AX,$AY ${AW}x$AH; B at $BX,$BY ${BW}x$BH"
  # The pointer watch and the first paints settle within a few ticks.
  sleep 0.5
}

stop_host() {
  kill "$HOST_PID" 2>/dev/null || true
  wait "$HOST_PID" 2>/dev/null || true
}

# face <shot> <x> <y> <w> <h>: the name of the face drawn there, or the
# colours found when they match none.
face() {
  local shot=$1 x=$2 y=$3 w=$4 h=$5
  local found
  found="$(pixel "$shot" $((x + 1)) $((y + h / 2))) $(pixel "$shot" $((x + w / 2)) $((y + 2))) $(pixel "$shot" $((x + w / 2)) $((y + h - 3)))"
  local name
  for name in "${!FACES[@]}"; do
    [ "${FACES[$name]}" = "$found" ] && { echo "$name"; return; }
  done
  echo "unknown($found)"
}

# expect <step> <face of A> <face of B>: photographs the screen until both
# buttons show the faces expected (a busy machine may paint late), or fails
# with the last photograph kept.
expect() {
  local shot="$OUT/$1.png" a b try
  for ((try = 0; try < 10; try++)); do
    sleep 0.3
    screenshot "$shot"
    a=$(face "$shot" "$AX" "$AY" "$AW" "$AH")
    b=$(face "$shot" "$BX" "$BY" "$BW" "$BH")
    [ "$a" = "$2" ] && [ "$b" = "$3" ] && break
  done
  note "$1: A $a, B $b"
  [ "$a" = "$2" ] || fail "$1: button A shows $a, expected $2"
  [ "$b" = "$3" ] || fail "$1: button B shows $b, expected $3"
}

# brightness <shot> <x> <y>: the sum of a pixel's three channels.
brightness() {
  local rgb
  rgb=$(pixel "$1" "$2" "$3")
  echo $(( ${rgb//,/+} ))
}

# The gradient of a hovered button runs from lavender at the top to white at
# the bottom; the others run the other way.
expect_lavender_on_top() {
  local shot="$OUT/$1.png" x=$(($2 + $4 / 2))
  local top bottom
  top=$(brightness "$shot" "$x" $(($3 + 5)))
  bottom=$(brightness "$shot" "$x" $(($3 + $5 - 6)))
  [ "$top" -lt "$bottom" ] || fail "$1: gradient not lavender on top ($top vs $bottom)"
}

clicks() { host_lines | grep -c "^click $1\$" || true; }

# expect_clicks <A count> <B count>: once the host has had time to tell of
# them, exactly so many clicks of each button.
expect_clicks() {
  local i
  for ((i = 0; i < 20; i++)); do
    [ "$(clicks A)" -ge "$1" ] && [ "$(clicks B)" -ge "$2" ] && break
    sleep 0.1
  done
  [ "$(clicks A)" = "$1" ] && [ "$(clicks B)" = "$2" ] ||
    fail "expected $1 clicks of A and $2 of B, the host told: $(host_lines | grep click | tr '\n' ' ')"
}

# Pointer moves in small steps, as a hand would; the pointer stays inside the
# host window so that it keeps the keyboard focus on every display.
point() {
  xdotool mousemove "$1" "$2"
  sleep 0.05
  xdotool mousemove $(($1 + 1)) "$2"
}

# Part 1: hover, press, release and leave on an enabled button.
start_host
xdotool mousemove $((AX + AW + 10)) $((AY + AH + 15))
sleep 0.2
expect 01-start selected normal

# Tab moves the focus along the buttons; no key ever clicks.
xdotool key Tab
expect 02-tab normal selected
xdotool key shift+Tab
expect 03-back-tab selected normal
xdotool key Return space

point $((BX + BW / 2)) $((BY + BH / 2))
expect 04-hover selected highlight
expect_lavender_on_top 04-hover "$BX" "$BY" "$BW" "$BH"

xdotool mousedown 1
expect 05-pressed normal pressed

xdotool mouseup 1
expect 06-released normal highlight
expect_clicks 0 1

point $((AX + AW + 15)) $((AY + AH + 15))
expect 07-left normal selected
expect_clicks 0 1

# Dragging off before the release: no click.
point $((BX + BW / 2)) $((BY + BH / 2))
expect 08-hover-focused normal highlight
xdotool mousedown 1
point $((AX + AW + 15)) $((AY + AH + 15))
expect 09-dragged-off normal selected
xdotool mouseup 1
sleep 0.3
expect_clicks 0 1
stop_host

# Part 2: a disabled button ignores the pointer, yet its window takes the focus.
start_host --disabled
expect 10-disabled selected disable
point $((BX + BW / 2)) $((BY + BH / 2))
xdotool click 1
expect 11-disabled-clicked normal disable
expect_clicks 0 0

point $((AX + AW / 2)) $((AY + AH / 2))
xdotool click 1
expect 12-other-clicked highlight disable
expect_clicks 1 0
stop_host
note "all faces as expected"
