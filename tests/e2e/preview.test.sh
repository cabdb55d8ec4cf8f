#!/usr/bin/env bash
# The still preview inside a host window: the saver's form goes into the host
# as a child window covering it (wider than 2,184 pixels too, and on Linux
# after the host changes size) and shows the sample picture filling it; the
# preview ends within a second when the host is destroyed or ends it; beside a
# running show it ends at once and puts nothing into the host; it needs no
# viewer, takes no capture, and a handle that is no window ends it quietly.
#
# Wine draws no child window whose top-level window belongs to another
# process, so on Windows the picture is photographed with the preview form
# running in a thread of the host's own process (preview_host --embed-here),
# while the saver's own "/p" runs are checked through the windows in the host.
# platforms: linux windows
source "$(dirname "$0")/lib.sh"
# Wide enough for a host beyond what 16-bit twips hold.
E2E_SCREEN=${E2E_SCREEN:-2560x1024x24}
e2e_init "$@"

SAMPLE="$ROOT/assets/preview_sample.jpg"
BACKGROUND="$ROOT/assets/preview_background.jpg"

# The saver alone in its folder: no viewer beside it.
LONE=$WORK/lone
mkdir -p "$LONE" "$WORK/run"
cp "$(program Velmoran.scr)" "$LONE/"
export XDG_RUNTIME_DIR="$WORK/run"
if [ "$PLATFORM" = windows ]; then CAPTURE="$WINEPREFIX/drive_c/Velmoran.bmp"; else CAPTURE="$WORK/run/Velmoran.bmp"; fi
rm -f "$CAPTURE"

# host_start [--embed-here] <width> <height> [<x> <y>]: a host window from the
# preview_host helper; HOST is its handle, HOST_PID its process, HOST_OUT
# what it prints, and lines written to descriptor 7 are its commands.
host_start() {
  local -a args=("$@")
  [ "$1" = --embed-here ] && shift
  HOST_W=$1 HOST_H=$2
  HOST_X=$((${3:-100} + 10)) HOST_Y=$((${4:-100} + 10))  # inside the helper's frame
  local fifo="$WORK/host-commands"
  HOST_OUT="$WORK/host-out"
  rm -f "$fifo"
  : >"$HOST_OUT"
  mkfifo "$fifo"
  # Opened both ways first, so that neither end waits for the other; only
  # this shell holds the writing end, so that the host sees its input end.
  # Started here rather than through start(), whose background command would
  # read from /dev/null instead.
  exec 7<>"$fifo"
  if [ "$PLATFORM" = windows ]; then wine "$(helper preview_host)" "${args[@]}" <"$fifo" >"$HOST_OUT" 7>&- &
  else "$(helper preview_host)" "${args[@]}" <"$fifo" >"$HOST_OUT" 7>&- & fi
  HOST_PID=$!
  STARTED+=("$HOST_PID")
  local i
  for ((i = 0; i < 400; i++)); do
    HOST=$(tr -d '\r' <"$HOST_OUT" | head -n 1)
    [ -n "$HOST" ] && return 0
    sleep 0.05
  done
  fail "the host window did not appear"
}

host_stop() {
  exec 7>&-
  wait_exit "$HOST_PID" 10
}

# host_children: what the host holds, one "child ..." line per window.
host_children() {
  local before
  before=$(grep -c '^end' <(tr -d '\r' <"$HOST_OUT")) || true
  echo query >&7
  local i
  for ((i = 0; i < 200; i++)); do
    [ "$(grep -c '^end' <(tr -d '\r' <"$HOST_OUT"))" -gt "$before" ] && break
    sleep 0.05
  done
  tr -d '\r' <"$HOST_OUT" | awk -v n="$before" '/^end/ { seen++; next } seen == n && /^child/'
}

# embedded <what>: waits until the host holds exactly the preview form: a
# visible child window titled "Preview Window" at 0, 0 with the host's size.
embedded() {
  local want="child 0,0 ${HOST_W}x${HOST_H} child visible Preview Window" got="" i
  for ((i = 0; i < 100; i++)); do
    got=$(host_children)
    [ "$got" = "$want" ] && { note "$1: $got"; return 0; }
    sleep 0.1
  done
  fail "$1: the host holds '$got', not '$want'"
}

# preview [<switch>]: starts the lone saver with "/p <host>" (or the switch
# given, followed by the handle) in the background; PREVIEW_PID.
preview() {
  local switch=${1:-/p}
  if [ "$switch" = "/p" ]; then start "$LONE/Velmoran.scr" /p "$HOST" 7>&-
  else start "$LONE/Velmoran.scr" "$switch$HOST" 7>&-; fi
  PREVIEW_PID=$LAST_PID
}

host_area() { echo "${HOST_W}x${HOST_H}+${HOST_X}+${HOST_Y}"; }

# difference <shot> <reference> <width> <height>: the largest mean difference
# (0-255, any channel) between the two pictures over a 4 x 4 grid of cells,
# the reference scaled to the size given. A strip the picture fails to cover
# shows in its cells.
difference() {
  convert "$1" \( "$2" -resize "$3x$4!" \) -compose difference -composite -scale 4x4! -depth 8 txt:- |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1\n\2\n\3/p' | sort -n | tail -n 1
}

# shows_sample <name> <tolerance>: waits until the host area shows the sample
# picture scaled to it, within the tolerance; keeps the screenshot.
shows_sample() {
  local shot="$OUT/$1.png" i d=255
  for ((i = 0; i < 100; i++)); do
    screenshot "$shot" "$(host_area)"
    d=$(difference "$shot" "$SAMPLE" "$HOST_W" "$HOST_H")
    [ "$d" -le "$2" ] && break
    sleep 0.2
  done
  note "$1: ${HOST_W}x${HOST_H}, largest cell difference $d"
  [ "$d" -le "$2" ] || fail "$1: the host does not show the sample picture (difference $d)"
  local other
  other=$(difference "$shot" "$BACKGROUND" "$HOST_W" "$HOST_H")
  [ "$other" -gt 40 ] || fail "$1: the host shows the background picture, not the sample"
}

# shows_host_only <name>: the host area is the host's own magenta.
shows_host_only() {
  local shot="$OUT/$1.png" d
  screenshot "$shot" "$(host_area)"
  convert -size "${HOST_W}x${HOST_H}" xc:magenta "$WORK/magenta.png"
  d=$(difference "$shot" "$WORK/magenta.png" "$HOST_W" "$HOST_H")
  [ "$d" -le 2 ] || fail "$1: something was drawn over the host (difference $d)"
}

# ends_within <pid> <seconds> <what>: the process ends in time, with status 0.
ends_within() {
  wait_exit "$1" "$2"
  [ "$EXIT_STATUS" -eq 0 ] || fail "$3: the preview ended with status $EXIT_STATUS"
}

running() { kill -0 "$1" 2>/dev/null && [ "$(ps -o stat= -p "$1" | cut -c1)" != Z ]; }

# picture <name> <tolerance> <width> <height> [<x> <y>]: a host of that size
# shows the sample picture filling it (the saver's own on Linux, the same form
# in the host's process on Windows).
picture() {
  local name=$1 tolerance=$2
  shift 2
  if [ "$PLATFORM" = windows ]; then
    host_start --embed-here "$@"
    shows_sample "$name" "$tolerance"
    embedded "$name in the host's process"
    echo destroy >&7
    host_stop
  else
    host_start "$@"
    preview
    shows_sample "$name" "$tolerance"
    echo destroy >&7
    ends_within "$PREVIEW_PID" 1 "$name: host destroyed"
    host_stop
  fi
}

note "hosts of any size show the sample picture filling them"
picture host-152x112 6 152 112
picture host-320x240 16 320 240
picture host-2400x160 16 2400 160 60 600

note "the saver goes into a 152 x 112 host; destroying the host ends it within a second"
host_start 152 112
preview
embedded "/p into 152x112"
running "$PREVIEW_PID" || fail "the preview did not stay while its host is there"
echo destroy >&7
ends_within "$PREVIEW_PID" 1 "host destroyed"
host_stop
[ ! -e "$CAPTURE" ] || fail "the preview took a capture"

note "a 320 x 240 host is covered too; the host ending the preview ends its process"
host_start 320 240
preview /p:
embedded "/p: into 320x240"
echo end-preview >&7
ends_within "$PREVIEW_PID" 1 "preview ended by its host"
shows_host_only host-after-end
host_stop

note "a host wider than 2,184 pixels is covered all across"
host_start 2400 160 60 600
preview
embedded "/p into 2400x160"
echo destroy >&7
ends_within "$PREVIEW_PID" 1 "wide host destroyed"
host_stop

if [ "$PLATFORM" = linux ]; then
  note "the preview follows its host's size, and ends with the host's program"
  host_start 152 112
  preview
  shows_sample resize-before 6
  echo "resize 400 300" >&7
  HOST_W=400 HOST_H=300
  shows_sample resize-after 16
  embedded "after the resize"
  host_stop
  ends_within "$PREVIEW_PID" 1 "host gone with its program"
fi

note "beside a running show the preview ends at once and puts nothing into the host"
marker_ready="$WORK/marker-ready"
start "$(helper marker_window)" Velmoran_Main >"$marker_ready" 7>&-
MARKER_PID=$LAST_PID
for ((i = 0; i < 400; i++)); do grep -q ready "$marker_ready" 2>/dev/null && break; sleep 0.05; done
host_start 152 112
preview
ends_within "$PREVIEW_PID" 5 "beside a show"
[ -z "$(host_children)" ] || fail "beside a show the preview put a window into the host"
shows_host_only beside-show
host_stop
kill -9 "$MARKER_PID" 2>/dev/null || true
wait "$MARKER_PID" 2>/dev/null || true

note "a handle that is no window ends the preview quietly"
for line in "/p 0" "/p 536870911" "/p1234" "/p" "/p nonsense"; do
  read -r -a args <<<"$line"
  start "$LONE/Velmoran.scr" "${args[@]}"
  ends_within "$LAST_PID" 10 "'$line'"
done

note "all passed"
