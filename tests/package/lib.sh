# Shared by the package scenarios, on top of the end-to-end ones' lib.sh.
# A scenario is run as:
#   bash tests/package/<name>.test.sh <linux|windows> <build dir> <packages dir> <version>
# where the build dir provides the test helpers and the packages dir is what
# scripts/package wrote.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

# package_init <platform> <build dir> <packages dir> <version>
package_init() {
  PACKAGES=$(cd "$3" 2>/dev/null && pwd) || fail "no packages in $3: run scripts/package"
  VERSION=$4
  e2e_init "$1" "$2"
}

# the_file <pattern>: the one file in the packages folder that the pattern names.
the_file() {
  local found=("$PACKAGES"/$1)
  [ ${#found[@]} -eq 1 ] && [ -f "${found[0]}" ] || fail "expected one $1 in $PACKAGES, found: ${found[*]}"
  echo "${found[0]}"
}

# crc32 <file>: the file's CRC-32 (the one gzip keeps in its trailer), as hex.
crc32() { gzip -c "$1" | tail -c 8 | head -c 4 | od -An -tx4 | tr -d ' '; }

# check_stripped <objcopy> <program> <debug dir> [<function>]: the program
# (or module) carries no symbols nor debug information and names its debug
# file in the debug dir, which holds that information, the name of the
# function given (main unless given) among it, for exactly this build of it.
check_stripped() {
  local objcopy=$1 program=$2 name link="$WORK/debuglink"
  name=$(basename "$program")
  "$objcopy" --dump-section .gnu_debuglink="$link" "$program" "$WORK/discard" 2>/dev/null ||
    fail "$name names no debug file"
  [ "$(head -c -4 "$link" | tr -d '\0')" = "$name.debug" ] || fail "$name names $(head -c -4 "$link" | tr -d '\0')"
  local debug="$3/$name.debug"
  [ -f "$debug" ] || fail "no $debug"
  [ "$(tail -c 4 "$link" | od -An -tx4 | tr -d ' ')" = "$(crc32 "$debug")" ] ||
    fail "$debug is not the debug information of the shipped $name"
  local nm=${objcopy%objcopy}nm objdump=${objcopy%objcopy}objdump
  # (Whole outputs first: grep -q leaving early would break the pipe.)
  local shipped_sections debug_sections debug_symbols
  shipped_sections=$("$objdump" -h "$program")
  debug_sections=$("$objdump" -h "$debug")
  debug_symbols=$("$nm" "$debug")
  [ -z "$("$nm" "$program" 2>/dev/null)" ] || fail "$name still has symbols"
  ! grep -q '\.debug_' <<<"$shipped_sections" || fail "$name still has debug sections"
  grep -q '\.debug_line' <<<"$debug_sections" || fail "$debug has no line table"
  grep -q " [Tt] .*${4:-main}" <<<"$debug_symbols" || fail "$debug has no function names"
}

# dialog_opens <saver> <seconds>: the installed saver's "/c" opens the
# settings dialog within that long, and closing the dialog ends the saver.
dialog_opens() {
  start "$1" /c
  local saver=$LAST_PID
  wait_window "<Velmoran>" "$2" >/dev/null
  run "$(helper send_close)" "<Velmoran>" || fail "could not close the settings dialog"
  wait_exit "$saver" $(($2 / 3))
}

# press_escape_until_gone <pid>: Escape, as a user presses it, until the show
# of that saver ends (the viewer may take a moment to take the keyboard).
press_escape_until_gone() {
  local i j
  for ((i = 0; i < 10; i++)); do
    running "$1" || break
    xdotool keydown Escape sleep 0.3 keyup Escape
    for ((j = 0; j < 20; j++)); do running "$1" || break; sleep 0.1; done
  done
  wait_exit "$1" 1
  [ "$EXIT_STATUS" -eq 0 ] || fail "the show ended with status $EXIT_STATUS"
}

# show_desktop: the project's sample desktop on the whole screen (the root
# window's picture), with a screenshot of it in $OUT/desktop.png.
show_desktop() {
  local screen=${E2E_SCREEN:-1280x1024x24} i
  "$ROOT/scripts/sample-desktop" "$WORK/desktop.png" "${screen%x*}"
  # ImageMagick's display sets the root window's picture and then reports 1.
  display -window root "$WORK/desktop.png" || true
  for ((i = 0; i < 100; i++)); do
    screenshot "$OUT/desktop.png"
    [ "$(convert "$OUT/desktop.png" -format '%[fx:int(255*mean)]' info:)" -gt 20 ] && return 0
    sleep 0.1
  done
  fail "the sample desktop did not come up"
}

# wait_sphere_drawn: waits until the viewer's window (1024 x 768 at the top
# left) shows something else than the desktop there; screenshot in $OUT/show.png.
wait_sphere_drawn() {
  local area=1024x768+0+0 i changed
  convert "$OUT/desktop.png" -crop "$area" +repage "$WORK/desktop-area.png"
  for ((i = 0; i < 200; i++)); do
    screenshot "$OUT/show.png" "$area"
    changed=$(compare -metric AE -fuzz 10% "$OUT/show.png" "$WORK/desktop-area.png" null: 2>&1 || true)
    [ "${changed%%.*}" -gt $((1024 * 768 / 4)) ] 2>/dev/null && return 0
    sleep 0.1
  done
  fail "the viewer's window never showed the sphere (changed pixels: $changed)"
}
