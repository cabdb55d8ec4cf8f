# Shared by the end-to-end scenarios and tests/e2e/with-display.sh.
# A scenario is run as: bash tests/e2e/<name>.test.sh <linux|windows> <build dir>
# and starts with:      source "$(dirname "$0")/lib.sh"; e2e_init "$@"
set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$E2E_DIR/../.." && pwd)
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

STARTED=()
WORK=$(mktemp -d)
XVFB_PID=""

AT_EXIT=()
FAILED=""

# at_exit <command>: run when the scenario ends, however it ends, before the
# processes it started are killed; the last one given runs first.
at_exit() { AT_EXIT=("$1" "${AT_EXIT[@]}"); }

# A scenario stopped by a failing command rather than by fail says where, so
# that a rare failure is never a silent one.
e2e_exit() {
  local status=$? command=$BASH_COMMAND step pid
  if [ "$status" -ne 0 ] && [ -z "$FAILED" ]; then
    echo "FAIL: stopped by '$command' (status $status) in ${FUNCNAME[*]:1}, called from lines ${BASH_LINENO[*]}" >&2
  fi
  for step in "${AT_EXIT[@]}"; do eval "$step" || true; done
  for pid in "${STARTED[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap e2e_exit EXIT

fail() { FAILED=1; echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

# e2e_init <platform> <build dir>: sets PLATFORM, BUILD, OUT (artifacts kept
# for a person to look at), a fresh virtual display and, for Windows, a Wine
# prefix (the one scripts/test made, or a throw-away one).
e2e_init() {
  PLATFORM=$1
  BUILD=$(cd "$2" && pwd)
  local name
  name=$(basename "$0" .test.sh)
  OUT="$ROOT/out/tests/$name-$PLATFORM"
  rm -rf "$OUT" && mkdir -p "$OUT"
  start_display "${E2E_SCREEN:-1280x1024x24}"
  [ "$PLATFORM" = windows ] && ensure_wine_prefix
  return 0
}

# start_display <WxHxD>: a new Xvfb on a free display number; exports DISPLAY.
# -noreset: by default the server resets whenever its last client leaves, and
# a program connecting during that reset is refused (one short-lived xdotool
# call ending while the program under test starts is enough).
start_display() {
  local fifo="$WORK/displayfd"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
  XVFB_PID=$!
  local n
  read -r n <"$fifo"
  export DISPLAY=":$n"
}

ensure_wine_prefix() {
  if [ -z "${WINEPREFIX:-}" ]; then
    export WINEPREFIX="$WORK/wine"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    # Wine lets a window manager manage an active top-level window, and then
    # waits up to 2 s for one to withdraw it when it is destroyed. The virtual
    # displays have no window manager, so the viewer's window would outlive
    # its Escape by that long. The viewer's windows have no frame to lose.
    wine reg add 'HKCU\Software\Wine\AppDefaults\Velmoran.dll\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  fi
  # Wine's processes keep the display they started on; they end before that
  # display does, so that the next scenario starts Wine afresh on its own.
  at_exit "$(printf 'export WINEPREFIX=%q; wineserver -k 2>/dev/null; timeout 20 wineserver -w 2>/dev/null' \
    "$WINEPREFIX")"
  keep_wine_server
}

# keep_wine_server: a server of the prefix's own (run as RUN_AS says) that
# stays until it is told to go. Left to itself, a server leaves a few seconds
# after its last program, and a program that connects in that moment loses
# its connection ("recvmsg: Connection reset by peer"). A previous server is
# let go first. Wine's background programs start with the first program and
# stay with the server: started here, they hold open no pipe of a scenario's.
keep_wine_server() {
  local try
  for try in 1 2 3; do
    timeout 20 "${RUN_AS[@]}" wineserver -w 2>/dev/null || true
    if "${RUN_AS[@]}" wineserver -p 2>/dev/null; then
      # Only to start them: wineboot's own status says nothing of the server.
      "${RUN_AS[@]}" wine wineboot </dev/null >/dev/null 2>&1 || true
      return 0
    fi
  done
  fail "no Wine server of the scenario's own"
}

# Path of a shipped program (Velmoran.scr, Velmoran.dll) or of a test helper.
program() { echo "$BUILD/bin/$1"; }
# add_sound_module <folder>: on Linux the saver's sound module, which the
# saver loads from its own folder, put beside a saver copied there.
add_sound_module() { [ "$PLATFORM" = windows ] || cp "$BUILD/bin/Velmoran-media.so" "$1/"; }
helper() {
  if [ "$PLATFORM" = windows ]; then echo "$BUILD/tests/helpers/$1.exe"
  else echo "$BUILD/tests/helpers/$1"; fi
}

# The words before every program that run and start run, to run it as
# another user (user_command); none runs it as this one.
RUN_AS=()

# A path as the program under test sees it.
native_path() {
  if [ "$PLATFORM" = windows ]; then "${RUN_AS[@]}" winepath -w "$1" 2>/dev/null; else echo "$1"; fi
}

# run <program> <args...>: in the foreground, under Wine for Windows.
run() {
  if [ "$PLATFORM" = windows ]; then "${RUN_AS[@]}" wine "$@"; else "${RUN_AS[@]}" "$@"; fi
}

# start <program> <args...>: in the background; its pid in LAST_PID (the
# program's own, not a subshell's, so that it can be waited for and killed).
# Whatever is still running at the end of the scenario is killed.
start() {
  if [ "$PLATFORM" = windows ]; then "${RUN_AS[@]}" wine "$@" & else "${RUN_AS[@]}" "$@" & fi
  LAST_PID=$!
  STARTED+=("$LAST_PID")
}

# running <pid>: the process is there and has not ended.
running() { kill -0 "$1" 2>/dev/null && [ "$(ps -o stat= -p "$1" | cut -c1)" != Z ]; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# ended_within <label> <ms> <pids...>: the processes end within that time.
ended_within() {
  local label=$1 limit=$2 begun i pid alive
  shift 2
  begun=$(now_ms)
  for ((i = 0; i < 400; i++)); do
    alive=0
    for pid in "$@"; do running "$pid" && alive=1; done
    [ $alive = 0 ] && break
    sleep 0.01
  done
  local took=$(($(now_ms) - begun))
  [ $alive = 0 ] || fail "$label: still running after ${took} ms"
  note "$label: ended within $took ms"
  [ "$took" -le "$limit" ] || fail "$label: took $took ms, more than $limit"
}

# wait_exit <pid> <seconds>: waits for the process; EXIT_STATUS gets its status.
# Fails when it is still running after the time given.
wait_exit() {
  local pid=$1 limit=$2 waited=0
  while kill -0 "$pid" 2>/dev/null; do
    [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = Z ] && break
    sleep 0.05
    waited=$((waited + 1))
    [ $waited -ge $((limit * 20)) ] && fail "process $pid still running after ${limit}s"
  done
  EXIT_STATUS=0
  wait "$pid" || EXIT_STATUS=$?
}

# window_id <title>: the id of a window with exactly that title, mapped or not.
window_id() { xdotool search --name "^$1\$" 2>/dev/null | head -n 1; }

# wait_window <title> <seconds>: prints the window's id once it exists.
wait_window() {
  local i id
  for ((i = 0; i < $2 * 20; i++)); do
    id=$(window_id "$1") && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  fail "no window titled '$1' within $2 s"
}

# screenshot <file> [<geometry WxH+X+Y>]: of the whole screen, or a part.
screenshot() {
  if [ -n "${2:-}" ]; then import -window root -crop "$2" +repage "$1"
  else import -window root "$1"; fi
}

# music_settings <settings file> <kind> <music file>: a settings file that
# plays that music (kind 1: audio CD, 2: a music file), its repeat key 0, its
# keys in code page 932 as the saver writes them.
music_settings() {
  printf '[Section]\r\nBGM\x8b\xe6\x95\xaa=%s\r\nBGM\xd8\xcb\xdf\xb0\xc4=0\r\nBGM\xcc\xa7\xb2\xd9=%s\r\n' \
    "$2" "$3" >"$1"
}

# pixel <image> <x> <y>: "r,g,b" of one pixel, each 0-255.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# pixels <image> <x> <y> [<x> <y> ...]: "r,g,b" of each pixel, each 0-255,
# separated by spaces; one ImageMagick run for all of them.
pixels() {
  local image=$1 format=""
  shift
  while [ $# -ge 2 ]; do
    format+="%[fx:round(255*p{$1,$2}.r)],%[fx:round(255*p{$1,$2}.g)],%[fx:round(255*p{$1,$2}.b)] "
    shift 2
  done
  convert "$image" -format "${format% }\n" info:
}

# pattern_desktop <picture>: the pattern window (helpers/x11/pattern_window)
# over the whole screen, once drawn, as a known desktop; its screenshot in
# <picture>.
pattern_desktop() {
  local w h i
  read -r w h < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')
  start "$(helper pattern_window)"
  for ((i = 0; i < 200; i++)); do
    screenshot "$1"
    # Drawn block by block: the last one shows once all have.
    [ "$(pixel "$1" $((w - 1)) $((h - 1)))" != "0,0,0" ] && return 0
    sleep 0.05
  done
  fail "the pattern never showed"
}

# A plain user for what refuses to run as root (XScreenSaver) or must meet a
# folder it may not write (root may write any). Made when missing; each
# scenario gives it a home of its own.
PLAIN_USER=velmoran-test
plain_user() {
  id -u "$PLAIN_USER" >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin "$PLAIN_USER" 2>/dev/null ||
    id -u "$PLAIN_USER" >/dev/null || fail "no user $PLAIN_USER"
  # It reaches what the scenario keeps in $WORK, and nothing else there.
  chmod o+x "$WORK"
}

# user_home <folder>: makes the folder the plain user's own home.
user_home() {
  mkdir -p "$1"
  chown "$PLAIN_USER:" "$1"
}

# user_command <home>: USER_COMMAND, the words that run a command as the
# plain user with that home, on the display, in this environment otherwise
# ("${USER_COMMAND[@]}" <command> [args...]; its process is the command's).
user_command() {
  USER_COMMAND=(setpriv --reuid="$PLAIN_USER" --regid="$PLAIN_USER" --clear-groups
    env HOME="$1" USER="$PLAIN_USER" LOGNAME="$PLAIN_USER")
}

# as_user <home> <command> [args...]: runs it so, in the foreground.
as_user() {
  user_command "$1"
  shift
  "${USER_COMMAND[@]}" "$@"
}
