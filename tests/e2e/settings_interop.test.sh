#!/usr/bin/env bash
# One settings file serves both builds: what the Linux build writes, the
# Windows build (through the system's private-profile calls, under Wine)
# reads the same, and the other way round; on a Western and on a Japanese
# Windows (code pages 1252 and 932); files written by hand, odd ones too.
# platforms: windows
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

LINUX_TOOL=$ROOT/build/linux/tests/helpers/profile_tool
WINDOWS_TOOL=$(helper profile_tool)
[ -x "$LINUX_TOOL" ] || fail "the Linux build's $LINUX_TOOL is missing"

INI=$WORK/Velmoran.ini
INI_WINDOWS=$(native_path "$INI")

hex() { printf '%s' "$1" | od -An -tx1 -v | tr -d ' \n'; }
unhex() { printf "$(printf '%s' "$1" | sed 's/../\\x&/g')"; }
cp932_hex() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -tx1 -v | tr -d ' \n'; }

KIND=$(hex $'BGM\x8b\xe6\x95\xaa')          # BGM区分
REPEAT=$(hex $'BGM\xd8\xcb\xdf\xb0\xc4')    # BGMﾘﾋﾟｰﾄ
MUSIC=$(hex $'BGM\xcc\xa7\xb2\xd9')         # BGMﾌｧｲﾙ
OTHER=$(hex "Other")
LONG=$(hex "$(printf 'x%.0s' {1..300})")
CUT=$(hex "$(printf 'x%.0s' {1..255})")
JAPANESE_PATH=$(cp932_hex 'C:\音楽\曲 ｿﾝｸﾞ 1.mp3')

# <tool> read <section> <key hex> [<section> <key hex> ...]
# <tool> write <section> <key hex> <value hex> [<section> <key hex> <value hex> ...]
linux() { "$LINUX_TOOL" "$1" "$INI" "${@:2}"; }
windows() { env ${WINE_LOCALE:+LC_ALL=$WINE_LOCALE} wine "$WINDOWS_TOOL" "$1" "$INI_WINDOWS" "${@:2}" | tr -d '\r'; }

# same_read <section> <key hex> <expected value hex> [<section> ...]: both
# builds read each key; the Windows build all of them in one run, the file
# being the same throughout.
same_read() {
  local keys=() expected=() on_linux on_windows i
  while [ $# -ge 3 ]; do
    keys+=("$1" "$2")
    expected+=("$3")
    shift 3
  done
  mapfile -t on_windows < <(windows read "${keys[@]}")
  [ "${#on_windows[@]}" = "${#expected[@]}" ] ||
    fail "the Windows build read ${#on_windows[@]} values of ${#expected[@]} ($CASE)"
  for i in "${!expected[@]}"; do
    set -- "${keys[@]:$((2 * i)):2}" "${expected[$i]}"
    on_linux=$(linux read "$1" "$2")
    [ "$on_linux" = "$3" ] || fail "[$1] $2: Linux read '$on_linux', expected '$3' ($CASE)"
    [ "${on_windows[$i]}" = "$3" ] || fail "[$1] $2: Windows read '${on_windows[$i]}', expected '$3' ($CASE)"
  done
}

# Four values and an untouched neighbour, written by one side, read by both.
exchange() {
  local writer=$1
  printf '; kept comment\r\n[Keep]\r\nA = kept \r\n\r\n[section]\r\n%s\r\n' \
    "$(unhex "$MUSIC")=old value" >"$INI"
  CASE="$writer writes ($CODE_PAGE)"
  "$writer" write Section "$KIND" "$(hex 2)" Section "$REPEAT" "$(hex -3)" \
    Section "$MUSIC" "$JAPANESE_PATH" Section "$OTHER" "$LONG"
  same_read Section "$KIND" "$(hex 2)" \
    SECTION "$REPEAT" "$(hex -3)" \
    section "$MUSIC" "$JAPANESE_PATH" \
    Section "$OTHER" "$CUT" \
    keep "$(hex a)" "$(hex kept)" \
    Section "$(hex Missing)" ""
  [ "$(grep -c $'\[section\]' "$INI")" -eq 1 ] || fail "$CASE: the section was not reused"
  grep -q "; kept comment" "$INI" || fail "$CASE: the comment was lost"
  local key
  for key in "$KIND" "$REPEAT" "$MUSIC"; do
    od -An -tx1 -v "$INI" | tr -d ' \n' | grep -q "${key}3d" || fail "$CASE: key bytes $key not on disk"
  done
}

# Files written by hand: quotes and blanks around values, case of names.
hand_written() {
  CASE="hand-written ($CODE_PAGE)"
  printf '[ Section ]\r\n  %s  =  "  quoted  "  \r\n%s=\x27single\x27\r\n' \
    "$(unhex "$KIND")" "$(unhex "$MUSIC")" >"$INI"
  same_read Section "$KIND" "$(hex '  quoted  ')" Section "$MUSIC" "$(hex single)"
  rm -f "$INI"
  same_read Section "$KIND" ""
}

# Files the two readers once took apart differently: lines broken with CR
# alone, a "[" that never closes, a NUL inside a value. Each is read by both
# builds as it is, then after either build has written another key into it.
odd_files() {
  local writer
  for writer in "" linux windows; do
    CASE="CR-only lines${writer:+, written by $writer} ($CODE_PAGE)"
    printf '[Other]\rA=other\r[Section]\r%s=1\r%s= two \r' "$(unhex "$KIND")" "$(unhex "$MUSIC")" >"$INI"
    [ -z "$writer" ] || "$writer" write Section "$REPEAT" "$(hex 5)"
    same_read Section "$KIND" "$(hex 1)" Section "$MUSIC" "$(hex two)" Other "$(hex A)" "$(hex other)" \
      ${writer:+Section "$REPEAT" "$(hex 5)"}

    CASE="an unclosed [${writer:+, written by $writer} ($CODE_PAGE)"
    printf '[Section]\r\n%s=1\r\n[Other\r\n%s=2\r\n' "$(unhex "$KIND")" "$(unhex "$REPEAT")" >"$INI"
    [ -z "$writer" ] || "$writer" write Section "$MUSIC" "$(hex x)"
    same_read Section "$REPEAT" "$(hex 2)" Other "$REPEAT" "" ${writer:+Section "$MUSIC" "$(hex x)"}

    CASE="a NUL in a value${writer:+, written by $writer} ($CODE_PAGE)"
    printf '[Section]\r\n%s=ab\0cd\r\n%s=3\r\n' "$(unhex "$KIND")" "$(unhex "$REPEAT")" >"$INI"
    [ -z "$writer" ] || "$writer" write Section "$MUSIC" "$(hex x)"
    same_read Section "$KIND" "$(hex ab)" Section "$REPEAT" "$(hex 3)"
  done
}

for CODE_PAGE in 1252 932; do
  # Wine takes its ANSI code page from the locale named in LC_ALL.
  WINE_LOCALE=""
  [ "$CODE_PAGE" = 932 ] && WINE_LOCALE=ja_JP.UTF-8
  note "code page $CODE_PAGE"
  exchange linux
  exchange windows
  hand_written
  odd_files
done
note "all passed"
