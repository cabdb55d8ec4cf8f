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

e2e_cleanup() {
  local pid
  for pid in "${STARTED[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
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
  # The previous scenario's server leaves a few seconds after its last
  # program; a program starting in that moment loses its connection. Let it go.
  timeout 20 wineserver -w 2>/dev/null || true
}

# Path of a shipped program (Velmoran.scr, Velmoran.dll) or of a test helper.
program() { echo "$BUILD/bin/$1"; }
helper() {
  if [ "$PLATFORM" = windows ]; then echo "$BUILD/tests/helpers/$1.exe"
  else echo "$BUILD/tests/helpers/$1"; fi
}

# A path as the program under test sees it.
native_path() {
  if [ "$PLATFORM" = windows ]; then winepath -w "$1" 2>/dev/null; else echo "$1"; fi
}

# run <program> <args...>: in the foreground, under Wine for Windows.
run() {
  if [ "$PLATFORM" = windows ]; then wine "$@"; else "$@"; fi
}

# start <program> <args...>: in the background; its pid in LAST_PID (the
# program's own, not a subshell's, so that it can be waited for and killed).
# Whatever is still running at the end of the scenario is killed.
start() {
  if [ "$PLATFORM" = windows ]; then wine "$@" & else "$@" & fi
  LAST_PID=$!
  STARTED+=("$LAST_PID")
}

# running <pid>: the process is there and has not ended.
running() { kill -0 "$1" 2>/dev/null && [ "$(ps -o stat= -p "$1" | cut -c1)" != Z ]; }

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

# pixel <image> <x> <y>: "r,g,b" of one pixel, each 0-255.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
