#!/usr/bin/env bash
# The Debian package: its fields and the libraries it asks for, every file
# with its mode and nothing more, programs shipped stripped beside their debug
# information; installed with dpkg into a throw-away root whose package
# database has what this machine has, the hack and both programs are there
# and the installed saver opens its settings and runs a show; removal leaves
# nothing of it.
source "$(dirname "$0")/lib.sh"
package_init "$@"

DEB=$(the_file "velmoran_${VERSION}_amd64.deb")
field() { dpkg-deb -f "$DEB" "$1"; }

note "fields"
[ "$(field Package)" = velmoran ] || fail "package name $(field Package)"
[ "$(field Version)" = "$VERSION" ] || fail "version $(field Version), not $VERSION"
[ "$(field Section)" = x11 ] || fail "section $(field Section)"
[ "$(field Architecture)" = amd64 ] || fail "architecture $(field Architecture)"
DEPENDS=$(field Depends)
for library in 'libsdl2-2\.0-0' 'libsdl2-mixer-2\.0-0' 'libfltk1\.3' 'libcdio[0-9]+' 'libglx0' 'libopengl0' 'libglu1-mesa' 'libxrandr2' 'fonts-ipafont-gothic'; do
  grep -Eq "(^|, )$library( |,|$)" <<<"$DEPENDS" || fail "Depends names no $library: $DEPENDS"
done
[ -z "$(dpkg-deb --ctrl-tarfile "$DEB" | tar -t | grep -E 'preinst|postinst|prerm|postrm')" ] ||
  fail "the package has maintainer scripts, which removal would have to undo"

note "files and modes"
expected="-rw-r--r-- root/root ./usr/libexec/velmoran/Velmoran-media.so
-rwxr-xr-x root/root ./usr/libexec/velmoran/Velmoran.dll
-rwxr-xr-x root/root ./usr/libexec/velmoran/Velmoran.scr
lrwxrwxrwx root/root ./usr/libexec/xscreensaver/velmoran -> ../velmoran/Velmoran.scr
-rw-r--r-- root/root ./usr/share/applications/screensavers/velmoran.desktop
-rw-r--r-- root/root ./usr/share/applications/velmoran-settings.desktop
-rw-r--r-- root/root ./usr/share/doc/velmoran/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/velmoran/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/32x32/apps/velmoran.png
-rw-r--r-- root/root ./usr/share/man/man6/velmoran.6.gz
-rw-r--r-- root/root ./usr/share/xscreensaver/config/velmoran.xml"
listing=$(dpkg-deb -c "$DEB")
actual=$(awk '$1 !~ /^d/ { $3 = $4 = $5 = ""; print }' <<<"$listing" | tr -s ' ' | sort -k3,3)
[ "$actual" = "$expected" ] || fail "files of the package:
$actual
expected:
$expected"
odd_folders=$(awk '$1 ~ /^d/ && ($1 != "drwxr-xr-x" || $2 != "root/root")' <<<"$listing")
[ -z "$odd_folders" ] || fail "folders with other modes or owners: $odd_folders"

note "contents"
UNPACKED=$WORK/unpacked
dpkg-deb -x "$DEB" "$UNPACKED"
for program in Velmoran.scr Velmoran.dll; do
  check_stripped objcopy "$UNPACKED/usr/libexec/velmoran/$program" "$PACKAGES/debug/linux"
done
check_stripped objcopy "$UNPACKED/usr/libexec/velmoran/Velmoran-media.so" "$PACKAGES/debug/linux" \
  velmoran_create_media_control
# The sound libraries are the module's, which the saver loads when music
# plays; the saver itself starts without them.
needed() { readelf -d "$UNPACKED/usr/libexec/velmoran/$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p'; }
sound='^lib(SDL2_mixer|cdio)'
[ -z "$(needed Velmoran.scr | grep -E "$sound")" ] || fail "the saver links $(needed Velmoran.scr | grep -E "$sound")"
[ "$(needed Velmoran-media.so | grep -Ec "$sound")" -ge 2 ] || fail "the sound module links $(needed Velmoran-media.so)"
xmllint --noout "$UNPACKED/usr/share/xscreensaver/config/velmoran.xml" ||
  fail "the XScreenSaver description is not well-formed XML"
grep -q '<screensaver name="velmoran" _label="Velmoran">' "$UNPACKED/usr/share/xscreensaver/config/velmoran.xml" ||
  fail "the XScreenSaver description does not name the hack velmoran"
for entry in screensavers/velmoran.desktop velmoran-settings.desktop; do
  problems=$(desktop-file-validate "$UNPACKED/usr/share/applications/$entry" 2>&1) ||
    fail "$entry is not a valid desktop entry: $problems"
done
grep -qx 'Exec=/usr/libexec/xscreensaver/velmoran -root' "$UNPACKED/usr/share/applications/screensavers/velmoran.desktop" ||
  fail "the desktops' entry does not start the hack"
grep -qx 'Exec=/usr/libexec/velmoran/Velmoran.scr /c' "$UNPACKED/usr/share/applications/velmoran-settings.desktop" ||
  fail "the settings entry does not open the settings dialog"
man_warnings=$(zcat "$UNPACKED/usr/share/man/man6/velmoran.6.gz" | groff -man -Tutf8 -ww -z 2>&1)
[ -z "$man_warnings" ] || fail "the manual page: $man_warnings"
zcat "$UNPACKED/usr/share/man/man6/velmoran.6.gz" | groff -man -Tascii -P-cbou >"$OUT/velmoran.6.txt"
grep -Eq '^ +velmoran +- ' "$OUT/velmoran.6.txt" || fail "the manual page has no name line"

note "XScreenSaver's settings program reads the hack's description"
# It reads descriptions from its own folder only; this test lends it ours
# there for the run (a mount namespace would be neater, but a chroot, such as
# a fresh build machine, refuses one), and picks the hack in a fresh
# ~/.xscreensaver.
SETTINGS_HOME=$WORK/settings-home
mkdir -p "$SETTINGS_HOME"
printf 'mode: one\nselected: 0\nprograms: GL: velmoran -root \\n\\\n  maze -root \\n\n' \
  >"$SETTINGS_HOME/.xscreensaver"
SETTINGS_LOG=$OUT/xscreensaver-settings.log
LENT=""
if [ ! -e /usr/share/xscreensaver/config/velmoran.xml ]; then
  LENT=/usr/share/xscreensaver/config/velmoran.xml
  at_exit 'rm -f "$LENT"'
  cp "$UNPACKED$LENT" "$LENT"
fi
# No session bus: with one (or one started for the display) GTK asks it for
# the accessibility bus and the desktop portals, which this test has no use
# for, says so on the log as an error and leaves a portal's mount behind.
HOME=$SETTINGS_HOME NO_AT_BRIDGE=1 DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/no-bus" xscreensaver-settings --debug >"$SETTINGS_LOG" 2>&1 &
SETTINGS_PID=$!
STARTED+=("$SETTINGS_PID")
for ((i = 0; i < 300; i++)); do
  grep -q 'select list elt' "$SETTINGS_LOG" && break
  running "$SETTINGS_PID" || break
  sleep 0.1
done
screenshot "$OUT/xscreensaver-settings.png"
kill "$SETTINGS_PID" 2>/dev/null || true
[ -z "$LENT" ] || rm -f "$LENT"
grep -q 'reading /usr/share/xscreensaver/config/velmoran.xml' "$SETTINGS_LOG" ||
  fail "xscreensaver-settings did not read the description (see $SETTINGS_LOG)"
! grep -Eqi 'error|warning' "$SETTINGS_LOG" || fail "xscreensaver-settings: $(grep -Ei 'error|warning' "$SETTINGS_LOG")"

note "installed into a throw-away root"
THROWAWAY=$WORK/root
DB=$THROWAWAY/var/lib/dpkg
mkdir -p "$DB/info" "$DB/updates" "$DB/triggers"
: >"$DB/status"
# The database knows the packages the Depends field names, as this machine
# has them, so that dpkg checks the dependencies for real.
for name in $(tr ',|' '\n\n' <<<"$DEPENDS" | sed 's/(.*)//'); do
  dpkg-query -s "$name" >>"$DB/status" 2>/dev/null || continue
  echo >>"$DB/status"
  : >"$DB/info/$(dpkg-query -W -f='${binary:Package}' "$name").list"
done
dpkg --root="$THROWAWAY" -i "$DEB" >"$OUT/install.log" 2>&1 || fail "dpkg -i: $(cat "$OUT/install.log")"
PROGRAMS=$THROWAWAY/usr/libexec/velmoran
HACK=$THROWAWAY/usr/libexec/xscreensaver/velmoran
[ -x "$PROGRAMS/Velmoran.scr" ] && [ -x "$PROGRAMS/Velmoran.dll" ] || fail "the programs are not in $PROGRAMS"
[ "$(readlink -f "$HACK")" = "$PROGRAMS/Velmoran.scr" ] || fail "the hack leads to $(readlink -f "$HACK")"
[ "$(dpkg --root="$THROWAWAY" -L velmoran | grep -c .)" -gt 9 ] || fail "dpkg does not list the package's files"

note "the installed saver opens its settings dialog"
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
dialog_opens "$PROGRAMS/Velmoran.scr" 30

note "the hack runs a show with the installed viewer"
show_desktop
start "$HACK" /s
SAVER_PID=$LAST_PID
wait_window Velmoran_VC 30 >/dev/null
VIEWER_PID=$(pgrep -P "$SAVER_PID" | head -n 1)
[ "$(readlink "/proc/$VIEWER_PID/exe")" = "$PROGRAMS/Velmoran.dll" ] ||
  fail "the viewer that runs is $(readlink "/proc/$VIEWER_PID/exe")"
wait_sphere_drawn
press_escape_until_gone "$SAVER_PID"

note "on a Wayland session the installed hack covers every output"
source "$(dirname "$0")/../e2e/sway_lib.sh"
block_desktop "$WORK/wayland-desktop.png" 1280x800
start_sway "output * bg $WORK/wayland-desktop.png tile" 'output HEADLESS-1 mode 1280x800@60Hz position 0 0'
msg create_output >/dev/null
msg output HEADLESS-2 mode 1024x768@60Hz position 1280 0 >/dev/null
sway_copies
for output in HEADLESS-1 HEADLESS-2; do grim_as -o "$output" "$WORK/desktop-$output.png"; done
start "${AS[@]}" "$HACK" -root
HACK_PID=$LAST_PID
# Each output covered by the sphere, to its corners: of four colours in
# blocks, a third of the pixels of each corner or more changed (a block drawn
# anew keeps its colour by chance).
changed_share() {  # <now> <before> <crop>
  local changed
  convert "$1" -crop "$3" +repage "$WORK/now-part.png"
  convert "$2" -crop "$3" +repage "$WORK/before-part.png"
  changed=$(compare -metric AE -fuzz 10% "$WORK/now-part.png" "$WORK/before-part.png" null: 2>&1 || true)
  awk -v c="${changed%% *}" -v n="$(identify -format '%[fx:w*h]' "$WORK/before-part.png")" 'BEGIN { print c / n }'
}
covered() {
  local w h corner
  read -r w h < <(identify -format '%w %h' "$2")
  for corner in 256x128+0+0 "256x128+$((w - 256))+0" "256x128+0+$((h - 128))" "256x128+$((w - 256))+$((h - 128))"; do
    awk -v s="$(changed_share "$1" "$2" "$corner")" 'BEGIN { exit !(s >= 0.3) }' || return 1
  done
}
for output in HEADLESS-1 HEADLESS-2; do
  for ((i = 0; i < 200; i++)); do
    grim_as -o "$output" "$OUT/wayland-$output.png" 2>/dev/null &&
      covered "$OUT/wayland-$output.png" "$WORK/desktop-$output.png" && break
    sleep 0.05
  done
  covered "$OUT/wayland-$output.png" "$WORK/desktop-$output.png" || fail "the hack left the desktop showing on $output"
done
press_escape
wait_exit "$HACK_PID" 5
[ -z "$(ours_left)" ] || fail "left after Escape: $(ours_left | xargs)"

note "removed, nothing of it is left"
dpkg --root="$THROWAWAY" -r velmoran >"$OUT/remove.log" 2>&1 || fail "dpkg -r: $(cat "$OUT/remove.log")"
left=$(find "$THROWAWAY" -mindepth 1 -not -path "$DB" -not -path "$DB/*" -not -path "$THROWAWAY/var" -not -path "$THROWAWAY/var/lib")
[ -z "$left" ] || fail "left after removal: $left"
[ -z "$(find "$DB/info" -name 'velmoran*')" ] || fail "dpkg still keeps files of the package"
status=$(dpkg-query --admindir="$DB" -W -f='${db:Status-Status}' velmoran 2>/dev/null || true)
[ -z "$status" ] || [ "$status" = not-installed ] || fail "dpkg still counts the package $status"

note "all passed"
