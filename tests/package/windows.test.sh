#!/usr/bin/env bash
# The Windows packages. The portable .zip holds the two programs, stripped
# beside their debug information, the README and the licence. The setup
# program, silent (/S) in a fresh Wine prefix, puts both programs in one
# folder, makes Velmoran the screen saver and adds its Start-menu and
# Programs-and-Features entries; the installed saver opens its settings
# dialog and runs a show from there; the silent uninstaller takes all of it
# away and gives the screen saver back to none. Installed again, in Japanese
# and in a folder of the user's choice, its uninstaller leaves alone a screen
# saver the user chose since.
source "$(dirname "$0")/lib.sh"
unset WINEPREFIX # a fresh prefix of its own, not the one other scenarios share
package_init "$@"

SETUP=$(the_file "Velmoran-${VERSION}-win64-setup.exe")
ZIP=$(the_file "Velmoran-${VERSION}-win64.zip")
DESKTOP_KEY='HKCU\Control Panel\Desktop'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmoran'
MENU="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmoran"

# value_in <values> <name>: the data of one of the values a query listed,
# empty when there is none.
value_in() { sed -n "s/^ *$2 *REG_[A-Z_]* *//p" <<<"$1"; }
# reg_value <key> <name>: the value's data, empty when there is none.
reg_value() { value_in "$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r')" "$2"; }
# reg_values <key>: all of the key's values, one start of Wine for them all.
reg_values() { wine reg query "$1" 2>/dev/null | tr -d '\r' || true; }

# files_in <folder>: the names of the files in it, one a line, sorted.
files_in() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

# check_installed <Windows folder> <settings link> <uninstall link>
check_installed() {
  local folder
  folder=$(winepath -u "$1")
  [ "$(files_in "$folder")" = "$(printf '%s\n' LICENSE.txt README.txt Uninstall.exe Velmoran.dll Velmoran.scr)" ] ||
    fail "installed in $1: $(files_in "$folder" | tr '\n' ' ')"
  local desktop saver uninstall
  desktop=$(reg_values "$DESKTOP_KEY")
  saver=$(value_in "$desktop" SCRNSAVE.EXE)
  [ -n "$saver" ] || fail "SCRNSAVE.EXE is not set"
  [ "$(realpath "$(winepath -u "$saver")")" = "$(realpath "$folder/Velmoran.scr")" ] ||
    fail "SCRNSAVE.EXE names $saver, not the installed saver"
  [ "$(value_in "$desktop" ScreenSaveActive)" = 1 ] || fail "the screen saver is not switched on"
  [ "$(files_in "$MENU")" = "$(printf '%s\n' "$2.lnk" "$3.lnk" | LC_ALL=C sort)" ] ||
    fail "Start menu: $(files_in "$MENU" | tr '\n' ' ')"
  strings -el -n 2 "$MENU/$2.lnk" | grep -qx /c || fail "the settings link does not pass /c"
  uninstall=$(reg_values "$UNINSTALL_KEY")
  [ "$(value_in "$uninstall" DisplayName)" = Velmoran ] || fail "no entry in Programs and Features"
  [ "$(value_in "$uninstall" DisplayVersion)" = "$VERSION" ] || fail "Programs and Features shows another version"
  [ "$(value_in "$uninstall" QuietUninstallString)" = "\"$1\\Uninstall.exe\" /S" ] ||
    fail "quiet uninstall: $(value_in "$uninstall" QuietUninstallString)"
}

# uninstall <Windows folder>: the silent uninstaller, which goes on in a copy
# of itself; done when the last thing it removes, its own entry, is gone.
uninstall() {
  run "$(winepath -u "$1")/Uninstall.exe" /S
  local i
  for ((i = 0; i < 600; i++)); do
    [ -z "$(reg_value "$UNINSTALL_KEY" DisplayName)" ] && break
    sleep 0.1
  done
  [ -z "$(reg_value "$UNINSTALL_KEY" DisplayName)" ] || fail "the uninstaller left its entry"
  [ ! -e "$(winepath -u "$1")" ] || fail "left in $1: $(files_in "$(winepath -u "$1")" | tr '\n' ' ')"
  [ ! -e "$MENU" ] || fail "the Start-menu folder is left"
}

note "the portable zip"
TOP=Velmoran-${VERSION}-win64
[ "$(unzip -Z1 "$ZIP" | grep -v '/$' | LC_ALL=C sort)" = \
  "$(printf "$TOP/%s\n" LICENSE.txt README.txt Velmoran.dll Velmoran.scr)" ] ||
  fail "the zip holds: $(unzip -Z1 "$ZIP" | tr '\n' ' ')"
unzip -q "$ZIP" -d "$WORK/zip"
for program in Velmoran.scr Velmoran.dll; do
  check_stripped x86_64-w64-mingw32-objcopy "$WORK/zip/$TOP/$program" "$PACKAGES/debug/windows"
done

note "silent setup into Program Files"
run "$SETUP" /S
FOLDER='C:\Program Files\Velmoran'
check_installed "$FOLDER" "Velmoran settings" "Uninstall Velmoran"
INSTALLED=$(winepath -u "$FOLDER")
cmp -s "$INSTALLED/Velmoran.scr" "$WORK/zip/$TOP/Velmoran.scr" || fail "the setup's saver is not the zip's"

note "the installed saver opens its settings dialog"
dialog_opens "$INSTALLED/Velmoran.scr" 60

note "the installed saver runs a show"
show_desktop
start "$INSTALLED/Velmoran.scr" /s
SAVER_PID=$LAST_PID
wait_window Velmoran_VC 60 >/dev/null
wait_sphere_drawn
press_escape_until_gone "$SAVER_PID"

note "silent uninstall gives the screen saver back to none"
uninstall "$FOLDER"
DESKTOP=$(reg_values "$DESKTOP_KEY")
[ -z "$(value_in "$DESKTOP" SCRNSAVE.EXE)" ] || fail "SCRNSAVE.EXE still names $(value_in "$DESKTOP" SCRNSAVE.EXE)"
[ "$(value_in "$DESKTOP" ScreenSaveActive)" != 1 ] || fail "the screen saver is still switched on"

note "in Japanese, into a folder of the user's choice"
# The setup remembers the language a user chose; a silent one speaks it.
wine reg add "$UNINSTALL_KEY" /v InstallerLanguage /d 1041 /f >/dev/null 2>&1
FOLDER='C:\Games\Velmoran'
run "$SETUP" /S "/D=$FOLDER"
check_installed "$FOLDER" "Velmoran の設定" "Velmoran のアンインストール"

note "the uninstaller leaves alone another screen saver the user chose"
OTHER='C:\windows\system32\other.scr'
wine reg add "$DESKTOP_KEY" /v SCRNSAVE.EXE /d "$OTHER" /f >/dev/null 2>&1
uninstall "$FOLDER"
[ "$(reg_value "$DESKTOP_KEY" SCRNSAVE.EXE)" = "$OTHER" ] || fail "the uninstaller changed the user's screen saver"

note "all passed"
