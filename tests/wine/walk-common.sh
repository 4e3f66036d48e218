# Shared by the walks of the real exe: xdotool clicks at points of the caller's table "at" (client
# pixels of the 700 x 500 layout), pictures of the window and the probe's report of what lives in
# native windows. The caller sets here, exe, probe, shots and kind before sourcing this.
. "$here/wine-common.sh"
. "$LDW_WINE_SESSION"
export WINEPREFIX DISPLAY
title="Label Printer Driver Wizard"
mkdir -p "$shots"

fail() {
  echo "FAIL ($kind): $*" >&2
  "$here/screenshot" "$DISPLAY" "$shots/walk_${kind}_failed.png" >/dev/null 2>&1 || true
  "$LDW_WINE" "$probe" >&2 || true
  exit 1
}

# The pointer is left in a corner: later tests' windows must not see a mouse entry they did not make.
trap 'kill ${program:-} 2>/dev/null || true; xdotool mousemove 1279 1023 || true' EXIT
# Starts the exe and reads where its window is: X and Y, for the points of the caller's table "at".
open_wizard() {
  start_with_window "$exe" "$title" || fail "the main window did not show"
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$wid")"  # X Y WIDTH HEIGHT
}
click() {
  # shellcheck disable=SC2086
  set -- ${at[$1]}
  xdotool mousemove "$((X + $1))" "$((Y + $2))" click 1
  sleep 1
}
type_into() {  # point text
  click "$1"
  xdotool key ctrl+a BackSpace
  xdotool type --delay 40 "$2"
  sleep 0.4
}
# Pictures are named after the kind, and the language when the walk switched to another one.
shot() { "$here/screenshot" "$DISPLAY" "$shots/walk_${shot_name:-$kind}_$1.png" "$title" >/dev/null; }
screen_shot() { "$here/screenshot" "$DISPLAY" "$shots/walk_${shot_name:-$kind}_$1.png" >/dev/null; }
probe() { "$LDW_WINE" "$probe" | tr -d '\r'; }
# Windows take a moment to come and go under Wine: each check gives them a few seconds.
expect_probe() {  # extended regex
  for _ in $(seq 10); do probe | grep -Eq "$1" && return 0; sleep 0.5; done
  fail "expected '$1'"
}
refuse_probe() {
  for _ in $(seq 10); do probe | grep -Eq "$1" || return 0; sleep 0.5; done
  fail "did not expect '$1'"
}
# Whether the red result line of a page shows: pure red pixels in its box.
red_line_shows() {  # left top right bottom
  local crop=$shots/.crop.png
  import -window "$wid" -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage "$crop"
  local share
  share=$(convert "$crop" -fuzz 20% -fill black -opaque "#ff0000" -fill white +opaque black -format "%[fx:mean]" info:)
  awk -v s="$share" 'BEGIN { exit !(s < 0.995) }'
}
# Whether something is drawn in a box that is white while empty (a button row, say).
drawn_in() {  # left top right bottom
  local crop=$shots/.crop.png
  import -window "$wid" -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage "$crop"
  awk -v m="$(convert "$crop" -colorspace Gray -format "%[fx:mean]" info:)" 'BEGIN { exit !(m < 0.9) }'
}

# A text of the language file of the walk's language (en unless the walk switched), with its %s
# filled by the second argument.
lang=${lang:-en}
text() {  # key [argument]
  local value
  value=$(sed -n "s/.*id=\"$1\" value=\"\([^\"]*\)\".*/\1/p" "$here/../../skin/lan_$lang.xml")
  [ -n "$value" ] || fail "no text $1 in lan_$lang.xml"
  printf '%s\n' "${value//%s/${2:-}}"
}
# What a screen reader in another process is told (LDW_ACCESSIBLE_PROBE): the texts drawn on the
# window, read back from the real exe.
expect_shown_text() {  # a shown text, exactly
  for _ in $(seq 10); do
    "$LDW_WINE" "$LDW_ACCESSIBLE_PROBE" | tr -d '\r' | cut -d'|' -f1 | grep -Fqx -- "child $1" && return 0
    sleep 0.5
  done
  "$LDW_WINE" "$LDW_ACCESSIBLE_PROBE" >&2 || true
  fail "the window does not show '$1'"
}
# The language popup by its button, then the arrows from the selected language (English at the
# start) down to the walk's one, as the popup lists them: en es ja ko th cn pt.
switch_language() {
  [ "$lang" = en ] && return 0
  local downs
  downs=$(printf 'en es ja ko th cn pt\n' | tr ' ' '\n' | grep -nx "$lang" | cut -d: -f1)
  xdotool mousemove "$((X + 585))" "$((Y + 15))" click 1
  sleep 1
  expect_probe '^window PopAbout$'
  xdotool key Tab
  for _ in $(seq $((downs - 1))); do xdotool key Down; sleep 0.3; done
  sleep 0.5
  xdotool key Escape
  sleep 1
  refuse_probe '^window PopAbout$'
  sleep 1.5  # the popup's shadow window goes a moment after the popup; a click meanwhile lands on it
  title=$(xdotool getwindowname "$wid")
  [ "$title" != "Label Printer Driver Wizard  V1.0.01" ] || fail "the language did not change"
  shot_name=${kind}_$lang
}
