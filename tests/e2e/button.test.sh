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

# expect <step> <face of A> <face of B>: photographs the screen and checks both.
expect() {
  local shot="$OUT/$1.png"
  sleep 0.35
  screenshot "$shot"
  local a b
  a=$(face "$shot" "$AX" "$AY" "$AW" "$AH")
  b=$(face "$shot" "$BX" "$BY" "$BW" "$BH")
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
[ "$PLATFORM" = linux ] && xdotool windowfocus --sync "$(wait_window button_host 5)" 2>/dev/null
expect 01-start selected normal

point $((BX + BW / 2)) $((BY + BH / 2))
expect 02-hover selected highlight
expect_lavender_on_top 02-hover "$BX" "$BY" "$BW" "$BH"

xdotool mousedown 1
expect 03-pressed normal pressed

xdotool mouseup 1
expect 04-released normal highlight
[ "$(clicks B)" = 1 ] || fail "one press and release gave $(clicks B) clicks of B"

point $((AX + AW + 15)) $((AY + AH + 15))
expect 05-left normal selected
[ "$(clicks B)" = 1 ] && [ "$(clicks A)" = 0 ] || fail "clicks changed without a press: $(host_lines)"

# Dragging off before the release: no click.
point $((BX + BW / 2)) $((BY + BH / 2))
expect 06-hover-focused normal highlight
xdotool mousedown 1
point $((AX + AW + 15)) $((AY + AH + 15))
expect 07-dragged-off normal selected
xdotool mouseup 1
sleep 0.3
[ "$(clicks B)" = 1 ] || fail "a release off the button clicked: $(clicks B) clicks of B"
stop_host

# Part 2: a disabled button ignores the pointer, yet its window takes the focus.
start_host --disabled
expect 08-disabled selected disable
point $((BX + BW / 2)) $((BY + BH / 2))
xdotool click 1
expect 09-disabled-clicked normal disable
[ "$(clicks B)" = 0 ] || fail "the disabled button clicked"

point $((AX + AW / 2)) $((AY + AH / 2))
xdotool click 1
expect 10-other-clicked highlight disable
[ "$(clicks A)" = 1 ] && [ "$(clicks B)" = 0 ] || fail "expected one click of A: $(host_lines)"
stop_host
note "all faces as expected"
